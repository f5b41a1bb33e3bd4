// Chains, the chase measurements and the Memory Walk matrix. The walk's state machine is
// checked against the row and column rule without timing; one real matrix run checks which
// cells are measured.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/latency/latency.h"
#include "engine/run/results.h"
#include "engine/timer.h"
#include "engine/latency/walk.h"
#include "engine/working_memory.h"
#include "tests/engine/engine_memory.h"

namespace {

using engine::workingMemory;

uint32_t elementAt(uint32_t offset) {
  uint32_t value;
  std::memcpy(&value, workingMemory.testBase + offset, sizeof value);
  return value;
}

// Byte offset from testBase of the element a value designates.
uint32_t offsetOf(uint32_t value) {
  if (engine::chainHoldsOffsets) return value;
  return value - static_cast<uint32_t>(reinterpret_cast<uintptr_t>(workingMemory.testBase));
}

// Follows the chain from testBase and returns the offsets visited before it closes (at most
// limit, so a broken chain ends the test instead of hanging it).
std::vector<uint32_t> followChain(uint32_t limit) {
  std::vector<uint32_t> offsets{0};
  for (uint32_t next = offsetOf(elementAt(0)); next != 0 && offsets.size() < limit;
       next = offsetOf(elementAt(next))) {
    offsets.push_back(next);
  }
  return offsets;
}

class EngineChains : public ::testing::Test {
 protected:
  void SetUp() override {
    enginetest::prepareEngine();
    std::memset(workingMemory.testBase, 0xCC, 65536);
  }
};

TEST_F(EngineChains, ElementsAtEveryStrideUpToTheLength) {
  struct Case { uint32_t length, stride, elements, lastOffset; };
  const Case cases[] = {
      {4096, 512, 8, 3584},     // Read Latency at 4 KB with step 512
      {4096, 4096, 1, 0},       // stride equal to the length: one element pointing to itself
      {4096, 8192, 1, 0},       // stride beyond the length: the same
      {4096, 6, 683, 4092},     // the walk's 6-byte stride: 683 x 6 = 4,098 >= 4,096
      {4096, 4, 1024, 4092},
      {4100, 64, 65, 4096},     // a length that is no multiple of the stride
  };
  for (const Case& c : cases) {
    std::memset(workingMemory.testBase, 0xCC, 65536);
    engine::buildChain(c.length, c.stride);
    const std::vector<uint32_t> offsets = followChain(100000);
    ASSERT_EQ(offsets.size(), c.elements) << c.length << "/" << c.stride;
    for (uint32_t k = 0; k < offsets.size(); ++k) EXPECT_EQ(offsets[k], k * c.stride);
    EXPECT_EQ(offsetOf(elementAt(c.lastOffset)), 0u);   // the last leads back to the start
    // Nothing written behind the last element.
    EXPECT_EQ(workingMemory.testBase[c.lastOffset + 4], 0xCC) << c.length << "/" << c.stride;
  }
}

TEST_F(EngineChains, ChaseMeasurementsGiveAtLeastOneCyclePerLoad) {
  // A dependent load cannot finish in less than a cycle; loads that overlapped would.
  engine::runParameters.latencyStep = 64;
  for (engine::SizeCode code : {0u, 300u}) {
    const uint32_t cycles = engine::cyclesFromRate(engine::readLatency(code), 32);
    EXPECT_GE(cycles, 100u) << code;
  }
  engine::runParameters.latencyStep = 16;
  for (engine::SizeCode code : {0u, 300u}) {
    const uint32_t cycles = engine::cyclesFromRate(engine::walkLatency(code), 32);
    EXPECT_GE(cycles, 100u) << code;
  }
  EXPECT_EQ(engine::longWalkLatency(3584, 256), 0u);   // 3,584 / 16 = 224 <= 256
  EXPECT_GE(engine::cyclesFromRate(engine::longWalkLatency(3584, 128), 32), 100u);
}

// The matrix by its rule: row k has block 3,584 x 2^k, column j step 4 x 2^j; too small when
// block / 16 <= step; a long walk above 16 MB or above step 512; else Read Latency six codes
// below the row's code (code 0 on the first row).
engine::WalkPlan expectedPlan(uint32_t row, uint32_t column) {
  const uint32_t block = 3584u << row, step = 4u << column;
  if (block / 16 <= step) return {engine::WalkAction::zero, 0};
  if (block > 16777216 || step > 512) return {engine::WalkAction::longWalk, 0};
  return {engine::WalkAction::readLatency, row == 0 ? 0 : 25 * row - 6};
}

TEST(EngineWalkStateMachine, FollowsTheRowsAndColumnsThenStops) {
  engine::WalkState state;
  uint32_t measured = 0;
  for (uint32_t row = 0; row < engine::walkRows; ++row) {
    for (uint32_t column = 0; column < engine::walkColumns; ++column) {
      ASSERT_EQ(state.walkCursor, row * 17 + column);
      ASSERT_EQ(state.walkRowBlock, 3584u << row);
      ASSERT_EQ(state.walkRowStep, 4u << column);
      ASSERT_EQ(state.walkRowCode, 25 * row);
      const engine::WalkPlan plan = engine::planWalkCell(state);
      const engine::WalkPlan expected = expectedPlan(row, column);
      EXPECT_EQ(plan.action, expected.action) << row << "," << column;
      if (expected.action == engine::WalkAction::readLatency) {
        EXPECT_EQ(plan.code, expected.code) << row << "," << column;
      }
      if (expected.action != engine::WalkAction::zero) ++measured;
      state = engine::advanceWalkState(state);
    }
  }
  EXPECT_EQ(measured, 172u);
  // Complete: further calls move only the cursor.
  for (int call = 0; call < 3; ++call) {
    EXPECT_EQ(engine::planWalkCell(state).action, engine::WalkAction::complete);
    const engine::WalkState next = engine::advanceWalkState(state);
    EXPECT_EQ(next.walkCursor, state.walkCursor + 1);
    EXPECT_EQ(next.walkRowStep, 4u);
    EXPECT_EQ(next.walkRowBlock, 3584u << 14);
    EXPECT_EQ(next.walkRowCode, 350u);
    state = next;
  }
}

TEST(EngineWalkStateMachine, ShortStepBlocksOfTheRows) {
  // The Read Latency block of a row is 7/8 of the row's doubling: 3,584 x 2^k bytes, exactly
  // for the rows whose code lies 6 below a power of two.
  const struct { uint32_t row; engine::SizeCode code; uint32_t bytes; } rows[] = {
      {1, 19, 7168}, {2, 44, 14336}, {11, 269, 7385088}, {12, 294, 14770176}};
  for (const auto& r : rows) {
    EXPECT_EQ(expectedPlan(r.row, 0).code, r.code);
    EXPECT_EQ(engine::blockDwords(r.code) * 4, r.bytes);
  }
}

TEST(EngineWalkMatrix, FillsMeasuredCellsAndZerosThenStoresNothing) {
  enginetest::prepareEngine();
  engine::resultTables = {};
  engine::pointRuns = {};
  std::fill(std::begin(engine::resultTables.table[engine::tableWalkMatrix]),
            std::end(engine::resultTables.table[engine::tableWalkMatrix]), 0xDEADu);
  engine::runParameters.latencyStep = 32;
  engine::resetWalkState();
  for (uint32_t call = 0; call < engine::walkCells; ++call) engine::walkCell();
  EXPECT_EQ(engine::runParameters.latencyStep, 32u);   // restored after the short steps
  const uint32_t* matrix = engine::resultTables.table[engine::tableWalkMatrix];
  for (uint32_t row = 0; row < engine::walkRows; ++row) {
    for (uint32_t column = 0; column < engine::walkColumns; ++column) {
      const uint32_t cell = matrix[row * 17 + column];
      const uint8_t runs = engine::pointRuns.runs[engine::tableWalkMatrix][row * 17 + column];
      if (expectedPlan(row, column).action == engine::WalkAction::zero) {
        EXPECT_EQ(cell, 0u) << row << "," << column;
        EXPECT_EQ(runs, 0u) << row << "," << column;
      } else {
        EXPECT_GE(runs, 1u) << row << "," << column;
        EXPECT_GE(cell, 100u) << row << "," << column;   // at least one cycle per load
        EXPECT_NE(cell, 0xDEADu) << row << "," << column;
      }
    }
  }
  EXPECT_EQ(engine::pointRuns.runs[engine::tableWalkMatrix][0], 2u);   // no neighbour: twice
  const engine::WalkState before = engine::walkState;
  std::vector<uint32_t> saved(matrix, matrix + engine::sizeCodeCount);
  engine::walkCell();
  EXPECT_EQ(std::vector<uint32_t>(matrix, matrix + engine::sizeCodeCount), saved);
  EXPECT_EQ(engine::walkState.walkCursor, before.walkCursor + 1);
  EXPECT_EQ(engine::walkState.walkRowStep, before.walkRowStep);
  EXPECT_EQ(engine::walkState.walkRowBlock, before.walkRowBlock);
  for (uint32_t i = engine::walkCells; i < engine::sizeCodeCount; ++i) {
    EXPECT_EQ(matrix[i], 0xDEADu) << i;   // the entries behind the matrix are never written
  }
  EXPECT_TRUE(enginetest::guardIntact());
}

} // namespace
