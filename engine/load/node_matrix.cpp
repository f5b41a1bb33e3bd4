// The chain of Random Latency lives in the test area. For a node's block the working memory is
// pointed at that block while its cells are measured, and put back afterwards; the chain is
// built once per block, and every row's threads then read the same chain.
#include "engine/load/node_matrix.h"

#include <algorithm>

#include "engine/latency/latency.h"
#include "engine/latency/random_chain.h"
#include "engine/load/load_threads.h"
#include "engine/load/loaded_latency.h"
#include "engine/load/max_bandwidth.h"
#include "engine/test_area.h"
#include "engine/timer.h"
#include "engine/working_memory.h"
#include "platform/threads.h"

namespace engine {
namespace {

struct ChaseWork {
  SizeCode code;
  TimerState timer;
  uint32_t samples[64] = {};
  uint32_t count = 0;
};

void chaseWorker(void* context, uint32_t) {
  ChaseWork& work = *static_cast<ChaseWork*>(context);
  timer = work.timer;
  work.count = std::min<uint32_t>(loadSettings.chaseSamples, 64);
  randomLatency(work.code);   // the lines into this processor's translation buffers
  for (uint32_t s = 0; s < work.count; ++s) {
    work.samples[s] = cyclesFromRate(randomLatency(work.code), 32);
  }
}

uint32_t idleLatency(uint32_t processor, SizeCode code) {
  ChaseWork work;
  work.code = code;
  work.timer = timer;
  if (!platform::runThreadsPinnedTo(&processor, 1, chaseWorker, &work)) return 0;
  return medianOf(work.samples, work.count);
}

// All processors of a node reading equal parts of a block.
uint32_t nodeReadRate(const uint32_t* processors, uint32_t count, uint8_t* block,
                      std::size_t bytes) {
  LoadArea areas[maxThreads];
  const std::size_t part = bytes / count / burstBytes * burstBytes;
  for (uint32_t i = 0; i < count; ++i) areas[i] = {block + i * part, part};
  return bestMixRate(bandwidthMixes[0], widestBurstWidth(cpu::vectorFeatures), areas,
                     processors, count);
}

// Row by row, the cells of memory node j, whose block the working memory points at.
bool measureColumn(uint32_t j, SizeCode code, NodeMatrix& m,
                   const uint32_t (&processors)[platform::maxMemoryNodes][maxThreads],
                   uint32_t& done, void (*afterCell)(uint32_t, uint32_t)) {
  randomChainState = RandomChainState{};
  prepareRandomChain(blockBytes(code) / chainLineBytes, 0, randomChainSeed);
  for (uint32_t i = 0; i < m.nodes; ++i) {
    const uint32_t count = std::min(m.processors[i], maxThreads);
    if (count != 0) {
      m.tickHundredths[i][j] = idleLatency(processors[i][0], code);
      m.rate[i][j] = nodeReadRate(processors[i], count, workingMemory.testBase, blockBytes(code));
      if (m.tickHundredths[i][j] == 0 || m.rate[i][j] == 0) return false;
    }
    if (afterCell != nullptr) afterCell(++done, m.nodes * m.nodes);
  }
  return true;
}

} // namespace

bool measureNodeMatrix(SizeCode code, NodeMatrix& m, std::string& missing,
                       void (*afterCell)(uint32_t done, uint32_t total)) {
  m = NodeMatrix{};
  m.nodes = platform::memoryNodeCount();
  static uint32_t processors[platform::maxMemoryNodes][maxThreads];
  for (uint32_t i = 0; i < m.nodes; ++i) {
    m.processors[i] = platform::nodeProcessors(i, processors[i], maxThreads);
  }
  const std::size_t bytes = blockBytes(code);
  const WorkingMemory held = workingMemory;
  uint32_t done = 0;
  bool ok = true;
  for (uint32_t j = 0; j < m.nodes && ok; ++j) {
    uint8_t* const block = static_cast<uint8_t*>(platform::allocateOnNode(bytes, j));
    if (block == nullptr) {
      missing = "a block of " + std::to_string(bytes >> 10) + " KB on memory node " +
                std::to_string(j);
      ok = false;
      break;
    }
    fillWithData(block, bytes);
    workingMemory.testAllocation = workingMemory.testBase = block;
    workingMemory.testAllocationSize = bytes;
    ok = measureColumn(j, code, m, processors, done, afterCell);
    if (!ok) missing = "the threads of memory node " + std::to_string(j) + "'s cells";
    workingMemory = held;
    platform::freeNodeBlock(block, bytes);
  }
  randomChainState = RandomChainState{};
  return ok;
}

} // namespace engine
