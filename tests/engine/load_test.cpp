// The many-core measurements on this machine's processors, with the short settings tests use:
// what each loop moves, the sweep's steps, the summed rates, and the shape of the core-to-core
// and memory-node matrices. Only what holds on any x86 machine with the other core busy is
// asserted: rates above zero, latencies of at least one cycle, the idle step without loaders.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "cpu/vector_features.h"
#include "engine/latency/latency.h"
#include "engine/latency/random_chain.h"
#include "engine/load/c2c.h"
#include "engine/load/loaded_latency.h"
#include "engine/load/max_bandwidth.h"
#include "engine/load/node_matrix.h"
#include "engine/test_area.h"
#include "engine/threads.h"
#include "engine/timer.h"
#include "engine/working_memory.h"
#include "platform/threads.h"
#include "tests/engine/engine_memory.h"
#include "tests/engine/fake_numa.h"

namespace {

class Load : public ::testing::Test {
 protected:
  void SetUp() override {
    enginetest::prepareEngine();
    cpu::detectVectorFeatures();
    engine::randomChainState = {};
    engine::loadSettings = {20000, 1, 3, 200, 3};   // 20 ms intervals, few samples
    threads = platform::usableProcessorCount() >= 2 ? 2 : 1;
    ASSERT_TRUE(threads == 1 || engine::prepareThreadAreas(threads));
    engine::fillWithData(engine::workingMemory.testBase, 1 << 20);
    for (uint32_t i = 1; i < threads; ++i) {
      engine::fillWithData(engine::threadAreas.blocks[i], engine::threadAreas.bytes);
    }
  }
  void TearDown() override {
    engine::loadSettings = {};
    engine::randomChainState = {};
    EXPECT_TRUE(enginetest::guardIntact());
  }
  uint32_t threads = 1;
};

TEST(LoadedLatencySweep, IdleThenNoDelayThenDoublingDelays) {
  EXPECT_GE(engine::loadedLatencySteps, 13u);   // the idle point and at least twelve steps
  EXPECT_EQ(engine::loadedLatencyDelay(0), 0u);
  EXPECT_EQ(engine::loadedLatencyDelay(1), 0u);
  EXPECT_EQ(engine::loadedLatencyDelay(2), 64u);
  for (uint32_t step = 3; step < engine::loadedLatencySteps; ++step) {
    EXPECT_EQ(engine::loadedLatencyDelay(step), 2 * engine::loadedLatencyDelay(step - 1));
  }
  // The last delay: a 4 KB burst every 100,000 ticks or more draws almost nothing.
  EXPECT_GE(engine::loadedLatencyDelay(engine::loadedLatencySteps - 1), 100000u);
}

TEST(LoadRates, AllBytesOverTheLongestThread) {
  const struct {
    std::vector<engine::ThreadTally> tallies;
    uint32_t rate;   // hundredths of MB/s at 1,000.00 MHz
  } cases[] = {
      {{{1u << 20, 1000000}}, 100000},                    // 1 MB in 1 ms: 1,000 MB/s
      {{{1u << 20, 1000000}, {1u << 20, 2000000}}, 100000},   // 2 MB over the slower's 2 ms
      {{{3u << 20, 1000000}, {1u << 20, 1000000}}, 400000},   // unequal volumes add up
      {{{1u << 20, 0}}, 0},                                    // nothing timed
      {{}, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(engine::summedRateOverSlowest(c.tallies.data(),
                                            static_cast<uint32_t>(c.tallies.size()), 100000),
              c.rate);
  }
  EXPECT_EQ(engine::rateFromBytes(uint64_t(1) << 50, 1, 100000), 0xFFFFFFFFu);
}

TEST(LoadStreams, EachStreamAWholeNumberOfBurstsOfItsPart) {
  static uint8_t area[10 * engine::burstBytes + 100];
  const engine::LoadArea whole{area, sizeof area};
  const engine::BurstStreams copy = engine::streamsFor(engine::BurstOp::copy, whole);
  EXPECT_EQ(copy.bytes, 5u * engine::burstBytes);
  EXPECT_EQ(copy.to, area + copy.bytes);
  const engine::BurstStreams triad = engine::streamsFor(engine::BurstOp::triad, whole);
  EXPECT_EQ(triad.bytes, 3u * engine::burstBytes);
  EXPECT_EQ(triad.from2, area + triad.bytes);
  EXPECT_EQ(triad.to, area + 2 * triad.bytes);
  EXPECT_EQ(engine::streamsFor(engine::BurstOp::read, whole).bytes, 10u * engine::burstBytes);
}

// Every loop this processor can run moves exactly its lines: copies equal their source, a
// triad's line is the OR of its two sources, writes repeat the stream's first transfer, nothing
// past the last line changes.
TEST(LoadBursts, EachLoopMovesExactlyItsLines) {
  constexpr uint32_t lines = 3, bytes = lines * 64;
  for (uint32_t width : {32u, 64u, 128u, 256u, 512u}) {
    if (!engine::burstWidthSupported(width, cpu::vectorFeatures)) continue;
    for (engine::BurstOp op : {engine::BurstOp::read, engine::BurstOp::write, engine::BurstOp::copy,
                               engine::BurstOp::triad, engine::BurstOp::ntWrite}) {
      const engine::BurstFunction f = engine::burstFunction(width, op);
      if (f == nullptr) continue;
      alignas(64) uint8_t to[bytes + 64], from[bytes], from2[bytes];
      for (uint32_t i = 0; i < bytes; ++i) {
        from[i] = static_cast<uint8_t>(i * 7 + 1);
        from2[i] = static_cast<uint8_t>(i * 13 + 2);
      }
      std::memset(to, 0xEE, sizeof to);
      std::memcpy(to, from2, 64);   // the line a write stores
      f(to, from, from2, lines);
      for (uint32_t i = 0; i < bytes; ++i) {
        uint8_t expected = to[i];
        switch (op) {
          case engine::BurstOp::read: expected = i < 64 ? from2[i] : 0xEE; break;
          case engine::BurstOp::write:
          case engine::BurstOp::ntWrite: expected = from2[i % (width / 8)]; break;
          case engine::BurstOp::copy: expected = from[i]; break;
          case engine::BurstOp::triad: expected = from[i] | from2[i]; break;
        }
        ASSERT_EQ(to[i], expected) << width << " bits, op " << int(op) << ", byte " << i;
      }
      for (uint32_t i = bytes; i < sizeof to; ++i) ASSERT_EQ(to[i], 0xEE) << width;
    }
  }
}

TEST_F(Load, IdleStepHasNoLoadersAndLoadedStepsDrawBandwidth) {
  const engine::SizeCode code = 100;   // 64 KB
  engine::randomLatency(code);
  const uint32_t width = engine::widestBurstWidth(cpu::vectorFeatures);
  engine::LoadedLatencyPoint idle, loaded;
  ASSERT_TRUE(engine::measureLoadedLatencyStep(0, engine::BurstOp::read, width, threads, code,
                                               1 << 20, idle));
  EXPECT_TRUE(idle.idle);
  EXPECT_EQ(idle.rate, 0u);
  EXPECT_GE(idle.tickHundredths, 100u);   // at least one tick a load
  if (threads < 2) GTEST_SKIP() << "one usable processor: no loader";
  ASSERT_TRUE(engine::measureLoadedLatencyStep(3, engine::BurstOp::copy, width, threads, code,
                                               1 << 20, loaded));
  EXPECT_FALSE(loaded.idle);
  EXPECT_EQ(loaded.delayTicks, 128u);
  EXPECT_GT(loaded.rate, 0u);
  EXPECT_GE(loaded.tickHundredths, 100u);   // at least one tick a load
}

TEST_F(Load, EveryMixDrawsBandwidthOnEveryThread) {
  engine::MaxBandwidthResult result;
  engine::measureMaxBandwidth(threads, 1 << 20, result, nullptr);
  for (uint32_t m = 0; m < engine::bandwidthMixCount; ++m) {
    const bool nt = engine::bandwidthMixes[m].kind == engine::MixKind::ntWrites;
    if (nt && result.ntWidth == 0) continue;
    EXPECT_GT(result.rates[m], 0u) << engine::bandwidthMixes[m].name;
  }
}

TEST_F(Load, CoreToCoreMatrixIsSquareWithAnEmptyDiagonal) {
  if (threads < 2) GTEST_SKIP() << "one usable processor";
  engine::C2cMatrix matrix;
  uint32_t pairs = 0;
  static uint32_t* counted;
  counted = &pairs;
  ASSERT_TRUE(engine::measureC2cMatrix(2, matrix, [](uint32_t done, uint32_t) { *counted = done; }));
  EXPECT_EQ(matrix.count, 2u);
  EXPECT_EQ(pairs, 2u);
  EXPECT_EQ(matrix.tickHundredths[0][0], 0u);
  EXPECT_EQ(matrix.tickHundredths[1][1], 0u);
  EXPECT_GE(matrix.tickHundredths[0][1], 100u);   // a hand-over takes more than a tick
  EXPECT_GE(matrix.tickHundredths[1][0], 100u);
}

TEST_F(Load, NodeMatrixMeasuresEveryPairOfTheTwoFakeNodes) {
  enginetest::fakeNodes = {};
  const engine::WorkingMemory before = engine::workingMemory;
  engine::NodeMatrix matrix;
  std::string missing;
  ASSERT_TRUE(engine::measureNodeMatrix(100, matrix, missing, nullptr)) << missing;
  EXPECT_EQ(matrix.nodes, 2u);
  EXPECT_EQ(enginetest::fakeNodes.blocks[0], 1u);   // one block on each node
  EXPECT_EQ(enginetest::fakeNodes.blocks[1], 1u);
  for (uint32_t i = 0; i < 2; ++i) {
    EXPECT_EQ(matrix.processors[i], 1u);
    for (uint32_t j = 0; j < 2; ++j) {
      EXPECT_GE(matrix.tickHundredths[i][j], 100u) << i << "," << j;
      EXPECT_GT(matrix.rate[i][j], 0u) << i << "," << j;
    }
  }
  EXPECT_EQ(engine::workingMemory.testBase, before.testBase);   // the test area given back
  EXPECT_EQ(engine::randomChainState.lines, 0u);
}

} // namespace
