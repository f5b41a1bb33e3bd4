// The sweeps of --bench: each figure's best over all sweeps, printed once in the last sweep,
// and the data each figure runs on. Fake measurements; nothing is timed.
#include "cli/bench_sweeps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(BenchSweeps, EachFigureIsItsBestOverAllSweepsPrintedOnceInTheLast) {
  std::string log;
  // Rates by call: every bestOfRuns makes one untimed run and benchRuns timed ones.
  const std::vector<uint32_t> windowRates = {900, 5, 7, 6,  900, 9, 1, 2,  900, 3, 3, 3};
  const std::vector<uint32_t> extraRates = {900, 2, 2, 2,  900, 1, 8, 1,  900, 4, 4, 4};
  size_t windowCall = 0, extraCall = 0;
  std::vector<cli::BenchFigure> figures = {
      {"write", 4096, 32, false, [&] { log += "w"; return windowRates[windowCall++]; }},
      {"avx-read", 4096, 256, true, [&] { log += "a"; return extraRates[extraCall++]; }},
      {"latency", 4096, 32, true, [&] { log += "l"; return 1u; }},
  };
  cli::BenchSweepSteps steps;
  steps.restoreZeros = [&] { log += "|zero "; };
  steps.fillData = [&] { log += " fill "; };
  steps.print = [&](const cli::BenchFigure& f) {
    log += std::string(" ") + f.name + "=" + std::to_string(f.best) + " ";
  };
  cli::runBenchSweeps(figures, 3, 0, steps);
  EXPECT_EQ(log,
            "wwww fill aaaallll"
            "|zero wwww fill aaaallll"
            "|zero wwww write=9  fill aaaa avx-read=8 llll latency=1 ");
}

TEST(BenchSweeps, TheWindowAddsRunsButNeverTakesTheMinimumAway) {
  int calls = 0;
  const auto measure = [&] { return static_cast<uint32_t>(++calls); };
  EXPECT_EQ(cli::bestOfRuns(measure, 0), 1u + cli::benchRuns);   // the untimed run is not kept
  EXPECT_EQ(calls, 1 + cli::benchRuns);
  calls = 0;
  const uint32_t best = cli::bestOfRuns(measure, 2'000'000);   // about a millisecond
  EXPECT_EQ(best, static_cast<uint32_t>(calls));
  EXPECT_GT(calls, 1 + cli::benchRuns);
}

} // namespace
