// The shared frame of the bandwidth kernels: turn counts, test area start, nominal rate.
#include "engine/kernels/kernel_frame.h"

#include "engine/run/results.h"
#include "engine/test_area.h"
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
  if (plan.passes == 0) {
    result.passes = 1;
    result.partialTurns = 0;
    result.wholeBlockBytes = size * 4;
  }
  return result;
}

uint8_t* kernelBase() {
  return threadArea.base != nullptr ? threadArea.base : workingMemory.testBase;
}

uint32_t nominalRate(const KernelTurns& k) {
  const uint32_t volumeMegabytes = 16u << runParameters.iterationShift;
  const uint32_t rate = rateFromElapsed(volumeMegabytes);
  if (k.wholeBlockBytes == 0) return rate;
  // The block's bytes against the volume's: rate x bytes / (volume x 2^20), below 2^63.
  const uint64_t scaled = uint64_t(rate) * k.wholeBlockBytes / volumeMegabytes >> 20;
  return scaled > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(scaled);
}

void flushStoreTarget(uint8_t* target, const uint8_t* source, uint32_t bytes) {
  if (target == source) return;
  flushRegion(target, bytes);
}

} // namespace engine
