// The random chain of Random Latency: one cycle through every line, each run inside its window,
// the same chain from the same seed however it was reached, and the latencies it measures
// against what any processor must show.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/latency/latency.h"
#include "engine/latency/random_chain.h"
#include "engine/run/results.h"
#include "engine/run/series.h"
#include "engine/test_area.h"
#include "engine/timer.h"
#include "engine/working_memory.h"
#include "platform/memory.h"
#include "tests/engine/engine_memory.h"

namespace {

using engine::randomChainNext;
using engine::randomChainSeed;

class RandomChain : public ::testing::Test {
 protected:
  void SetUp() override {
    enginetest::prepareEngine();
    engine::randomChainState = {};
    engine::runRequest = {};
  }
  void TearDown() override { EXPECT_TRUE(enginetest::guardIntact()); }
};

// The lines in chain order from line 0 (at most lines + 1 of them, so a broken chain ends).
std::vector<uint32_t> chainOrder(uint32_t lines, uint64_t seed) {
  std::vector<uint32_t> order{0};
  for (uint32_t next = randomChainNext(0, seed); next != 0 && order.size() <= lines;
       next = randomChainNext(next, seed)) {
    order.push_back(next);
  }
  return order;
}

std::vector<uint32_t> successors(uint32_t lines, uint64_t seed) {
  std::vector<uint32_t> next(lines);
  for (uint32_t line = 0; line < lines; ++line) next[line] = randomChainNext(line, seed);
  return next;
}

TEST_F(RandomChain, IsOneCycleThroughEveryLineWithRunsInsideTheirWindows) {
  const struct { uint32_t lines, windowLines; } cases[] = {
      {1, 0}, {2, 0}, {64, 0}, {5000, 0},   // one window over the block
      {5000, 64}, {5000, 7}, {130, 64},     // windows, the last one partial
  };
  for (const auto& c : cases) {
    engine::randomChainState = {};
    engine::prepareRandomChain(c.lines, c.windowLines, randomChainSeed);
    const std::vector<uint32_t> order = chainOrder(c.lines, randomChainSeed);
    ASSERT_EQ(order.size(), c.lines) << c.lines << " lines, window " << c.windowLines;
    std::vector<bool> seen(c.lines);
    for (uint32_t line : order) seen[line] = true;
    EXPECT_EQ(std::count(seen.begin(), seen.end(), true), c.lines);
    if (c.windowLines == 0) continue;
    // Each window is one run, but the first, which the joins split in two.
    uint32_t runs = 1;
    for (std::size_t i = 1; i < order.size(); ++i) {
      runs += order[i] / c.windowLines != order[i - 1] / c.windowLines;
    }
    const uint32_t windows = (c.lines + c.windowLines - 1) / c.windowLines;
    EXPECT_LE(runs, windows + 1) << c.lines << " lines, window " << c.windowLines;
  }
}

TEST_F(RandomChain, ElementsSitAtTheirOffsetWithinTheLine) {
  engine::prepareRandomChain(1000, 0, randomChainSeed);
  std::vector<bool> offsetUsed(16);
  for (uint32_t line = 0; line < 1000; ++line) {
    const uint32_t offset = engine::randomElementOffset(line, randomChainSeed);
    ASSERT_EQ(offset % 4, 0u);
    ASSERT_LT(offset, engine::chainLineBytes);
    offsetUsed[offset / 4] = true;
    uint32_t value;
    std::memcpy(&value, engine::workingMemory.testBase + line * 64 + offset, sizeof value);
    const uint32_t next = randomChainNext(line, randomChainSeed);
    EXPECT_EQ(value, engine::chainValue(next * 64 + engine::randomElementOffset(next, randomChainSeed)));
  }
  EXPECT_EQ(std::count(offsetUsed.begin(), offsetUsed.end(), true), 16);   // every offset occurs
}

TEST_F(RandomChain, SameSeedSameChainWhetherBuiltGrownOrShrunk) {
  engine::prepareRandomChain(3000, 0, randomChainSeed);
  const std::vector<uint32_t> built3000 = successors(3000, randomChainSeed);
  EXPECT_FALSE(engine::prepareRandomChain(3000, 0, randomChainSeed));   // held already
  engine::prepareRandomChain(500, 0, randomChainSeed);
  const std::vector<uint32_t> shrunk500 = successors(500, randomChainSeed);
  engine::prepareRandomChain(3000, 0, randomChainSeed);
  EXPECT_EQ(successors(3000, randomChainSeed), built3000);

  engine::randomChainState = {};
  engine::prepareRandomChain(500, 0, randomChainSeed);
  EXPECT_EQ(successors(500, randomChainSeed), shrunk500);
  engine::randomChainState = {};
  engine::prepareRandomChain(3000, 0, randomChainSeed + 1);
  EXPECT_NE(successors(3000, randomChainSeed + 1), built3000);
}

TEST_F(RandomChain, ADependentLoadTakesAtLeastOneCycle) {
  const uint32_t ticks = engine::cyclesFromRate(engine::randomLatency(0), 32);
  EXPECT_GE(ticks, 100u);   // hundredths of a counter tick per load
}

// Main memory is slower than the first-level cache on every processor; 256 MB is past the
// largest caches of today. One test, one 256 MB block: the suite must stay quick.
TEST_F(RandomChain, LatencyAt256MBIsAtLeastThatAt4KB) {
  constexpr uint32_t code256MB = 400;   // 4 KB x 2^16
  const std::size_t bytes = engine::testAllocationFor(code256MB, false);
  const engine::WorkingMemory saved = engine::workingMemory;
  uint8_t* block = static_cast<uint8_t*>(platform::allocateTouched(bytes, true));
  ASSERT_NE(block, nullptr);
  engine::workingMemory.testAllocation = block;
  engine::workingMemory.testAllocationSize = bytes;
  engine::workingMemory.testBase = engine::alignedTestBase();
  const uint32_t at4KB = engine::cyclesFromRate(engine::randomLatency(0), 32);
  const uint32_t at256MB = engine::cyclesFromRate(engine::randomLatency(code256MB), 32);
  platform::freeBlock(block, bytes);
  engine::workingMemory = saved;
  EXPECT_GE(at256MB, at4KB);
}

} // namespace
