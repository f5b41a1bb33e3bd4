// The single start-up checks: the free-memory boundary and its message, worked out by hand
// from the byte counts, and the two processor checks' messages.
#include <gtest/gtest.h>

#include <string>

#include "app/startup.h"

namespace {

const std::string head = "TW32 detected ";
const std::string tail = " MBytes free physical memory.\r\nAt least 36,00 MBytes needed for testing.";

struct MemoryCase {
  const char* what;
  uint64_t freeBytes;
  const char* field;   // nullptr: the check passes
};

TEST(FreeMemoryCheck, BoundaryAndMessageField) {
  const MemoryCase cases[] = {
      {"exactly 36 MiB", 37748736, nullptr},
      // 37,748,735 x 100 >> 20 = 3,599: 35,99.
      {"one byte short", 37748735, " 35,99"},
      {"20 MiB", 20971520, " 20,00"},
      {"512 KiB", 524288, "  0,50"},
      // 1,048,575 x 100 >> 20 = 99: truncated, not rounded.
      {"one byte under 1 MiB", 1048575, "  0,99"},
      {"nothing free", 0, "  0,00"},
      {"4 GiB", 4ull << 30, nullptr},
      // 45,035,996,273,705 x 100 >> 20 = 2^32: would read as 0 in 32 bits.
      {"more than 32 bits of hundredths", 45035996273705ull, nullptr},
      {"everything", UINT64_MAX, nullptr},
  };
  for (const MemoryCase& c : cases) {
    const app::StartupStatus status = app::checkFreeMemory(c.freeBytes);
    if (!c.field) {
      EXPECT_TRUE(status.ok()) << c.what;
      EXPECT_STREQ(status.message, "") << c.what;
      continue;
    }
    EXPECT_EQ(status.failure, app::StartupFailure::lowMemory) << c.what;
    EXPECT_EQ(std::string(status.message), head + c.field + tail) << c.what;
  }
}

TEST(FreeMemoryCheck, HundredthsSaturateInsteadOfWrapping) {
  EXPECT_EQ(app::freeHundredthsOfMiB(37748736), 3600u);
  EXPECT_EQ(app::freeHundredthsOfMiB(45035996273704ull), 0xFFFFFFFFu);  // 2^32 - 1 exactly
  EXPECT_EQ(app::freeHundredthsOfMiB(45035996273705ull), 0xFFFFFFFFu);
  EXPECT_EQ(app::freeHundredthsOfMiB(UINT64_MAX), 0xFFFFFFFFu);
}

TEST(ProcessorChecks, MessagesOfMissingFeatures) {
  EXPECT_TRUE(app::checkCpuidPresent(true).ok());
  EXPECT_TRUE(app::checkTimeStampCounter(true).ok());
  const app::StartupStatus noCpuid = app::checkCpuidPresent(false);
  EXPECT_EQ(noCpuid.failure, app::StartupFailure::cpuidMissing);
  EXPECT_STREQ(noCpuid.message, "CPUID not supported!");
  const app::StartupStatus noTsc = app::checkTimeStampCounter(false);
  EXPECT_EQ(noTsc.failure, app::StartupFailure::tscMissing);
  EXPECT_STREQ(noTsc.message, "TSC not supported!");
}

TEST(ProcessorChecks, ThisProcessorHasCpuid) {
  // Every processor these tests run on (x86-64, or i686 under Wine) has the instruction; the
  // flags must be left as they were.
  EXPECT_TRUE(app::processorHasCpuid());
  EXPECT_TRUE(app::processorHasCpuid());
}

} // namespace
