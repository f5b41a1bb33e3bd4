// Memory with a scripted amount free, a chosen allocation that fails, a chosen misalignment of
// the blocks handed out, and a count of blocks still held, so leaks and order show in tests.
#include "platform/memory.h"

#include <cstdlib>
#include <cstring>
#include <map>

#include "tests/fakes/fake_platform.h"

namespace fakeplatform {
FakeMemory memory;
} // namespace fakeplatform

namespace platform {
namespace {
constexpr std::size_t alignment = 65536;
// Returned address -> what malloc gave, for freeBlock.
std::map<void*, void*>& underlying() {
  static std::map<void*, void*> blocks;
  return blocks;
}
} // namespace

void* allocateZeroed(std::size_t bytes) {
  fakeplatform::FakeMemory& m = fakeplatform::memory;
  ++m.allocations;
  m.sizes.push_back(bytes);
  if (m.allocations == m.failAllocation) return nullptr;
  void* raw = std::calloc(1, bytes + 2 * alignment);
  if (!raw) return nullptr;
  const uintptr_t aligned = (reinterpret_cast<uintptr_t>(raw) + alignment - 1) & ~(alignment - 1);
  void* block = reinterpret_cast<void*>(aligned + m.misalignBy % alignment);
  underlying()[block] = raw;
  ++m.liveBlocks;
  return block;
}

void* allocateTouched(std::size_t bytes, bool) { return allocateZeroed(bytes); }

uint64_t largePageBytes(const void*, std::size_t) { return 0; }

void freeBlock(void* block, std::size_t) {
  if (!block) return;
  auto found = underlying().find(block);
  if (found == underlying().end()) std::abort();   // freeing what was never handed out
  std::free(found->second);
  underlying().erase(found);
  --fakeplatform::memory.liveBlocks;
}

uint64_t freePhysicalBytes() {
  ++fakeplatform::memory.freeQueries;
  fakeplatform::memory.liveBlocksAtFreeQuery = fakeplatform::memory.liveBlocks;
  return fakeplatform::memory.freeBytes;
}

bool readPlatformOsVersion(OsVersion& version) {
  if (!fakeplatform::memory.osVersionAvailable) return false;
  version = fakeplatform::memory.osVersion;
  return true;
}

} // namespace platform
