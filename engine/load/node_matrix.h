// The memory-node matrix: for each pair of nodes, threads on the processors of node i and
// memory on node j. Each cell has the idle random-order latency (one thread on node i's first
// processor chasing the Random Latency chain in a block on node j) and the read bandwidth of
// all of node i's processors reading parts of that block at once.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/size_codes.h"
#include "platform/numa.h"

namespace engine {

struct NodeMatrix {
  uint32_t nodes = 0;
  uint32_t processors[platform::maxMemoryNodes] = {};   // usable processors of each node
  // [threads' node][memory's node]; 0: not measured (a node without usable processors)
  uint32_t tickHundredths[platform::maxMemoryNodes][platform::maxMemoryNodes] = {};
  uint32_t rate[platform::maxMemoryNodes][platform::maxMemoryNodes] = {};   // 1/100 MB/s
};

// Measures every cell with a block of the size code's bytes on each node; afterCell runs after
// each cell (progress). False with missing naming what the system refused: a block on a node,
// or the threads.
bool measureNodeMatrix(SizeCode code, NodeMatrix& matrix, std::string& missing,
                       void (*afterCell)(uint32_t done, uint32_t total));

} // namespace engine
