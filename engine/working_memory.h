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
  std::size_t testAllocationSize = testAllocationBytes;   // bytes; grown by reserveTestAllocation
  bool largePagesAsked = false;     // the grown allocation asked the system for large pages
  uint64_t largePageBytes = 0;      // bytes of it the system backed with large pages
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

// Bytes the test allocation needs for blocks up to code: the block (twice with copies, whose
// destination lies behind it), the 64 KB alignment and the placement offsets; never less than
// testAllocationBytes.
std::size_t testAllocationFor(uint32_t largestCode, bool copies);

// Free memory kept for the system beside a grown test allocation: 16 MiB.
constexpr uint64_t systemReserveBytes = 16u << 20;

enum class ReserveStatus { ok, shortOfMemory, refused };
// Replaces the test allocation with one of bytes, every page written once (large pages asked
// for), when it is smaller; checks first that bytes + systemReserveBytes are free, counting the
// allocation it gives back. On failure the old allocation stays.
ReserveStatus reserveTestAllocation(std::size_t bytes);

} // namespace engine
