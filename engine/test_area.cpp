// The test area: its 64 KB aligned start, the untimed read-in of a region, and the one-time
// search for the page offset at which the area reads fastest. The offset matters because cache
// sets and DRAM banks are chosen by address bits; 64 pages cover the usual set strides.
#include "engine/test_area.h"

#include <cassert>
#include <cstdint>
#include <cstring>

#include "cpu/vector_features.h"
#include "engine/kernels/kernels.h"
#include "engine/working_memory.h"

namespace engine {

TestArea testArea;
thread_local CacheFlushRecord lastCacheFlush;

namespace {

// One 4-byte load per 32 bytes, four per 128-byte turn: enough to bring every line of 32 bytes
// or more, and every page, into the caches and translation buffers. Written in assembly so the
// otherwise unused loads stay.
void touchRegion(const uint8_t* start, uint32_t bytes) {
  uint32_t turns = bytes / 128;
  if (turns == 0) return;
  const uint8_t* p = start;
  uint32_t sink;
  asm volatile(
      "1:\n\t"
      "movl 0(%[p]), %[sink]\n\t"
      "movl 32(%[p]), %[sink]\n\t"
      "movl 64(%[p]), %[sink]\n\t"
      "movl 96(%[p]), %[sink]\n\t"
      "add $128, %[p]\n\t"
      "dec %[turns]\n\t"
      "jnz 1b\n\t"
      : [p] "+r"(p), [turns] "+r"(turns), [sink] "=&r"(sink)
      :
      : "memory", "cc");
}

constexpr uint32_t cacheLineBytes = 64;

// One flush per 64-byte line, then MFENCE, which orders both flushes before later stores.
template <bool optimized>
void flushLines(uint8_t* start, uint32_t lines) {
  uint8_t* p = start;
  asm volatile(
      "1:\n\t"
      ".if %c[opt]\n\t"
      "clflushopt (%[p])\n\t"
      ".else\n\t"
      "clflush (%[p])\n\t"
      ".endif\n\t"
      "add $64, %[p]\n\t"
      "dec %[lines]\n\t"
      "jnz 1b\n\t"
      "mfence\n\t"
      : [p] "+r"(p), [lines] "+r"(lines)
      : [opt] "i"(optimized ? 1 : 0)
      : "memory", "cc");
}

} // namespace

void flushRegion(uint8_t* start, uint32_t bytes) {
  // A line the region only partly covers is flushed whole: stores to it are stores to the region.
  const uintptr_t first = reinterpret_cast<uintptr_t>(start) & ~uintptr_t(cacheLineBytes - 1);
  const uintptr_t end = reinterpret_cast<uintptr_t>(start) + bytes;
  const uint32_t lines = static_cast<uint32_t>((end - first + cacheLineBytes - 1) / cacheLineBytes);
  if (bytes != 0 && cpu::vectorFeatures.clflushopt) {
    flushLines<true>(reinterpret_cast<uint8_t*>(first), lines);
  } else if (bytes != 0 && cpu::vectorFeatures.clflush) {
    flushLines<false>(reinterpret_cast<uint8_t*>(first), lines);
  }
  lastCacheFlush.start = start;
  lastCacheFlush.bytes = bytes;
  ++lastCacheFlush.count;
}

uint8_t* alignedTestBase() {
  const uintptr_t start = reinterpret_cast<uintptr_t>(workingMemory.testAllocation);
  const uintptr_t aligned = (start + (testAreaAlignment - 1)) & ~uintptr_t(testAreaAlignment - 1);
  return workingMemory.testAllocation + (aligned - start);
}

void touchBlock(uint32_t bytes) {
  uint8_t* start = threadArea.base;   // a worker thread's own area
  if (start != nullptr) {
    assert(threadArea.base + bytes <= threadArea.end);
  } else {
    start = workingMemory.testBase;
    assert(start != nullptr);
    assert(start + bytes <= workingMemory.testAllocation + workingMemory.testAllocationSize);
  }
  for (uint32_t pass = 0; pass < testArea.readInPasses; ++pass) touchRegion(start, bytes);
}

void fillWithData(uint8_t* start, std::size_t bytes) {
  // Consecutive words differ, so no line repeats a short pattern either.
  uint32_t word = 0x9E3779B9u;
  for (std::size_t i = 0; i + 4 <= bytes; i += 4, word += 0x9E3779B9u) {
    const uint32_t value = word | 1u;
    std::memcpy(start + i, &value, 4);
  }
}

void touchAllocation(uint32_t bytes) {
  assert(workingMemory.testAllocation != nullptr && bytes <= workingMemory.testAllocationSize);
  touchRegion(workingMemory.testAllocation, bytes);
}

void placementSearch(bool hasMmx) { placementSearchWith(hasMmx ? mmxReadKernel : readKernel); }

void placementSearchWith(uint32_t (*kernel)(uint32_t code)) {
  // Codes 99..179 (62.75 KB to 594 KB) sit in the second-level cache of most processors, where
  // the set conflicts of a poor placement show most clearly.
  constexpr SizeCode firstCode = 99, lastCode = 179, codeStep = 5;
  testArea.reducedTransfer = true;
  testArea.placementDone = true;
  uint8_t* const aligned = alignedTestBase();
  uint8_t* best = aligned;
  // 64 bits: seventeen rates taken eight times too large could pass 2^32 on a fast cache.
  uint64_t bestSum = 0;
  for (uint32_t i = 0; i < placementOffsets; ++i) {
    workingMemory.testBase = aligned + placementPage * i;
    uint64_t sum = 0;
    for (SizeCode code = firstCode; code <= lastCode; code += codeStep) sum += kernel(code);
    if (sum >= bestSum) {   // equal sums: the later offset wins
      bestSum = sum;
      best = workingMemory.testBase;
    }
  }
  workingMemory.testBase = best;
  testArea.reducedTransfer = false;
}

} // namespace engine
