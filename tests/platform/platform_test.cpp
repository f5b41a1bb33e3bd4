// The real platform seams of whichever system the suite is built for (Linux natively, Windows
// under Wine): the counter, zero-filled blocks, free memory, the version, and failure messages
// of a console program on standard error.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/clock.h"
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
