// The real platform seams of whichever system the suite is built for (Linux natively, Windows
// under Wine): the counter, zero-filled blocks, free memory, the version, replaced files, and
// failure messages of a console program on standard error.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include "../report/temp_dir.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/memory.h"
#include "platform/message.h"

namespace {

TEST(PlatformClock, CounterHasAFrequencyAndMovesForward) {
  uint64_t frequency = 0;
  ASSERT_TRUE(platform::queryPerfFrequency(frequency));
  // Even the oldest Windows timer chip counts 1,193,182 times a second.
  EXPECT_GE(frequency, 1000000u);
  uint64_t previous = platform::queryPerfCounter();
  bool moved = false;
  // Read until it changes; never backwards. The bound only stops a broken counter from hanging.
  for (int i = 0; i < 100000000 && !moved; ++i) {
    const uint64_t now = platform::queryPerfCounter();
    ASSERT_GE(now, previous);
    moved = now != previous;
    previous = now;
  }
  EXPECT_TRUE(moved);
}

TEST(PlatformMemory, BlocksAreZeroFilledAndWritable) {
  const std::size_t sizes[] = {4096, 131072, 36503552};
  for (std::size_t bytes : sizes) {
    auto* block = static_cast<unsigned char*>(platform::allocateZeroed(bytes));
    ASSERT_NE(block, nullptr) << bytes;
    // Every page, and both ends.
    for (std::size_t i = 0; i < bytes; i += 4096) ASSERT_EQ(block[i], 0) << bytes << " at " << i;
    EXPECT_EQ(block[bytes - 1], 0) << bytes;
    std::memset(block, 0xA5, bytes);
    EXPECT_EQ(block[bytes - 1], 0xA5) << bytes;
    EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % 8, 0u) << bytes;
    platform::freeBlock(block, bytes);
  }
  platform::freeBlock(nullptr, 4096);   // nothing held: nothing to give back
}

TEST(PlatformMemory, AnImpossibleBlockIsRefused) {
  // More than half the address space: no system hands that out.
  EXPECT_EQ(platform::allocateZeroed(~std::size_t(0) / 2 + 1), nullptr);
}

TEST(PlatformMemory, SomePhysicalMemoryIsFree) {
  // The process itself is resident, so the system cannot be down to nothing.
  EXPECT_GT(platform::freePhysicalBytes(), 0u);
}

TEST(PlatformMemory, VersionIsAWindowsRecordOrTheSystemsOwnName) {
  platform::OsVersion version;
  ASSERT_TRUE(platform::readPlatformOsVersion(version));
  if (version.selfName[0] == '\0') {
    EXPECT_GE(version.major, 4u);   // Windows 95 and NT 4 onward
    EXPECT_TRUE(version.platformId == 1 || version.platformId == 2) << version.platformId;
    return;
  }
  // "Linux 6.1.0": the name, one blank, then the release whose numbers are in the record.
  const std::string name = version.selfName;
  const std::size_t blank = name.find(' ');
  ASSERT_NE(blank, std::string::npos) << name;
  EXPECT_GT(blank, 0u) << name;
  const std::string numbers = std::to_string(version.major) + "." + std::to_string(version.minor);
  EXPECT_EQ(name.compare(blank + 1, numbers.size(), numbers), 0) << name;
  EXPECT_EQ(name.find('-'), std::string::npos) << name;   // the distribution's suffix is cut
  EXPECT_EQ(version.platformId, 0u);
}

namespace fs = std::filesystem;
using testing_support::directoryListing;
using testing_support::readWholeFile;

TEST(PlatformFiles, ReplacingTakesTheNameNeverWhatStandsBehindIt) {
  // Whatever a link or a second name leads to stays as it was; a directory or FIFO is kept.
  const struct {
    const char* what;
    bool (*make)();   // puts something under "table.csv"; false when this system cannot
    bool replaced;
  } cases[] = {
      {"nothing", [] { return true; }, true},
      {"a stale file", [] { return testing_support::writeWholeFile("table.csv", "stale"), true; },
       true},
      {"a symbolic link",
       [] {
         std::error_code error;
         fs::create_symlink("victim.txt", "table.csv", error);
         return !error;
       },
       true},
      {"a hard link",
       [] {
         std::error_code error;
         fs::create_hard_link("victim.txt", "table.csv", error);
         return !error;
       },
       true},
      {"a directory", [] { return fs::create_directory("table.csv"); }, false},
#if !defined(_WIN32)
      {"a FIFO", [] { return mkfifo("table.csv", 0644) == 0; }, false},
#endif
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testing_support::ScopedTempDir dir;
    testing_support::writeWholeFile("victim.txt", "victim");
    if (!c.make()) continue;   // no such thing on this system
    const std::string before = directoryListing();
    EXPECT_EQ(platform::replaceFile("table.csv", platform::FileShare::readWrite, "new", 3),
              c.replaced);
    EXPECT_EQ(readWholeFile("victim.txt"), "victim");
    if (c.replaced) {
      EXPECT_EQ(readWholeFile("table.csv"), "new");
      EXPECT_FALSE(fs::is_symlink("table.csv"));
      EXPECT_EQ(directoryListing(), "table.csv\nvictim.txt\n");
    } else {
      EXPECT_STRNE(platform::lastFileErrorText(), "");
      EXPECT_EQ(directoryListing(), before);
    }
  }
}

#if !defined(_WIN32)
TEST(PlatformFiles, AFailedReplacementLeavesNothingButTheEarlierFile) {
  testing_support::ScopedTempDir dir;
  testing_support::writeWholeFile("table.csv", "stale");
  const std::string bytes(20000, 'x');
  bool replaced = true;
  {
    testing_support::FileSizeLimit limit(10000);
    if (!limit.active()) GTEST_SKIP() << "file size limit not available";
    replaced = platform::replaceFile("table.csv", platform::FileShare::none, bytes.data(),
                                     static_cast<uint32_t>(bytes.size()));
  }
  EXPECT_FALSE(replaced);
  EXPECT_STREQ(platform::lastFileErrorText(), "File too large");
  EXPECT_EQ(directoryListing(), "table.csv\n");
  EXPECT_EQ(readWholeFile("table.csv"), "stale");
}
#endif

TEST(PlatformMessage, AConsoleProgramWritesUtf8ToStandardError) {
  const struct {
    const char* text1252;
    const char* utf8;
  } cases[] = {
      {"TSC not supported!", "TSC not supported!\n"},
      {"Pentium\xAE III 0.18 \xB5m", "Pentium\xC2\xAE III 0.18 \xC2\xB5m\n"},
      {"XP\x99", "XP\xE2\x84\xA2\n"},
      {"\x80\x81", "\xE2\x82\xAC\xEF\xBF\xBD\n"},   // euro sign; 0x81 is undefined
  };
  for (const auto& c : cases) {
    testing::internal::CaptureStderr();
    platform::showErrorMessage(c.text1252);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.utf8);
  }
}

} // namespace
