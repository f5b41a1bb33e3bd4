// Calibration against a scripted high-resolution counter and a scripted time-stamp counter
// that follows it at a fixed number of ticks per count, so the clock it must find is known
// exactly. Interruptions between a counter reading and its time stamp, and jumps of the time
// stamps alone, stand for a machine whose other core is busy.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "engine/timer.h"
#include "tests/fakes/fake_platform.h"

namespace {

// 9,000 counts per second at 300,000 ticks per count: a 2,700.00 MHz clock.
constexpr uint64_t countsPerSecond = 9000;
constexpr uint64_t ticksPerCount = 300000;
constexpr uint64_t expectedTicks = countsPerSecond * ticksPerCount;

struct Disturbance {
  uint64_t interruptEvery = 0;    // every this-many counter reads ...
  uint64_t interruptCounts = 0;   // ... time jumps on by this many counts before the read
  uint64_t bendAtRead[2] = {};    // at these reads the time stamps alone jump ...
  int64_t bendTicks[2] = {};      // ... by these many ticks
};
Disturbance disturbance;
uint64_t stampOffset = 0;
uint64_t extraTicksPerStamp = 0;   // ticks each time-stamp reading adds on its own

uint64_t scriptedStamp() {
  stampOffset += extraTicksPerStamp;
  return fakeplatform::clock.value * ticksPerCount + stampOffset;
}

void disturb() {
  const fakeplatform::FakeClock& c = fakeplatform::clock;
  if (disturbance.interruptEvery != 0 && c.reads % disturbance.interruptEvery == 0) {
    fakeplatform::clock.value += disturbance.interruptCounts;
  }
  for (int i = 0; i < 2; ++i) {
    if (c.reads == disturbance.bendAtRead[i]) stampOffset += disturbance.bendTicks[i];
  }
}

void startScripted(uint64_t frequency, uint64_t value, uint64_t step) {
  fakeplatform::resetFakePlatform();
  engine::timer = {};
  engine::timer.readStamp = scriptedStamp;
  fakeplatform::clock.frequency = frequency;
  fakeplatform::clock.value = value;
  fakeplatform::clock.step = step;
  fakeplatform::clock.onRead = disturb;
  disturbance = {};
  stampOffset = 1ull << 40;   // room for the jumps back
  extraTicksPerStamp = 0;
}

TEST(Calibration, MedianOfWindowsTimedByTightPairsOverOneSecond) {
  const struct {
    const char* what;
    uint64_t frequency, value, step;
    Disturbance disturbance;
  } cases[] = {
      {"steady", countsPerSecond, 5000, 1, {}},
      {"seven counts per read", countsPerSecond, 0, 7, {}},
      {"low part wraps", countsPerSecond, 0xFFFFF000u, 1, {}},
      {"wrap into a high part", countsPerSecond, 0x1FFFFF000ull, 1, {}},
      // Only the low 32 bits of the frequency count: 2^32 + 9,000 times as 9,000 counts.
      {"frequency beyond 32 bits", (1ull << 32) + countsPerSecond, 10, 1, {}},
      // Every third counter reading comes late: a third of the pairs are split, too many
      // for the median alone.
      {"interrupted every third read", countsPerSecond, 0, 1, {3, 5, {}, {}}},
      // The time stamps jump twice, unseen by the counter: two windows of nine are bent.
      {"two windows bent", countsPerSecond, 0, 1,
       {0, 0, {2500, 6500}, {100 * ticksPerCount, -300 * int64_t{ticksPerCount}}}},
  };
  for (const auto& c : cases) {
    startScripted(c.frequency, c.value, c.step);
    disturbance = c.disturbance;
    engine::calibrateClock();
    EXPECT_EQ(engine::timer.clock10k, expectedTicks / 10000) << c.what;
    EXPECT_EQ(engine::timer.clockPer16, expectedTicks >> 4) << c.what;
    EXPECT_EQ(engine::timer.perfFrequency, c.frequency) << c.what;
    // About one second of counts: at least one, far less than two.
    const uint64_t counted = fakeplatform::clock.value - c.value;
    EXPECT_GE(counted, countsPerSecond) << c.what;
    EXPECT_LT(counted, 2 * countsPerSecond) << c.what;
    EXPECT_EQ(fakeplatform::priority.raises, 1) << c.what;
    EXPECT_EQ(fakeplatform::priority.restores, 1) << c.what;
  }
}

TEST(Calibration, WritesTheClockTextAndThePauseCompensation) {
  startScripted(countsPerSecond, 0, 1);
  extraTicksPerStamp = 10;
  engine::calibrateClock();
  const uint32_t clock = engine::timer.clock10k;
  char expected[32];
  std::snprintf(expected, sizeof expected, "%5u,%02u MHz", clock / 100, clock % 100);
  EXPECT_STREQ(engine::timer.clockText, expected);

  // Each overhead sample reads the time stamp before and after 128 resumes: 129 readings of
  // 10 ticks with the counter standing still, so the compensation is 1,290 / 128.
  for (uint32_t sample : engine::timer.sampleScratch) EXPECT_EQ(sample, 1290u);
  EXPECT_EQ(engine::timer.pauseCompensation, 10u);
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
    startScripted(c.frequency, 0, 1);
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
