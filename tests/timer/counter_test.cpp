// The timer's use of the time-stamp counter: resume moves the start by the paused span plus
// the compensation, and a rate is 0 until the clock is known. Bounds come from counter
// readings taken around each call, so nothing depends on how fast the machine is.
#include <gtest/gtest.h>

#include "engine/timer.h"

namespace {

TEST(TimerCounter, ReadsIncrease) {
  const uint64_t first = engine::readTimeStampCounter();
  const uint64_t second = engine::readTimeStampCounter();
  EXPECT_GT(second, first);
}

TEST(TimerCounter, ResumeSkipsThePausedSpanAndTheCompensation) {
  engine::timer = {};
  engine::timer.pauseCompensation = 1000;
  engine::timerStart();
  const uint64_t started = engine::timer.timerStartCount;
  engine::timerPause();
  const uint64_t paused = engine::timer.timerPauseCount;
  const uint64_t before = engine::readTimeStampCounter();
  engine::timerResume();
  const uint64_t after = engine::readTimeStampCounter();
  const uint64_t moved = engine::timer.timerStartCount - started;
  EXPECT_GE(paused, started);
  EXPECT_GE(moved, before - paused + 1000);
  EXPECT_LE(moved, after - paused + 1000);
}

// A scripted time-stamp counter: every reading 100 ticks after the one before.
uint64_t scriptedStamp = 0;
uint64_t nextScriptedStamp() { return scriptedStamp += 100; }

TEST(TimerCounter, StartPauseResumeAndStopUseTheChosenReading) {
  engine::timer = {};
  engine::timer.readStamp = nextScriptedStamp;
  scriptedStamp = 0;
  engine::timer.clockPer16 = 16;
  engine::timer.pauseCompensation = 30;
  engine::timerStart();                         // reads 100
  EXPECT_EQ(engine::timer.timerStartCount, 100u);
  engine::timerPause();                         // reads 200
  EXPECT_EQ(engine::timer.timerPauseCount, 200u);
  engine::timerResume();                        // reads 300: the start moves by 100 + 30
  EXPECT_EQ(engine::timer.timerStartCount, 230u);
  // Stopped at 400: 170 cycles, 42 quarters; 400 x 16 MB x 16 / 42.
  EXPECT_EQ(engine::rateFromElapsed(16), 2438u);
  engine::timer = {};
}

TEST(TimerCounter, RateIsZeroUntilCalibrated) {
  engine::timer = {};
  engine::timer.timerStartCount = engine::readTimeStampCounter() - 40000000;
  EXPECT_EQ(engine::rateFromElapsed(16), 0u);
  EXPECT_EQ(engine::cyclesFromRate(100000, 32), 0u);
}

TEST(TimerCounter, RateFromElapsedMeasuresSinceStart) {
  engine::timer = {};
  engine::timer.clockPer16 = 125000000;
  // Start 40,000,000 cycles ago: the rate can only be at or below 800.00 MB/s, and not by
  // more than the cycles spent between the two readings around the call.
  const uint64_t before = engine::readTimeStampCounter();
  engine::timer.timerStartCount = before - 40000000;
  const uint32_t rate = engine::rateFromElapsed(16);
  const uint64_t after = engine::readTimeStampCounter();
  EXPECT_LE(rate, 80000u);
  EXPECT_GE(rate, engine::rateFromCycles(after - engine::timer.timerStartCount, 16, 125000000));
}

} // namespace
