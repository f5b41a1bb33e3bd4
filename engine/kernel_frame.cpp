// The shared frame of the bandwidth kernels: turn counts, test area start, nominal rate.
#include "engine/kernel_frame.h"

#include "engine/results.h"
#include "engine/timer.h"
#include "engine/working_memory.h"

namespace engine {

KernelTurns kernelTurns(SizeCode code, uint32_t turnBytes) {
  assert(validSizeCode(code));
  assert(workingMemory.testBase != nullptr);
  const uint32_t size = blockDwords(code);
  const TransferPlan plan = transferPlan(size);
  const uint32_t turnDwords = turnBytes / 4;
  KernelTurns result;
  result.turns = size / turnDwords;
  result.passes = plan.passes;
  result.partialTurns = plan.remainder / turnDwords;
  return result;
}

uint8_t* kernelBase() {
  return threadArea.base != nullptr ? threadArea.base : workingMemory.testBase;
}

uint32_t nominalRate() { return rateFromElapsed(16u << runParameters.iterationShift); }

} // namespace engine
