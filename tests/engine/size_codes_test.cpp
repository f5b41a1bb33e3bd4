// Block sizes of the size codes, the transfer plan with and without the reduced volume and
// "4x Iterations", the turn counts of the kernel frame, the Memory Walk strides and the
// line-size decision. Expected values are worked by hand from the size rule.
#include <gtest/gtest.h>

#include "engine/kernels/kernel_frame.h"
#include "engine/latency/latency.h"
#include "engine/run/peak.h"
#include "engine/run/results.h"
#include "engine/size_codes.h"
#include "engine/test_area.h"
#include "engine/timer.h"
#include "tests/engine/engine_memory.h"

namespace {

using engine::SizeCode;

TEST(EngineBlockDwords, WorkedCodes) {
  struct Case { SizeCode code; uint32_t dwords; };
  const Case cases[] = {
      {0, 1024},        {1, 1056},        {4, 1184},        // 1,188 rounded down
      {19, 1792},       // 1,803 rounded down: 7 KB
      {24, 1984},       {25, 2048},       {99, 16064},      {179, 152064},
      {200, 262144},    {299, 4112384},   {300, 4194304},   {325, 8388608},
  };
  for (const Case& c : cases) EXPECT_EQ(engine::blockDwords(c.code), c.dwords) << c.code;
}

TEST(EngineBlockDwords, EveryDoublingIsAPowerOfTwoAndSizesGrow) {
  for (SizeCode k = 0; k <= 12; ++k) EXPECT_EQ(engine::blockDwords(25 * k), 1024u << k) << k;
  for (SizeCode code = 1; code <= 300; ++code) {
    EXPECT_GT(engine::blockDwords(code), engine::blockDwords(code - 1)) << code;
    EXPECT_EQ(engine::blockDwords(code) % 32, 0u) << code;   // whole 128-byte units
  }
}

TEST(EngineTransferPlan, VolumeOverBlock) {
  struct Case { uint32_t shift; bool reduced; SizeCode code; uint32_t passes, remainder; };
  const Case cases[] = {
      {0, false, 300, 1, 0},       {2, false, 300, 4, 0},
      {0, false, 1, 3971, 928},    // 3,971 x 1,056 + 928 = 4,194,304
      {0, true, 99, 32, 10240},    // 524,288 = 32 x 16,064 + 10,240
      {0, false, 0, 4096, 0},      {2, false, 0, 16384, 0},   // the most passes there are
      {0, true, 300, 0, 524288},   // an eighth of 16 MB is only a partial pass
  };
  enginetest::prepareEngine();
  for (const Case& c : cases) {
    engine::runParameters.iterationShift = static_cast<uint8_t>(c.shift);
    engine::testArea.reducedTransfer = c.reduced;
    const engine::TransferPlan plan = engine::transferPlan(engine::blockDwords(c.code));
    EXPECT_EQ(plan.passes, c.passes) << c.code << " shift " << c.shift;
    EXPECT_EQ(plan.remainder, c.remainder) << c.code << " shift " << c.shift;
  }
  enginetest::prepareEngine();
}

TEST(EngineKernelTurns, WholeAndPartialPasses) {
  struct Case { SizeCode code; uint32_t shift, turnBytes, turns, passes, partial, whole = 0; };
  const Case cases[] = {
      {1, 0, 32, 132, 3971, 116},     // 928 units / 8 per turn
      {1, 0, 64, 66, 3971, 58},       // 928 units / 16 per turn
      {300, 0, 32, 524288, 1, 0},     {300, 2, 64, 262144, 4, 0},
      {300, 0, 128, 131072, 1, 0},    {300, 0, 256, 65536, 1, 0},
      {4, 0, 32, 148, 3542, 72},      // 4,194,304 = 3,542 x 1,184 + 576
      // Past the volume a block moves once, whole: 17,448,960 and 64 MB bytes.
      {301, 0, 128, 136320, 1, 0, 17448960},
      {350, 0, 64, 1048576, 1, 0, 67108864},   {350, 2, 64, 1048576, 1, 0},
  };
  enginetest::prepareEngine();
  for (const Case& c : cases) {
    engine::runParameters.iterationShift = static_cast<uint8_t>(c.shift);
    const engine::KernelTurns k = engine::kernelTurns(c.code, c.turnBytes);
    EXPECT_EQ(k.turns, c.turns) << c.code << "/" << c.turnBytes;
    EXPECT_EQ(k.passes, c.passes) << c.code << "/" << c.turnBytes;
    EXPECT_EQ(k.partialTurns, c.partial) << c.code << "/" << c.turnBytes;
    EXPECT_EQ(k.wholeBlockBytes, c.whole) << c.code << "/" << c.turnBytes;
  }
  enginetest::prepareEngine();
}

// A scripted counter 100 ticks a reading: 100 ticks for 16 MB give 4096 at clockPer16 16.
uint64_t scriptedStamp = 0;
uint64_t nextScriptedStamp() { return scriptedStamp += 100; }

TEST(EngineNominalRate, AWholeBlockPastTheVolumeCountsItsOwnBytes) {
  const engine::TimerState saved = engine::timer;
  engine::timer.readStamp = nextScriptedStamp;
  engine::timer.clockPer16 = 16;
  engine::runParameters.iterationShift = 0;
  const struct { uint32_t whole, rate; } cases[] = {
      {0, 4096}, {67108864, 16384}, {17448960, 4260},   // 4,096 x 1.0400390625
  };
  for (const auto& c : cases) {
    engine::KernelTurns k;
    k.wholeBlockBytes = c.whole;
    engine::timerStart();
    EXPECT_EQ(engine::nominalRate(k), c.rate) << c.whole;
  }
  engine::timer = saved;
}

TEST(EngineWalkStride, BlockTimesStepOver4096RoundedDown) {
  struct Case { SizeCode code; uint32_t step, stride; };
  const Case cases[] = {
      {0, 16, 16},          {300, 16, 65536},     {0, 4, 4},          {300, 64, 262144},
      {1, 4, 4},            // 4,224 x 4 / 4,096 = 4.1
      {13, 4, 6},           // 1,024 + 533 = 1,557 units -> 1,536 -> 6 bytes: even
      {4, 16, 16},          // 1,184 >> 6 = 18, at least 16: a multiple of 4
      {20, 16, 28},         // 1,844 -> 1,824 units >> 6 = 28.5 -> 28, a multiple of 4
      {41, 32, 104},        // 1,680 x 2 = 3,360 units >> 5 = 105 -> 104
      {100, 1024, 16384},   {100, 5, 64},         // a step without a shift counts as 4
      {150, 8, 512},        // 65,536 units >> 7 = 512 -> 512 is a multiple of 32
      {160, 64, 5696},      // 1,434 << 6 = 91,776 units >> 4 = 5,736 -> 5,728 -> 5,696
  };
  for (const Case& c : cases) {
    EXPECT_EQ(engine::walkStride(c.code, c.step), c.stride) << c.code << " step " << c.step;
  }
}

TEST(EngineLineProbe, FirstStrideAtWhichTheRateStopsJumping) {
  struct Case { uint32_t a, b, c, chosen; };
  const Case cases[] = {
      {1000, 1501, 0, 9},      // 64-byte reads more than half faster: 32-byte lines
      {1000, 1500, 2251, 10},  // exactly half faster is not more: on to the 128-byte reads
      {1000, 1100, 2000, 10},  // 64-byte lines
      {1000, 1100, 1650, 11},  // 1,100 + 550 = 1,650 is not below: 128-byte lines
      {1001, 1501, 0, 11},     // 1,001 + 500 = 1,501: halving truncates
  };
  for (const Case& c : cases) {
    EXPECT_EQ(engine::chooseLineKernel(c.a, c.b, c.c), c.chosen) << c.a << " " << c.b;
  }
}

} // namespace
