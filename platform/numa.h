// Seam: the system's memory nodes, the usable processors of each, and blocks placed on one
// node's memory. A system without node information is one node holding every processor.
#pragma once
#include <cstddef>
#include <cstdint>

namespace platform {

constexpr uint32_t maxMemoryNodes = 64;

// Memory nodes of the system, 1 .. maxMemoryNodes.
uint32_t memoryNodeCount();

// The usable processors of a node (indexes as platform/threads takes them), in order, at most
// max of them; returns how many the node has that this process may use.
uint32_t nodeProcessors(uint32_t node, uint32_t* indexes, uint32_t max);

// A block of bytes in the memory of node, every page written once so the system places it
// now; nullptr when the system refuses it. Freed with freeNodeBlock.
void* allocateOnNode(std::size_t bytes, uint32_t node);
void freeNodeBlock(void* block, std::size_t bytes);

} // namespace platform
