// Bandwidth on several processors at once: every thread runs the same kernel at the same block
// size on a block of its own, pinned to its own processor, and all start together behind a
// barrier. The point's rate is the summed rate: the bytes of all threads over the longest
// thread's time.
#pragma once
#include <cstddef>
#include <cstdint>

#include "engine/kernels/kernels.h"

namespace engine {

constexpr uint32_t maxThreads = 64;   // one processor group of Windows
// A worker's smallest area: a 16 MB block and a copy's 16 MB destination behind it, 64 KB
// aligned.
constexpr std::size_t threadAreaBytes = 2 * 16777216 + 65536;

// Bytes of a worker's area for blocks up to largestCode: the block (twice with copies, whose
// destination lies behind it) and 64 KB of alignment; never less than threadAreaBytes.
std::size_t threadAreaBytesFor(uint32_t largestCode, bool copies);

// The blocks of threads 1 .. count - 1; thread 0 measures in the test area.
struct ThreadAreas {
  uint8_t* blocks[maxThreads] = {};
  std::size_t bytes = threadAreaBytes;   // of each block
  uint32_t count = 1;                    // threads the blocks serve
};
extern ThreadAreas threadAreas;

// Makes blocks of at least bytes for count threads (2 .. maxThreads), every page written once
// (large pages asked for), keeping those already held when they are large enough; false when
// the system refuses one (the blocks made are kept, freeThreadAreas gives them back).
bool prepareThreadAreas(uint32_t count, std::size_t bytes = threadAreaBytes);
void freeThreadAreas();

// The bytes of count threads that each moved the same volume, over the longest thread's time:
// count x the slowest rate, hundredths of MB/s; 0 when a thread measured nothing, 0xFFFFFFFF
// when the sum does not fit.
uint32_t summedRate(const uint32_t* rates, uint32_t count);

// The kernel at code on count threads (threadAreas prepared for count): the summed rate, 0
// when the threads could not be started. rates, when given, receives each thread's own rate.
uint32_t threadedRate(KernelFunction kernel, SizeCode code, uint32_t count,
                      uint32_t* rates = nullptr);

} // namespace engine
