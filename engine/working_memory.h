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

// False when the system refuses a block (nothing is then held).
bool allocateWorkingMemory();
void freeWorkingMemory();

} // namespace engine
