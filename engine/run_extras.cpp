// The command line's additions to a run: the extra kernels' tables and the thread count.
#include "engine/run_extras.h"

#include "engine/threads.h"

namespace engine {

RunExtras runExtras;
ExtraTables extraTables;

uint32_t measureBandwidth(KernelFunction kernel, SizeCode code) {
  if (runExtras.threads <= 1) return kernel(code);
  return threadedRate(kernel, code, runExtras.threads);
}

} // namespace engine
