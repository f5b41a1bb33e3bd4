// The command line's additions to a run: the extra kernels' tables and the thread count.
#include "engine/run/run_extras.h"

#include "engine/test_area.h"
#include "engine/threads.h"
#include "engine/working_memory.h"

namespace engine {

RunExtras runExtras;
ExtraTables extraTables;

void fillKernelAreasWithData() {
  fillWithData(workingMemory.testAllocation, workingMemory.testAllocationSize);
  for (uint8_t* block : threadAreas.blocks) {
    if (block != nullptr) fillWithData(block, threadAreas.bytes);
  }
}

uint32_t measureBandwidth(KernelFunction kernel, SizeCode code) {
  if (runExtras.threads <= 1) return kernel(code);
  return threadedRate(kernel, code, runExtras.threads);
}

} // namespace engine
