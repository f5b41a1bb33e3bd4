// Calibration against a scripted high-resolution counter: where the second starts (the
// counter's next edge), where it ends (at least one second of counts later, also across a
// wrap of the low 32 bits), what is filled, and that the priority is raised and restored.
// The time-stamp counter is the real one; each counter read records it, so the expected
// tick count has bounds taken from the same readings the calibration saw.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/timer.h"
#include "tests/fakes/fake_platform.h"

namespace {

std::vector<uint64_t> stampsAtReads;
void recordStamp() { stampsAtReads.push_back(engine::readTimeStampCounter()); }

void startScripted(uint64_t frequency, uint64_t value, uint64_t step, uint32_t holdReads) {
  fakeplatform::resetFakePlatform();
  engine::timer = {};
  stampsAtReads.clear();
  fakeplatform::clock.frequency = frequency;
  fakeplatform::clock.value = value;
  fakeplatform::clock.step = step;
  fakeplatform::clock.holdReads = holdReads;
  fakeplatform::clock.onRead = recordStamp;
}

struct ScriptCase {
  const char* what;
  uint64_t frequency, value, step;
  uint32_t holdReads;
  uint64_t expectedReads;   // counter reads the calibration makes
  uint64_t edgeRead;        // 1-based read that sees the counter change
};

TEST(Calibration, WaitsForAnEdgeThenOneSecondOfCounts) {
  const ScriptCase cases[] = {
      // Reads 1-4 give 5000, read 5 gives 5001 (the edge); reads 6..1005 give 5002..6001.
      {"edge after four reads", 1000, 5000, 1, 3, 1005, 5},
      // Read 2 is the edge; 1000 / 7 rounds up to 143 further reads.
      {"second ends at the first read past it", 1000, 0, 7, 0, 145, 2},
      // The low 32 bits wrap from 0xFFFFFFFF to 0 inside the second: still 512 reads.
      {"low part wraps", 0x200, 0xFFFFFF00u, 1, 0, 514, 2},
      {"wrap into a high part", 0x200, 0x1FFFFFFF0ull, 1, 0, 514, 2},
      // Only the low 32 bits of the frequency count: 2^32 + 100 times as 100 counts.
      {"frequency beyond 32 bits", (1ull << 32) + 100, 10, 1, 0, 102, 2},
  };
  for (const ScriptCase& c : cases) {
    startScripted(c.frequency, c.value, c.step, c.holdReads);
    engine::calibrateClock();
    const uint64_t returned = engine::readTimeStampCounter();
    ASSERT_EQ(fakeplatform::clock.reads, c.expectedReads) << c.what;
    ASSERT_EQ(stampsAtReads.size(), c.expectedReads) << c.what;

    // t0 is read between the edge read and the next; t1 after the last read.
    const uint64_t fewest = stampsAtReads.back() - stampsAtReads[c.edgeRead];
    const uint64_t most = returned - stampsAtReads[c.edgeRead - 1];
    EXPECT_GE(engine::timer.clock10k, fewest / 10000) << c.what;
    EXPECT_LE(engine::timer.clock10k, most / 10000) << c.what;
    EXPECT_GE(engine::timer.clockPer16, fewest >> 4) << c.what;
    EXPECT_LE(engine::timer.clockPer16, most >> 4) << c.what;
    EXPECT_EQ(engine::timer.perfFrequency, c.frequency) << c.what;
    EXPECT_EQ(fakeplatform::priority.raises, 1) << c.what;
    EXPECT_EQ(fakeplatform::priority.restores, 1) << c.what;
  }
}

TEST(Calibration, WritesTheClockTextAndThePauseCompensation) {
  startScripted(1000, 0, 1, 0);
  engine::calibrateClock();
  const uint32_t clock = engine::timer.clock10k;
  char expected[32];
  std::snprintf(expected, sizeof expected, "%5u,%02u MHz", clock / 100, clock % 100);
  EXPECT_STREQ(engine::timer.clockText, expected);

  // The five overhead samples stay sorted, and the compensation is their trimmed mean / 128.
  const uint32_t* s = engine::timer.sampleScratch;
  for (int i = 0; i < 4; ++i) EXPECT_GE(s[i], s[i + 1]);
  EXPECT_EQ(engine::timer.pauseCompensation, ((((s[1] + s[3]) >> 1) + s[2]) >> 1) >> 7);
  EXPECT_GT(s[4], 0u);   // 128 calls take time
}

TEST(Calibration, ClockTextIsFiveIntegerPlacesCommaDecimalsAndUnit) {
  const struct {
    uint32_t clock10k;
    const char* text;
  } cases[] = {
      {199987, " 1999,87 MHz"},          // 1,999.87 MHz: a blank, 1999, a comma, 87
      {80193, "  801,93 MHz"},
      {5, "    0,05 MHz"},
      {9999999, "99999,99 MHz"},         // the widest clock the eight characters hold
      // A counter that misreports its frequency can give an impossible clock: every digit
      // stays, none is cut to fit.
      {12345678, "123456,78 MHz"},
      {4294967295u, "42949672,95 MHz"},
  };
  for (const auto& c : cases) {
    engine::timer = {};
    engine::writeClockText(c.clock10k);
    EXPECT_STREQ(engine::timer.clockText, c.text) << c.clock10k;
  }
}

TEST(Calibration, WithoutACounterNothingIsSet) {
  const struct {
    const char* what;
    bool hasCounter;
    uint64_t frequency;
  } cases[] = {
      {"no counter", false, 1000},
      {"frequency whose low 32 bits are 0", true, 1ull << 32},
      {"frequency 0", true, 0},
  };
  for (const auto& c : cases) {
    startScripted(c.frequency, 0, 1, 0);
    fakeplatform::clock.hasCounter = c.hasCounter;
    engine::calibrateClock();
    EXPECT_EQ(engine::timer.clock10k, 0u) << c.what;
    EXPECT_EQ(engine::timer.clockPer16, 0u) << c.what;
    EXPECT_EQ(engine::timer.pauseCompensation, 0u) << c.what;
    EXPECT_STREQ(engine::timer.clockText, "") << c.what;
    EXPECT_EQ(fakeplatform::priority.raises, 0) << c.what;
    EXPECT_EQ(fakeplatform::clock.reads, 0u) << c.what;
    // Uncalibrated: every rate and every cycle count is 0.
    engine::timer.timerStartCount = engine::readTimeStampCounter() - 40000000;
    EXPECT_EQ(engine::rateFromElapsed(16), 0u) << c.what;
    EXPECT_EQ(engine::cyclesFromRate(100000, 32), 0u) << c.what;
  }
}

TEST(Calibration, PriorityCallsGoToThePlatform) {
  fakeplatform::resetFakePlatform();
  engine::raisePriority();
  EXPECT_EQ(fakeplatform::priority.depth, 1);
  engine::restorePriority();
  EXPECT_EQ(fakeplatform::priority.depth, 0);
  EXPECT_EQ(fakeplatform::priority.raises, 1);
}

} // namespace
