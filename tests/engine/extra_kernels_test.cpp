// The command line's extra kernels on real memory, each where this build and processor can run
// it: a copy's destination equals its source and nothing else changes, reads change nothing,
// writes stay in their block, and the largest block stays inside the allocation. Then points
// on several threads: each thread measures in an area of its own with the calibrated timer,
// and the summed rate is the bytes of all threads over the slowest one's time.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <set>
#include <vector>

#include "cpu/vector_features.h"
#include "engine/kernels/kernels_extra.h"
#include "engine/run/results.h"
#include "engine/run/run_extras.h"
#include "engine/test_area.h"
#include "engine/threads.h"
#include "engine/timer.h"
#include "engine/working_memory.h"
#include "tests/engine/engine_memory.h"

// The kernel frame's start of the area, as the kernels see it on the calling thread.
namespace engine {
uint8_t* kernelBase();
}

namespace {

using engine::ExtraKernelInfo;
using engine::workingMemory;

class ExtraKernels : public ::testing::Test {
 protected:
  void SetUp() override {
    enginetest::prepareEngine();
    cpu::detectVectorFeatures();
  }
  static bool supported(const ExtraKernelInfo& k) {
    return engine::extraKernelSupported(k, cpu::vectorFeatures);
  }
};

// 4,352 bytes: a pass ends in two 128-byte turns after the long turns, and the partial pass of
// 256 bytes holds no long turn at all.
constexpr engine::SizeCode smallCode = 2;
constexpr uint32_t smallBytes = 4352;
constexpr uint8_t untouched = 0xCC;

// The block, then room for a copy's destination and a margin.
uint32_t regionOf(uint32_t blockBytes) { return 3 * blockBytes + 4096; }

std::vector<uint8_t> fillArea(uint32_t blockBytes) {
  std::vector<uint8_t> area(regionOf(blockBytes), untouched);
  for (uint32_t i = 0; i < blockBytes; ++i) area[i] = static_cast<uint8_t>(i * 7 + 1);
  std::memcpy(workingMemory.testBase, area.data(), area.size());
  return area;
}

std::vector<uint8_t> readArea(uint32_t blockBytes) {
  return std::vector<uint8_t>(workingMemory.testBase,
                              workingMemory.testBase + regionOf(blockBytes));
}

// The small block, and 52,352 bytes: past the first-level cache, where the vector reads and
// the copies turn 128 bytes at a time, with a partial pass of 192 turns.
TEST_F(ExtraKernels, EachMovesExactlyItsBlock) {
  for (const engine::SizeCode code : {smallCode, engine::SizeCode{90}}) {
    const uint32_t bytes = engine::blockBytes(code);
    for (uint32_t toItself : {0u, 1u}) {
      engine::runParameters.copyToItself = toItself;
      for (const ExtraKernelInfo& k : engine::extraKernelTable) {
        if (!supported(k)) continue;
        const bool behind = k.copies && (toItself == 0 || k.function == engine::memcpyKernel);
        std::vector<uint8_t> expected = fillArea(bytes);
        if (behind) std::memcpy(expected.data() + bytes, expected.data(), bytes);
        EXPECT_NE(k.function(code), 0u) << k.name;
        const std::vector<uint8_t> after = readArea(bytes);
        if (std::strstr(k.name, "write") != nullptr) {
          // A write repeats the block's first register width.
          const uint32_t period = engine::extraKernelWidth(k, cpu::vectorFeatures) / 8;
          for (uint32_t i = 0; i < bytes; ++i) expected[i] = expected[i % period];
        }
        EXPECT_EQ(after, expected) << k.name << " " << bytes << (toItself ? " to itself" : "");
      }
    }
  }
}

// Only the non-temporal kernels, in every width, flush what they store to before timing: a
// write its block, a copy its destination and never its source, a copy to itself nothing.
TEST_F(ExtraKernels, OnlyTheNonTemporalKernelsFlushTheirStores) {
  uint8_t* const base = workingMemory.testBase;
  const struct {
    const char* name;
    engine::KernelFunction function;
    bool needed;        // the processor runs it
    bool toItself;
    uint8_t* flushed;   // nullptr: no flush
  } cases[] = {
      {"nt-write", engine::ntWriteKernel, cpu::vectorFeatures.sse, false, base},
      {"nt-copy", engine::ntCopyKernel, cpu::vectorFeatures.sse, false, base + smallBytes},
      {"nt-copy to itself", engine::ntCopyKernel, cpu::vectorFeatures.sse, true, nullptr},
      {"128-bit nt-write", engine::ntWrite128Kernel, cpu::vectorFeatures.sse, false, base},
      {"128-bit nt-copy", engine::ntCopy128Kernel, cpu::vectorFeatures.sse, false,
       base + smallBytes},
      {"256-bit nt-write", engine::ntWrite256Kernel, cpu::vectorFeatures.avx, false, base},
      {"256-bit nt-copy", engine::ntCopy256Kernel, cpu::vectorFeatures.avx, false,
       base + smallBytes},
      {"512-bit nt-write", engine::ntWrite512Kernel, cpu::vectorFeatures.avx512, false, base},
      {"512-bit nt-copy", engine::ntCopy512Kernel, cpu::vectorFeatures.avx512, false,
       base + smallBytes},
  };
  for (const auto& c : cases) {
    if (!c.needed) continue;
    engine::runParameters.copyToItself = c.toItself;
    const uint64_t before = engine::lastCacheFlush.count;
    c.function(smallCode);
    EXPECT_EQ(engine::lastCacheFlush.count - before, c.flushed != nullptr ? 1u : 0u) << c.name;
    if (c.flushed == nullptr) continue;
    EXPECT_EQ(engine::lastCacheFlush.start, c.flushed) << c.name;
    EXPECT_EQ(engine::lastCacheFlush.bytes, smallBytes) << c.name;
  }
  engine::runParameters.copyToItself = false;
  const uint64_t before = engine::lastCacheFlush.count;
  for (const ExtraKernelInfo& k : engine::extraKernelTable) {
    if (supported(k) && std::strncmp(k.name, "nt-", 3) != 0) k.function(smallCode);
  }
  for (uint32_t i = 0; i < engine::testKernelCount; ++i) {
    engine::kernelTable[i].function(smallCode);
  }
  EXPECT_EQ(engine::lastCacheFlush.count, before) << "a kernel of cached stores flushed";
}

bool holdsZeroWord(const uint8_t* start, std::size_t bytes) {
  for (std::size_t i = 0; i + 4 <= bytes; i += 4) {
    uint32_t word;
    std::memcpy(&word, start + i, 4);
    if (word == 0) return true;
  }
  return false;
}

// Zeros would let memory that skips all-zero lines report rates no data reaches.
TEST_F(ExtraKernels, TheyMeasureOnDataThatIsNeverZero) {
  ASSERT_TRUE(engine::prepareThreadAreas(2));
  engine::fillKernelAreasWithData();
  EXPECT_FALSE(holdsZeroWord(workingMemory.testAllocation, workingMemory.testAllocationSize));
  EXPECT_FALSE(holdsZeroWord(engine::threadAreas.blocks[1], engine::threadAreas.bytes));
  EXPECT_TRUE(enginetest::guardIntact());
  std::vector<uint32_t> words(16);
  std::memcpy(words.data(), workingMemory.testAllocation, 64);
  EXPECT_EQ(std::set<uint32_t>(words.begin(), words.end()).size(), words.size());
  engine::freeThreadAreas();
}

TEST_F(ExtraKernels, LargestBlockStaysInsideTheAllocation) {
  workingMemory.testBase = engine::alignedTestBase() + 63 * 4096;
  uint8_t* const base = workingMemory.testBase;
  constexpr uint32_t block = 16777216;
  for (const ExtraKernelInfo& k : engine::extraKernelTable) {
    if (!supported(k)) continue;
    std::memset(base, 0x5A, block);
    std::memset(base + block, 0, block);
    EXPECT_NE(k.function(300), 0u) << k.name;
    if (k.copies) {
      EXPECT_EQ(std::memcmp(base, base + block, block), 0) << k.name;
    }
  }
  EXPECT_TRUE(enginetest::guardIntact());
}

// A stand-in kernel: notes the area and the clock each thread measures with, and gives the
// thread whose area is the test area half the rate of the others.
std::atomic<int> calls{0};
uint8_t* basesSeen[engine::maxThreads];
uint32_t clocksSeen[engine::maxThreads];

uint32_t noteThread(engine::SizeCode) {
  const int i = calls.fetch_add(1);
  basesSeen[i] = engine::kernelBase();
  clocksSeen[i] = engine::timer.clock10k;
  return basesSeen[i] == workingMemory.testBase ? 50000u : 100000u;
}

TEST_F(ExtraKernels, ThreadsMeasureInAreasOfTheirOwnAndSumOverTheSlowest) {
  constexpr uint32_t count = 3;
  ASSERT_TRUE(engine::prepareThreadAreas(count));
  calls = 0;
  uint32_t rates[count] = {};
  EXPECT_EQ(engine::threadedRate(noteThread, 0, count, rates), count * 50000u);
  ASSERT_EQ(calls.load(), int(count));
  std::set<uint8_t*> bases(basesSeen, basesSeen + count);
  EXPECT_EQ(bases.size(), count);
  EXPECT_EQ(bases.count(workingMemory.testBase), 1u);
  for (uint8_t* b : bases) EXPECT_EQ(reinterpret_cast<uintptr_t>(b) % 65536, 0u);
  for (uint32_t i = 0; i < count; ++i) EXPECT_EQ(clocksSeen[i], engine::timer.clock10k);
  EXPECT_EQ(rates[0] + rates[1] + rates[2], 250000u);
  // The main thread's kernels still use the test area.
  EXPECT_EQ(engine::kernelBase(), workingMemory.testBase);
  // A real copy on every thread moves each thread's block.
  EXPECT_NE(engine::threadedRate(engine::movsbCopyKernel, 100, count), 0u);
  engine::freeThreadAreas();
}

TEST(ThreadSum, TheSlowestThreadSetsTheTime) {
  const struct {
    std::vector<uint32_t> rates;
    uint32_t expected;
  } cases[] = {
      {{1000, 800, 900}, 2400},
      {{1000}, 1000},
      {{1000, 0}, 0},                            // a thread that measured nothing
      {{0xF0000000u, 0xF0000000u}, 0xFFFFFFFFu}, // a sum past 32 bits
  };
  for (const auto& c : cases) {
    EXPECT_EQ(engine::summedRate(c.rates.data(), static_cast<uint32_t>(c.rates.size())),
              c.expected);
  }
}

} // namespace
