// A series measured point by point through a fake kernel: an interrupted run is measured again
// and the point ends at its true value, a real step between neighbouring sizes stays, and a
// series without interruptions is what one run per point gives.
#include <gtest/gtest.h>

#include <vector>

#include "engine/run/results.h"
#include "engine/run/steady_point.h"

namespace {

// Plateaus of a cache curve, hundredths of MB/s: the second falls to 53 % of the first, the
// third to exactly half of the second. Neither fall is below half.
uint32_t cacheCurve(uint32_t code) {
  return code < 75 ? 3000000 : code < 150 ? 1600000 : 800000;
}

// A level that really ends at code 40: the rate falls to a third there.
uint32_t stepCurve(uint32_t code) { return code < 40 ? 3000000 : 1000000; }

// A kernel whose first runs at one code are interrupted: they come out at 1/60 of the true rate,
// as a run does when the host takes the processor away for a moment.
struct FakeKernel {
  uint32_t (*trueRate)(uint32_t code);
  uint32_t interruptedCode = ~0u;
  int interruptedRuns = 0;
  uint32_t jitterPerRun = 0;   // added once more for every further run at a code
  std::vector<int> runs = std::vector<int>(engine::sizeCodeCount, 0);
  int calls = 0;

  uint32_t operator()(uint32_t code) {
    ++calls;
    const int run = runs[code]++;
    const uint32_t rate = trueRate(code) + jitterPerRun * run;
    return code == interruptedCode && run < interruptedRuns ? rate / 60 : rate;
  }
};

struct Kept {
  uint32_t code;
  engine::SteadyPoint point;
};

std::vector<Kept> measure(FakeKernel& kernel, uint32_t start, uint32_t end) {
  std::vector<Kept> kept;
  engine::measureSeries(
      start, end, [&](uint32_t code) { return kernel(code); },
      [&](uint32_t code, const engine::SteadyPoint& point) { kept.push_back({code, point}); });
  return kept;
}

TEST(SteadyPoint, InterruptedPointIsMeasuredAgainAndEndsAtItsTrueValue) {
  const struct { uint32_t start, end, code; int interrupted, runs; } cases[] = {
      {0, 100, 50, 1, 2},    // one interrupted run: one run more
      {0, 100, 50, 2, 3},    // interrupted twice: both runs more
      {100, 0, 50, 1, 2},    // a range measured downwards
      {0, 100, 75, 1, 2},    // at a real fall that is not below half
      {0, 100, 0, 1, 2},     // the first point: its second run rescues it, no mark
  };
  for (const auto& c : cases) {
    FakeKernel kernel{cacheCurve, c.code, c.interrupted};
    for (const Kept& k : measure(kernel, c.start, c.end)) {
      EXPECT_EQ(k.point.rate, cacheCurve(k.code)) << c.code << " @ " << k.code;
      const bool hit = k.code == c.code;
      const int runs = hit ? c.runs : k.code == c.start ? 2 : 1;
      EXPECT_EQ(k.point.runs, runs) << c.code << " @ " << k.code;
      EXPECT_EQ(k.point.remeasured, hit && k.code != c.start) << c.code << " @ " << k.code;
    }
  }
}

TEST(SteadyPoint, GenuineStepStaysAsMeasured) {
  FakeKernel kernel{stepCurve};
  kernel.jitterPerRun = 7;
  const std::vector<Kept> kept = measure(kernel, 0, 80);
  for (const Kept& k : kept) {
    if (k.code == 40) {
      // Measured three times, the step each time: the highest of the three stays.
      EXPECT_EQ(k.point.rate, 1000014u);
      EXPECT_EQ(k.point.runs, 3);
      EXPECT_TRUE(k.point.remeasured);
    } else if (k.code != 0) {
      EXPECT_EQ(k.point.rate, stepCurve(k.code)) << k.code;
      EXPECT_EQ(k.point.runs, 1) << k.code;
    }
  }
}

TEST(SteadyPoint, WithoutInterruptionTheSeriesIsOneRunPerPoint) {
  FakeKernel kernel{cacheCurve};
  const std::vector<Kept> kept = measure(kernel, 0, 300);
  ASSERT_EQ(kept.size(), 301u);
  for (uint32_t code = 0; code <= 300; ++code) {
    EXPECT_EQ(kept[code].code, code);   // kept once per point, in order
    EXPECT_EQ(kept[code].point.rate, cacheCurve(code)) << code;
    EXPECT_EQ(kept[code].point.runs, code == 0 ? 2 : 1) << code;
    EXPECT_FALSE(kept[code].point.remeasured) << code;
  }
  EXPECT_EQ(kernel.calls, 302);
}

} // namespace

namespace {

// Samples of one point in order; each repeat takes the next.
struct ScriptedSamples {
  std::vector<uint32_t> rates;
  std::size_t next = 0;
  uint32_t operator()(uint32_t) { return rates[next++ % rates.size()]; }
};

TEST(RepeatedPoint, KeepsTheMedianWithTheLowestAndHighestSample) {
  const struct { std::vector<uint32_t> samples; uint32_t repeats, median, low, high; } cases[] = {
      {{3000000}, 1, 3000000, 3000000, 3000000},
      {{2900000, 3100000, 3000000}, 3, 3000000, 2900000, 3100000},
      {{2900000, 3100000, 3000000, 3300000}, 4, 3050000, 2900000, 3300000},   // mean of the middle two
      // One sample spoiled below half of the point before, and still low after its two extra
      // runs: the median of the five ignores it.
      {{3000000, 10000, 10000, 10000, 3000000, 3100000, 3000000}, 5, 3000000, 10000, 3100000},
  };
  for (const auto& c : cases) {
    ScriptedSamples kernel{c.samples};
    const engine::SteadyPoint previous{3000000, 2, false};   // the point before, measured
    const engine::RepeatedPoint p =
        engine::measureRepeated([&] { return kernel(1); }, previous, c.repeats);
    EXPECT_EQ(p.kept.rate, c.median);
    EXPECT_EQ(p.lowRate, c.low);
    EXPECT_EQ(p.highRate, c.high);
    EXPECT_EQ(kernel.next, c.samples.size());   // every sample, and no more, was measured
  }
}

} // namespace
