// Memory nodes on Linux through libnuma. Where the kernel has no NUMA support
// (numa_available() < 0) the system is one node.
#include "platform/numa.h"

#include <numa.h>

#include <cstring>

#include "platform/threads.h"

namespace platform {
namespace {

bool numaKnown() { return numa_available() >= 0; }

} // namespace

uint32_t memoryNodeCount() {
  if (!numaKnown()) return 1;
  const int nodes = numa_num_configured_nodes();
  if (nodes < 1) return 1;
  return nodes > int(maxMemoryNodes) ? maxMemoryNodes : static_cast<uint32_t>(nodes);
}

uint32_t nodeProcessors(uint32_t node, uint32_t* indexes, uint32_t max) {
  const bool oneNode = memoryNodeCount() == 1;
  uint32_t found = 0;
  for (uint32_t i = 0; i < usableProcessorCount(); ++i) {
    const int32_t cpu = processorNumber(i);
    // A processor the kernel cannot place (-1) belongs to node 0.
    const int cpuNode = oneNode || cpu < 0 ? 0 : numa_node_of_cpu(cpu);
    if (static_cast<uint32_t>(cpuNode < 0 ? 0 : cpuNode) != node) continue;
    if (found < max) indexes[found] = i;
    ++found;
  }
  return found;
}

void* allocateOnNode(std::size_t bytes, uint32_t node) {
  void* block = numaKnown() ? numa_alloc_onnode(bytes, static_cast<int>(node))
                            : numa_alloc(bytes);
  if (block != nullptr) std::memset(block, 0, bytes);   // placed by the first write
  return block;
}

void freeNodeBlock(void* block, std::size_t bytes) {
  if (block != nullptr) numa_free(block, bytes);
}

} // namespace platform
