// The bandwidth kernels on real memory: what each one writes (exactly its destination, and
// with "Copy to itself" nothing outside the block), that every kernel gives a rate, that nothing
// reaches past the allocation in the largest case, and that the x87 unit works after an MMX
// kernel. No test compares two speeds: a large third-level cache or an instruction-bound kernel
// can make any such order false.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "cpu/cpu_info.h"
#include "engine/kernels/kernels.h"
#include "engine/latency/latency.h"
#include "engine/run/peak.h"
#include "engine/run/results.h"
#include "engine/test_area.h"
#include "engine/working_memory.h"
#include "tests/engine/engine_memory.h"

namespace {

using engine::KernelInfo;
using engine::workingMemory;

class EngineKernels : public ::testing::Test {
 protected:
  void SetUp() override {
    enginetest::prepareEngine();
    cpu::identifyCpu();
  }
  static bool supported(const KernelInfo& kernel) {
    return engine::kernelSupported(kernel, cpu::cpuInfo.hasMmx, cpu::cpuInfo.hasSse);
  }
};

constexpr engine::SizeCode smallCode = 1;                  // 4,224 bytes: with a partial pass
constexpr uint32_t smallBytes = 4224;
constexpr uint32_t region = 3 * smallBytes + 4096;         // source, destination and a margin
constexpr uint8_t untouched = 0xCC;

uint8_t sourceByte(uint32_t i) { return static_cast<uint8_t>(i * 7 + 1); }

// The block filled with a pattern, everything behind it with `untouched`.
std::vector<uint8_t> fillArea() {
  std::vector<uint8_t> area(region, untouched);
  for (uint32_t i = 0; i < smallBytes; ++i) area[i] = sourceByte(i);
  std::memcpy(workingMemory.testBase, area.data(), region);
  return area;
}

std::vector<uint8_t> readArea() {
  return std::vector<uint8_t>(workingMemory.testBase, workingMemory.testBase + region);
}

TEST_F(EngineKernels, CopiesWriteExactlyTheBlockBehindTheSource) {
  for (const KernelInfo& kernel : engine::kernelTable) {
    if (!kernel.copies || !supported(kernel)) continue;
    std::vector<uint8_t> expected = fillArea();
    std::memcpy(expected.data() + smallBytes, expected.data(), smallBytes);
    EXPECT_NE(kernel.function(smallCode), 0u) << kernel.name;
    EXPECT_EQ(readArea(), expected) << kernel.name;
  }
}

TEST_F(EngineKernels, SixteenMegabyteCopiesFillTheSixteenMegabytesBehindTheSource) {
  constexpr uint32_t block = 16777216;
  uint8_t* const base = workingMemory.testBase;
  for (const KernelInfo& kernel : engine::kernelTable) {
    if (!kernel.copies || !supported(kernel)) continue;
    for (uint32_t i = 0; i < block; i += 4096) std::memset(base + i, (i >> 12) * 13 + 1, 4096);
    std::memset(base + block, 0, block + 4096);
    EXPECT_NE(kernel.function(300), 0u) << kernel.name;
    EXPECT_EQ(std::memcmp(base, base + block, block), 0) << kernel.name;
    const uint8_t* behind = base + 2 * block;
    EXPECT_TRUE(std::all_of(behind, behind + 4096, [](uint8_t b) { return b == 0; }))
        << kernel.name << " wrote behind its destination";
  }
}

TEST_F(EngineKernels, CopiesToItselfChangeNothing) {
  engine::runParameters.copyToItself = 1;
  for (const KernelInfo& kernel : engine::kernelTable) {
    if (!kernel.copies || !supported(kernel)) continue;
    const std::vector<uint8_t> expected = fillArea();
    EXPECT_NE(kernel.function(smallCode), 0u) << kernel.name;
    EXPECT_EQ(readArea(), expected) << kernel.name;
  }
}

TEST_F(EngineKernels, ReadsChangeNothingAndWritesStayInTheBlock) {
  for (const KernelInfo& kernel : engine::kernelTable) {
    if (kernel.copies || !supported(kernel)) continue;
    const std::vector<uint8_t> before = fillArea();
    // The line reads need a block that is a multiple of their turn: 4 KB.
    const engine::SizeCode code = kernel.loopStep > 64 ? 0 : smallCode;
    EXPECT_NE(kernel.function(code), 0u) << kernel.name;
    const std::vector<uint8_t> after = readArea();
    const bool writes = std::strstr(kernel.name, "write") != nullptr;
    EXPECT_TRUE(std::equal(after.begin() + smallBytes, after.end(), before.begin() + smallBytes))
        << kernel.name << " wrote behind the block";
    if (!writes) {
      EXPECT_EQ(after, before) << kernel.name;
    }
  }
}

TEST_F(EngineKernels, WritesStoreTheirValueOverTheWholeBlock) {
  // Write stores 0; SSE Write stores the first 16 bytes of the area everywhere.
  fillArea();
  engine::writeKernel(smallCode);
  std::vector<uint8_t> after = readArea();
  EXPECT_TRUE(
      std::all_of(after.begin(), after.begin() + smallBytes, [](uint8_t b) { return b == 0; }));
  if (cpu::cpuInfo.hasSse) {
    const std::vector<uint8_t> before = fillArea();
    engine::sseWriteKernel(smallCode);
    after = readArea();
    for (uint32_t i = 0; i < smallBytes; ++i) ASSERT_EQ(after[i], before[i % 16]) << i;
  }
}

TEST_F(EngineKernels, EveryKernelGivesARateAtTheSmallestAndLargestBlock) {
  for (const KernelInfo& kernel : engine::kernelTable) {
    if (!supported(kernel)) continue;
    EXPECT_NE(kernel.function(0), 0u) << kernel.name;
    EXPECT_NE(kernel.function(300), 0u) << kernel.name;
  }
}

TEST_F(EngineKernels, LargestExtentsStayInsideTheAllocation) {
  // The area placed as far back as the allocation allows: worst alignment, last page offset.
  workingMemory.testBase = engine::alignedTestBase() + 63 * 4096;
  ASSERT_LE(workingMemory.testBase + 33554432 + 4,
            workingMemory.testAllocation + engine::testAllocationBytes);
  for (uint8_t shift : {uint8_t(0), uint8_t(2)}) {
    engine::runParameters.iterationShift = shift;
    for (uint32_t toItself : {0u, 1u}) {
      engine::runParameters.copyToItself = toItself;
      for (const KernelInfo& kernel : engine::kernelTable) {
        if (supported(kernel)) kernel.function(300);
      }
    }
  }
  engine::runParameters.iterationShift = 0;
  engine::runParameters.latencyStep = 4;
  engine::readLatency(engine::summaryLatencyCode);
  engine::walkLatency(13);   // a 6-byte stride: the chain ends 2 bytes past 32 MB
  engine::longWalkLatency(29360128, 4);
  EXPECT_TRUE(enginetest::guardIntact());
}

TEST_F(EngineKernels, PlacementSearchKeepsTheFastestOffsetAndTheLastOfEqualOnes) {
  static uint8_t* fastest;
  uint8_t* const aligned = engine::alignedTestBase();
  struct Case { uint32_t fastOffset; bool allEqual; uint32_t expected; };
  const Case cases[] = {{5, false, 5}, {0, false, 0}, {0, true, 63}};
  for (const Case& c : cases) {
    fastest = c.allEqual ? nullptr : aligned + 4096 * c.fastOffset;
    engine::testArea = engine::TestArea{};
    engine::placementSearchWith([](uint32_t code) -> uint32_t {
      EXPECT_TRUE(engine::testArea.reducedTransfer);
      EXPECT_TRUE(code >= 99 && code <= 179 && (code - 99) % 5 == 0) << code;
      return workingMemory.testBase == fastest ? 2000u : 1000u;
    });
    EXPECT_EQ(workingMemory.testBase, aligned + 4096 * c.expected);
    EXPECT_TRUE(engine::testArea.placementDone);
    EXPECT_FALSE(engine::testArea.reducedTransfer);
  }
  // The real search lands on one of the 64 page offsets.
  engine::placementSearch(cpu::cpuInfo.hasMmx);
  const uintptr_t moved = workingMemory.testBase - aligned;
  EXPECT_EQ(moved % 4096, 0u);
  EXPECT_LE(moved, 63u * 4096);
}

TEST_F(EngineKernels, PeakEstimateIsSetFromTheSmallBlocks) {
  engine::chartScales.chartPeakRate = 0;
  engine::measurePeakRate(cpu::cpuInfo.hasMmx, cpu::cpuInfo.hasSse);
  EXPECT_GT(engine::chartScales.chartPeakRate, 0u);
  const uint32_t chosen = engine::probeLineSize();
  EXPECT_TRUE(chosen >= 9 && chosen <= 11) << chosen;
}

TEST_F(EngineKernels, FloatingPointWorksAfterEveryMmxAndSseKernel) {
  // On i686 double arithmetic runs on the x87 unit, whose registers MMX shares.
  if (!cpu::cpuInfo.hasMmx) GTEST_SKIP() << "no MMX";
  for (const KernelInfo& kernel : engine::kernelTable) {
    if (kernel.feature == engine::KernelFeature::none || !supported(kernel)) continue;
    kernel.function(0);
    volatile double nine = 9.0;
    const double result = std::sqrt(nine) + nine * 0.5;
    EXPECT_EQ(result, 7.5) << kernel.name;
  }
}

#ifndef NDEBUG
TEST_F(EngineKernels, CodesOutsideTheTableStopADebugBuild) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(engine::readKernel(451), "");
  EXPECT_DEATH(engine::readLatency(451), "");
}
#endif

} // namespace
