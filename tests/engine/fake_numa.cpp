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

void* allocateOnNode(std::size_t bytes, uint32_t node) {
  void* block = std::aligned_alloc(65536, (bytes + 65535) / 65536 * 65536);
  if (block != nullptr) std::memset(block, 0, bytes);
  if (node < 2) ++enginetest::fakeNodes.blocks[node];
  return block;
}

void freeNodeBlock(void* block, std::size_t) { std::free(block); }

} // namespace platform
