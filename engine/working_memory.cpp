// The working memory: the test allocation with its 64 KB aligned test area and the report
// buffer, taken from the system once at start-up and given back when the program ends. The
// result tables are a static record and need no block of their own.
#include "engine/working_memory.h"

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

void freeWorkingMemory() {
  platform::freeBlock(workingMemory.testAllocation, testAllocationBytes);
  platform::freeBlock(workingMemory.reportBuffer, reportBufferBytes);
  workingMemory = WorkingMemory{};
}

} // namespace engine
