// The core clock: the ratio arithmetic and the 5 % warning threshold from worked examples, and
// the measurement's dependence on a calibrated counter. No measured speed is compared.
#include <gtest/gtest.h>

#include "engine/core_clock.h"
#include "engine/timer.h"

namespace {

TEST(CoreClock, CounterClockTimesCyclesPerTick) {
  const struct {
    uint32_t counter10k, cycles;
    uint64_t ticks;
    uint32_t core10k;
  } cases[] = {
      {209600, 3276800, 3276800, 209600},          // the core at the counter's clock
      {209600, 100, 64, 327500},                   // 2096 MHz x 100 / 64 = 3275 MHz
      {259614, 3276800, 2300000, 369870},          // 2596,14 MHz x 3276800 / 2300000 = 3698,70
      {209600, 3276800, 0, 0},                     // no time passed: no clock
      {0xFFFFFFFFu, 0xFFFFFFFFu, 1, 0xFFFFFFFFu},  // saturates rather than wraps
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ticks);
    EXPECT_EQ(engine::coreClockFrom(c.counter10k, c.cycles, c.ticks), c.core10k);
  }
}

TEST(CoreClock, DifferenceAboveFivePercentOfTheCounterClock) {
  const struct {
    uint32_t core10k, counter10k;
    bool differ;
  } cases[] = {
      {209600, 209600, false},
      {220080, 209600, false},   // exactly 5 % faster
      {220081, 209600, true},
      {199120, 209600, false},   // exactly 5 % slower
      {199119, 209600, true},
      {369870, 259614, true},    // a core 42 % faster than its counter
      {0, 209600, false},        // not measured
      {209600, 0, false},        // counter not calibrated
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.core10k);
    EXPECT_EQ(engine::clocksDiffer(c.core10k, c.counter10k), c.differ);
  }
}

TEST(CoreClock, MeasuredOnlyAgainstACalibratedCounter) {
  engine::timer = {};
  engine::coreClock.clock10k = 123;
  engine::measureCoreClock();
  EXPECT_EQ(engine::coreClock.clock10k, 0u);
  engine::timer.clock10k = 100000;   // any counter clock: the chain's ticks scale it
  engine::measureCoreClock();
  EXPECT_GT(engine::coreClock.clock10k, 0u);
  engine::timer = {};
  engine::coreClock = {};
}

} // namespace
