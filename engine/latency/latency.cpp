// Pointer chasing. The chain is a cycle of 4-byte elements in the test area; each load takes
// the next element's designation from the one just loaded, so the loads cannot overlap and the
// time per load is the latency of whatever level holds the chain. Each chase loop is one
// assembly block: the dependent load, the counter and, for the walks, the comparison with the
// chain's start. Re-reading between two passes through a long chain is timed out.
#include "engine/latency/latency.h"

#include <cassert>
#include <cstring>

#include "engine/latency/random_chain.h"
#include "engine/run/results.h"
#include "engine/run/series.h"
#include "engine/test_area.h"
#include "engine/timer.h"
#include "engine/working_memory.h"

// The one dependent load. On i686 an element is the next element's address; on x86-64 it is
// its 4-byte offset from the test area (base + index addressing, the 32-bit load clears the
// upper half). Only the addressing differs between the two widths.
#if defined(__x86_64__)
#define TW_CHAIN_LOAD "movl (%[origin],%[p]), %k[p]\n\t"
#else
#define TW_CHAIN_LOAD "movl (%[p]), %[p]\n\t"
#endif

namespace engine {

namespace {

constexpr uint32_t walkChainBytes = 33554432;   // 32 MB: the whole walk chain
constexpr uint32_t rereadBytes = 4194304;       // 4 MB re-read when a walk returns to the start

// loads dependent loads from p on; p ends on the element last loaded.
inline void chase(uintptr_t& p, uintptr_t origin, uint32_t loads) {
  asm volatile(
      "1:\n\t"
      TW_CHAIN_LOAD
      "dec %[n]\n\t"
      "jnz 1b\n\t"
      : [p] "+r"(p), [n] "+r"(loads)
      : [origin] "r"(origin)
      : "memory", "cc");
}

// Up to loads dependent loads; stops early when an element leads back to start. Returns the
// loads left (0: all made).
inline uint32_t chaseToStart(uintptr_t& p, uintptr_t origin, uintptr_t start, uint32_t loads) {
  asm volatile(
      "1:\n\t"
      TW_CHAIN_LOAD
      "dec %[n]\n\t"
      "jz 2f\n\t"
      "cmp %[start], %[p]\n\t"
      "jne 1b\n\t"
      "2:\n\t"
      : [p] "+r"(p), [n] "+r"(loads)
      : [origin] "r"(origin), [start] "r"(start)
      : "memory", "cc");
  return loads;
}

// Chases loads loads through the chain from its start, re-reading rereadBytes untimed each time
// the chain returns to its start. Leaves the measurement open for rateFromElapsed.
void timedWalk(uint32_t loads, uint32_t reread) {
  const uintptr_t origin = chainOrigin();
  const uintptr_t start = chainValue(0);
  uintptr_t p = start;
  timerStart();
  while ((loads = chaseToStart(p, origin, start, loads)) != 0) {
    timerPause();
    touchBlock(reread);
    timerResume();
  }
}

} // namespace

uintptr_t chainOrigin() {
  return chainHoldsOffsets ? reinterpret_cast<uintptr_t>(workingMemory.testBase) : 0;
}

uint32_t chainValue(uint32_t offset) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(workingMemory.testBase) + offset -
                               chainOrigin());
}

void buildChain(uint32_t length, uint32_t stride) {
  assert(stride >= 4 && length >= 4);
  assert(workingMemory.testBase != nullptr);
  uint8_t* const base = workingMemory.testBase;
  randomChainState = RandomChainState{};   // overwritten here
  // The end stays inside the allocation: 32 MB plus at most 3 bytes of the last element.
  assert(base + length + 3 <= workingMemory.testAllocation + workingMemory.testAllocationSize);
  uint32_t offset = 0;
  for (;;) {
    const uint32_t next = offset + stride;
    const uint32_t value = chainValue(next >= length ? 0 : next);
    std::memcpy(base + offset, &value, sizeof value);   // strides of 6 bytes are unaligned
    if (next >= length) return;
    offset = next;
  }
}

uint32_t readLatency(SizeCode code) {
  assert(validSizeCode(code));
  const uint32_t bytes = blockDwords(code) * 4;
  buildChain(bytes, runParameters.latencyStep);
  touchBlock(bytes);
  uintptr_t p = chainValue(0);
  timerStart();
  chase(p, chainOrigin(), 4194304u << runParameters.iterationShift);
  return rateFromElapsed(16u << runParameters.iterationShift);
}

uint32_t randomLatency(SizeCode code) {
  assert(validSizeCode(code));
  const uint32_t bytes = blockBytes(code);
  const uint32_t lines = bytes / chainLineBytes;
  const uint32_t windowLines = runRequest.tlbWindow / chainLineBytes;
  if (prepareRandomChain(lines, windowLines < lines ? windowLines : 0, randomChainSeed)) {
    touchBlock(bytes);
  }
  uintptr_t p = chainValue(randomElementOffset(0, randomChainSeed));
  timerStart();
  chase(p, chainOrigin(), randomLatencyLoads << runParameters.iterationShift);
  // 262,144 loads of 4 bytes are one megabyte.
  return rateFromElapsed(1u << runParameters.iterationShift);
}

uint32_t walkStride(SizeCode code, uint32_t step) {
  assert(validSizeCode(code));
  // block bytes x step / 4,096 as a shift of the block's 4-byte units.
  uint32_t shift = 8;
  for (uint32_t s = 1024, k = 0; k < 8; s >>= 1, ++k) {
    if (step == s) {
      shift = k;
      break;
    }
  }
  uint32_t stride = blockDwords(code) >> shift;
  // Coarser multiples as the stride grows keep the elements at round offsets.
  constexpr uint32_t limits[][2] = {{0, 2},      {16, 4},     {64, 8},     {128, 16},
                                    {512, 32},   {2048, 64},  {8192, 128}};
  for (const auto& rule : limits) {
    if (stride >= rule[0]) stride &= ~(rule[1] - 1);
  }
  return stride;
}

uint32_t walkLatency(SizeCode code) {
  const uint32_t stride = walkStride(code, runParameters.latencyStep);
  buildChain(walkChainBytes, stride);
  touchBlock(rereadBytes);
  timedWalk(65536u << runParameters.iterationShift, rereadBytes);
  // 65,536 loads of 4 bytes are a quarter megabyte: the rate for one megabyte, divided by 4.
  return rateFromElapsed(1u << runParameters.iterationShift) >> 2;
}

uint32_t longWalkLatency(uint32_t blockBytes, uint32_t step) {
  if (blockBytes / 16 <= step) return 0;
  buildChain(blockBytes, step);
  touchBlock(blockBytes);
  timedWalk(65536u << runParameters.iterationShift,
            blockBytes < rereadBytes ? blockBytes : rereadBytes);
  return rateFromElapsed(1u << runParameters.iterationShift) >> 2;
}

} // namespace engine
