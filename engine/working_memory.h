// The working memory held for the life of the process: the test allocation with its 64 KB
// aligned test area, and the text buffer the reports and the settings file are assembled in.
#pragma once
#include <cstddef>
#include <cstdint>

namespace engine {

constexpr std::size_t testAllocationBytes = 36503552;   // 34.8125 MiB: 32 MB + alignment + placement
constexpr std::size_t reportBufferBytes = 131072;       // two halves of 64 KB
constexpr std::size_t reportBufferHalf = 65536;

struct WorkingMemory {
  uint8_t* testAllocation = nullptr;
  uint8_t* testBase = nullptr;      // start rounded up to 64 KB; moved once by the placement search
  char* reportBuffer = nullptr;     // first half: HTML page; second half: settings text, CSV
};
extern WorkingMemory workingMemory;

// A worker thread's own test area while a point runs on several threads; base nullptr on every
// other thread, whose kernels use testBase.
struct ThreadArea {
  uint8_t* base = nullptr;   // 64 KB aligned, like testBase
  uint8_t* end = nullptr;    // one past the last byte a kernel may touch
};
extern thread_local ThreadArea threadArea;

// False when the system refuses a block (nothing is then held).
bool allocateWorkingMemory();
void freeWorkingMemory();

} // namespace engine
