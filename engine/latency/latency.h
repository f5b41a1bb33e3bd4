// Pointer chasing: the cyclic chain of 4-byte elements in the test area, the fixed-step Read
// Latency, the Memory Walk curve point with its growing stride, and the long chain with
// untimed re-reading. Results are rate-form values: cyclesFromRate(value, 32) gives hundredths
// of cycles per load.
#pragma once
#include <cstdint>

#include "engine/size_codes.h"

namespace engine {

// Chain elements hold absolute addresses when pointers are 4 bytes wide (i686) and 4-byte
// offsets from testBase otherwise (x86-64), so elements stay 4 bytes and never overlap.
constexpr bool chainHoldsOffsets = sizeof(void*) > 4;

// What element values are relative to: 0 for absolute addresses, else testBase.
uintptr_t chainOrigin();
// The value that designates the element at a byte offset from testBase.
uint32_t chainValue(uint32_t offset);

// Writes the chain of elements testBase + k x stride whose count m is the smallest with
// m x stride >= length; the last element leads back to testBase. stride >= 4.
void buildChain(uint32_t length, uint32_t stride);

// Chase through a chain of step runParameters.latencyStep over the block of the code:
// 4,194,304 << iterationShift loads. Codes 0..300 and 325.
uint32_t readLatency(SizeCode code);

// Loads of one Random Latency point (times 2^iterationShift): enough for a 4 KB block to take
// about a million counter ticks, few enough that a block in main memory takes tens of
// milliseconds, not seconds.
constexpr uint32_t randomLatencyLoads = 262144;

// Chase through the random chain over the block of the code (engine/latency/random_chain.h), each run
// kept inside runRequest.tlbWindow bytes when that is set. The chain is built, and the block
// read in, only when the test area does not hold it already.
uint32_t randomLatency(SizeCode code);

// Memory Walk stride in bytes for a code and start step: block bytes x step / 4,096, rounded
// down to a coarser multiple as it grows.
uint32_t walkStride(SizeCode code, uint32_t step);

// Memory Walk curve point: 65,536 << iterationShift loads through a 32 MB chain of
// walkStride(code, latencyStep); the 4 MB re-read at each return to the start is untimed.
uint32_t walkLatency(SizeCode code);

// 65,536 << iterationShift loads through a chain of the given step over blockBytes, re-reading
// min(blockBytes, 4 MB) untimed at each return to the start; 0 when blockBytes / 16 <= step.
uint32_t longWalkLatency(uint32_t blockBytes, uint32_t step);

} // namespace engine
