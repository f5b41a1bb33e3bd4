// The timer's fixed-point arithmetic and robust averages, against worked examples computed by
// hand: rates from elapsed cycles, cycles per transfer from rates, and the sample sorts.
#include <gtest/gtest.h>

#include "engine/timer.h"

namespace {

struct RateCase {
  const char* what;
  uint64_t elapsed;
  uint32_t megabytes;
  uint32_t clockPer16;
  uint32_t expected;
};

TEST(RateFromCycles, WorkedExamples) {
  const RateCase cases[] = {
      // 2 GHz: 6,400 x 125,000,000 / 10,000,000 = 80,000, i.e. 800.00 MB/s.
      {"16 MB in 40M cycles at 2 GHz", 40000000, 16, 125000000, 80000},
      // 400 x 125,000,000 / 750,000 = 66,666.67, truncated.
      {"quotient truncates", 3000000, 1, 125000000, 66666},
      // Elapsed 3 cycles, quarter 0 after the shift.
      {"elapsed below four cycles", 3, 16, 125000000, 0},
      // (2^34 + 40,000,000) >> 2 = 2^32 + 10,000,000: only the low 10,000,000 count.
      {"quarter count beyond 32 bits", (1ull << 34) + 40000000, 16, 125000000, 80000},
      // 2^34 >> 2 = 2^32, whose low 32 bits are 0: no rate, no division fault.
      {"quarter count of exactly 2^32", 1ull << 34, 16, 125000000, 0},
      {"uncalibrated clock", 40000000, 16, 0, 0},
      // 800,000,000,000 / 1 does not fit 32 bits.
      {"quotient beyond 32 bits", 4, 16, 125000000, 0xFFFFFFFFu},
      // 400 x 11,000,000 = 4,400,000,000, in 32 bits 105,032,704.
      {"400 x n wraps in 32 bits", 4, 11000000, 1, 105032704},
  };
  for (const RateCase& c : cases) {
    EXPECT_EQ(engine::rateFromCycles(c.elapsed, c.megabytes, c.clockPer16), c.expected) << c.what;
  }
}

struct CyclesCase {
  const char* what;
  uint32_t clock10k;
  uint32_t rate;
  uint32_t width;
  uint32_t expected;
};

TEST(CyclesFromRate, WorkedExamples) {
  const CyclesCase cases[] = {
      // (200,000 x 400,000,000) >> 20 = 76,293,945; / 100,000 = 762: 7.62 cycles per load.
      {"2 GHz, 1,000 MB/s, 32 bits", 200000, 100000, 32, 762},
      // 1.6e14 >> 20 = 152,587,890; / 100,000 = 1,525.
      {"2 GHz, 1,000 MB/s, 64 bits", 200000, 100000, 64, 1525},
      // 3.2e14 >> 20 = 305,175,781; / 100,000 = 3,051.
      {"2 GHz, 1,000 MB/s, 128 bits", 200000, 100000, 128, 3051},
      // 6.4e14 >> 20 = 610,351,562; / 100,000 = 6,103. And twice that for 512 bits.
      {"2 GHz, 1,000 MB/s, 256 bits", 200000, 100000, 256, 6103},
      {"2 GHz, 1,000 MB/s, 512 bits", 200000, 100000, 512, 12207},
      {"rate 0 at 32 bits", 200000, 0, 32, 0},
      {"rate 0 at 64 bits", 200000, 0, 64, 0},
      {"rate 0 at 128 bits", 200000, 0, 128, 0},
      {"width 16", 200000, 100000, 16, 0},
      {"width 16, rate 1", 200000, 1, 16, 0},
      {"width 0", 200000, 100000, 0, 0},
      {"uncalibrated", 0, 100000, 32, 0},
      // 20,000,000 x 1.6e9 >> 20 = 30,517,578,125; its low 32 bits are 452,807,053.
      {"scaled value keeps its low 32 bits", 20000000, 1, 128, 452807053},
  };
  for (const CyclesCase& c : cases) {
    engine::timer = {};
    engine::timer.clock10k = c.clock10k;
    EXPECT_EQ(engine::cyclesFromRate(c.rate, c.width), c.expected) << c.what;
  }
}

struct AverageCase {
  const char* what;
  uint32_t samples[5];
  uint32_t expected;
  uint32_t sorted[5];
};

TEST(RobustAverages, TrimmedMeanOfFiveSortsDescendingInPlace) {
  const AverageCase cases[] = {
      // ((40 + 20) / 2 + 30) / 2 = 30.
      {"worked example", {10, 50, 20, 40, 30}, 30, {50, 40, 30, 20, 10}},
      // ((9 + 0) / 2 + 9) / 2 = (4 + 9) / 2 = 6: each halving truncates.
      {"halvings truncate", {0, 9, 0, 9, 9}, 6, {9, 9, 9, 0, 0}},
      {"already descending", {5, 4, 3, 2, 1}, 3, {5, 4, 3, 2, 1}},
      {"all equal", {7, 7, 7, 7, 7}, 7, {7, 7, 7, 7, 7}},
      // The extremes are dropped, however far out: ((3 + 1) / 2 + 2) / 2 = 2.
      {"outliers ignored", {4000000000u, 1, 2, 3, 0}, 2, {4000000000u, 3, 2, 1, 0}},
  };
  for (const AverageCase& c : cases) {
    engine::timer = {};
    for (int i = 0; i < 5; ++i) engine::timer.sampleScratch[i] = c.samples[i];
    EXPECT_EQ(engine::trimmedMeanOfFive(), c.expected) << c.what;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(engine::timer.sampleScratch[i], c.sorted[i]) << c.what;
  }
}

TEST(RobustAverages, MedianOfFourUsesOnlyTheFirstFour) {
  const AverageCase cases[] = {
      // (30 + 20) / 2 = 25; the fifth entry is neither read nor moved.
      {"worked example", {10, 40, 20, 30, 99}, 25, {40, 30, 20, 10, 99}},
      {"halving truncates", {0, 7, 4, 1, 0}, 2, {7, 4, 1, 0, 0}},
      {"equal middle", {6, 6, 6, 1, 1000}, 6, {6, 6, 6, 1, 1000}},
  };
  for (const AverageCase& c : cases) {
    engine::timer = {};
    for (int i = 0; i < 5; ++i) engine::timer.sampleScratch[i] = c.samples[i];
    EXPECT_EQ(engine::medianOfFour(), c.expected) << c.what;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(engine::timer.sampleScratch[i], c.sorted[i]) << c.what;
  }
}

} // namespace
