// The start-up peak estimate with stand-in kernels: which kernels run, in which order, at
// which blocks, and which rate wins. No memory is touched and nothing is timed.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/run/peak.h"

namespace {

using engine::SizeCode;

std::string calls;              // "<kernel index><block code>" per call, in call order
uint32_t rates[engine::peakKernelCount][2];   // rate of each stand-in at code 0 and code 25

template <int index>
uint32_t standIn(SizeCode code) {
  EXPECT_TRUE(code == 0 || code == 25) << code;
  calls += std::to_string(index) + (code == 0 ? "a " : "b ");
  return rates[index][code == 0 ? 0 : 1];
}

constexpr engine::PeakKernels standIns = {standIn<0>, standIn<1>, standIn<2>, standIn<3>,
                                          standIn<4>, standIn<5>, standIn<6>};

uint32_t run(bool hasMmx, bool hasSse) {
  calls.clear();
  return engine::largestPeakRate(standIns, hasMmx, hasSse);
}

TEST(EnginePeakEstimate, RunsTheKernelsOfTheProcessorInOrderAtBothBlocks) {
  for (auto& row : rates) row[0] = row[1] = 100;
  run(false, false);
  EXPECT_EQ(calls, "0a 1a 2a 0b 1b 2b ");   // Write, Copy, Read at 4 KB, then at 8 KB
  run(true, false);
  EXPECT_EQ(calls, "0a 1a 2a 3a 4a 0b 1b 2b 3b 4b ");
  run(false, true);
  EXPECT_EQ(calls, "0a 1a 2a 5a 6a 0b 1b 2b 5b 6b ");
  run(true, true);
  EXPECT_EQ(calls, "0a 1a 2a 3a 4a 5a 6a 0b 1b 2b 3b 4b 5b 6b ");
}

TEST(EnginePeakEstimate, TakesTheLargestRateOfTheKernelsThatRan) {
  for (auto& row : rates) row[0] = row[1] = 1000;
  rates[1][1] = 2500;   // Copy at 8 KB
  EXPECT_EQ(run(false, false), 2500u);
  rates[6][0] = 9000;   // SSE Read at 4 KB counts only with SSE
  EXPECT_EQ(run(true, false), 2500u);
  EXPECT_EQ(run(true, true), 9000u);
  for (auto& row : rates) row[0] = row[1] = 0;
  EXPECT_EQ(run(true, true), 0u);
}

} // namespace
