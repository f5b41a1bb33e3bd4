// The working memory: the test allocation with its 64 KB aligned test area and the report
// buffer, taken from the system once at start-up and given back when the program ends. The
// result tables are a static record and need no block of their own.
#include "engine/working_memory.h"

#include "engine/size_codes.h"
#include "engine/test_area.h"
#include "platform/memory.h"

namespace engine {

WorkingMemory workingMemory;
thread_local ThreadArea threadArea;

bool allocateWorkingMemory() {
  freeWorkingMemory();   // a second call replaces, never leaks
  workingMemory.testAllocation = static_cast<uint8_t*>(platform::allocateZeroed(testAllocationBytes));
  workingMemory.reportBuffer = static_cast<char*>(platform::allocateZeroed(reportBufferBytes));
  if (!workingMemory.testAllocation || !workingMemory.reportBuffer) {
    // The program must not run on with a block missing: hold nothing, report the refusal.
    freeWorkingMemory();
    return false;
  }
  // The allocation holds the 32 MB of the largest measurement behind up to 64 KB of alignment
  // and the placement search's 64 pages, so the aligned area always fits inside it.
  workingMemory.testBase = alignedTestBase();
  return true;
}

std::size_t testAllocationFor(uint32_t largestCode, bool copies) {
  // A chain's last element may reach 3 bytes past its block; 4 KB covers it with room to spare.
  const std::size_t block = blockBytes(largestCode);
  const std::size_t needed = block * (copies ? 2 : 1) + testAreaAlignment +
                             (placementOffsets - 1) * placementPage + 4096;
  return needed > testAllocationBytes ? needed : testAllocationBytes;
}

ReserveStatus reserveTestAllocation(std::size_t bytes) {
  if (bytes <= workingMemory.testAllocationSize) return ReserveStatus::ok;
  const uint64_t available = platform::freePhysicalBytes() + workingMemory.testAllocationSize;
  if (available < bytes + systemReserveBytes) return ReserveStatus::shortOfMemory;
  // Blocks past the caches cross more pages than any translation buffer holds; large pages
  // take the page walks out of what the bandwidth and latency of memory show.
  uint8_t* grown = static_cast<uint8_t*>(platform::allocateTouched(bytes, true));
  if (!grown) return ReserveStatus::refused;
  platform::freeBlock(workingMemory.testAllocation, workingMemory.testAllocationSize);
  workingMemory.testAllocation = grown;
  workingMemory.testAllocationSize = bytes;
  workingMemory.largePagesAsked = platform::canAskForLargePages();
  workingMemory.largePageBytes = platform::largePageBytes(grown, bytes);
  workingMemory.testBase = alignedTestBase();
  return ReserveStatus::ok;
}

void freeWorkingMemory() {
  platform::freeBlock(workingMemory.testAllocation, workingMemory.testAllocationSize);
  platform::freeBlock(workingMemory.reportBuffer, reportBufferBytes);
  workingMemory = WorkingMemory{};
}

} // namespace engine
