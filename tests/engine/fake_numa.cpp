// The memory-node seam for the engine suite: two nodes, node 0 with the first usable processor
// and node 1 with the second (the first again on a one-processor host). Blocks come from the
// heap; the fake counts the blocks asked of each node.
#include "tests/engine/fake_numa.h"

#include <cstdlib>
#include <cstring>

#include "platform/numa.h"
#include "platform/threads.h"

namespace enginetest {
FakeNodes fakeNodes;
}

namespace platform {

uint32_t memoryNodeCount() { return 2; }

uint32_t nodeProcessors(uint32_t node, uint32_t* indexes, uint32_t max) {
  if (node > 1 || max == 0) return 0;
  indexes[0] = node % usableProcessorCount();
  return 1;
}

// 64 KB aligned, as the system's blocks are page aligned; the heap block's start is kept just
// before the aligned one.
void* allocateOnNode(std::size_t bytes, uint32_t node) {
  void* raw = std::malloc(bytes + 65536 + sizeof(void*));
  if (raw == nullptr) return nullptr;
  const uintptr_t start = reinterpret_cast<uintptr_t>(raw) + sizeof(void*);
  void** block = reinterpret_cast<void**>((start + 65535) & ~uintptr_t(65535));
  block[-1] = raw;
  std::memset(block, 0, bytes);
  if (node < 2) ++enginetest::fakeNodes.blocks[node];
  return block;
}

void freeNodeBlock(void* block, std::size_t) {
  if (block != nullptr) std::free(static_cast<void**>(block)[-1]);
}

} // namespace platform
