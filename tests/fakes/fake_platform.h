// Scriptable stand-ins for the clock, priority, memory and message seams, for the suites that
// link tw_platform_fake. Tests set the fields before the code under test runs and read the
// counters afterwards; resetFakePlatform() puts everything back to a quiet default machine.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/memory.h"

namespace fakeplatform {

struct FakeClock {
  bool hasCounter = true;          // false: queryPerfFrequency fails
  uint64_t frequency = 1000;       // counts per second it reports
  uint64_t value = 0;              // what the next queryPerfCounter read returns (before step)
  uint64_t step = 1;               // added after every read
  uint32_t holdReads = 0;          // the first this-many reads return value unchanged
  uint64_t reads = 0;              // queryPerfCounter calls so far
  void (*onRead)() = nullptr;      // called at every read, before the value is returned
};
extern FakeClock clock;

struct FakePriority {
  int raises = 0;
  int restores = 0;
  int depth = 0;                   // raises minus restores
};
extern FakePriority priority;

struct FakeMemory {
  uint64_t freeBytes = 4ull << 30;   // what freePhysicalBytes reports
  int failAllocation = 0;            // the n-th allocation (1-based) fails; 0: none fails
  std::size_t misalignBy = 0;        // returned blocks start this many bytes past 64 KB
  int allocations = 0;               // allocateZeroed calls so far (failed ones too)
  int liveBlocks = 0;                // allocated and not yet freed
  std::vector<std::size_t> sizes;    // sizes asked for, in order
  bool osVersionAvailable = true;
  platform::OsVersion osVersion{};   // what readPlatformOsVersion reports
  uint64_t freeQueries = 0;          // freePhysicalBytes calls so far
  int liveBlocksAtFreeQuery = -1;    // liveBlocks at the last freePhysicalBytes call
};
extern FakeMemory memory;

struct FakeMessages {
  std::vector<std::string> shown;    // texts passed to showErrorMessage, in order
  void* owner = nullptr;             // last setMessageOwner window
};
extern FakeMessages messages;

void resetFakePlatform();

} // namespace fakeplatform
