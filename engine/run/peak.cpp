// The start-up peak estimate and the line-size probe.
#include "engine/run/peak.h"

#include <initializer_list>

#include "engine/run/results.h"

namespace engine {

uint32_t largestPeakRate(const PeakKernels& kernels, bool hasMmx, bool hasSse) {
  // The fastest kernels at the two smallest blocks, which every first-level cache holds: the
  // top of the chart then fits every curve the processor can draw.
  const bool allowed[peakKernelCount] = {true, true, true, hasMmx, hasMmx, hasSse, hasSse};
  uint32_t best = 0;
  for (SizeCode code : {SizeCode(0), SizeCode(25)}) {
    for (uint32_t i = 0; i < peakKernelCount; ++i) {
      if (!allowed[i]) continue;
      const uint32_t rate = kernels[i](code);
      if (rate >= best) best = rate;
    }
  }
  return best;
}

void measurePeakRate(bool hasMmx, bool hasSse) {
  static constexpr PeakKernels order = {writeKernel, copyKernel, readKernel, mmxWriteKernel,
                                        mmxReadKernel, sseWriteKernel, sseReadKernel};
  chartScales.chartPeakRate = largestPeakRate(order, hasMmx, hasSse) / 100;
}

uint32_t chooseLineKernel(uint32_t rate32, uint32_t rate64, uint32_t rate128) {
  if (rate32 + rate32 / 2 < rate64) return 9;
  if (rate64 + rate64 / 2 < rate128) return 10;
  return 11;
}

uint32_t probeLineSize() {
  constexpr SizeCode probeCode = maxSizeCode;
  const uint32_t a = lineRead32Kernel(probeCode);
  const uint32_t b = lineRead64Kernel(probeCode);
  if (a + a / 2 < b) return 9;
  return chooseLineKernel(a, b, lineRead128Kernel(probeCode));
}

} // namespace engine
