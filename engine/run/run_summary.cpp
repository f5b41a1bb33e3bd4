// Summary measurements. Writes are summarised by the median of four runs, reads by the mean of
// five with the extremes dropped; both damp a run disturbed by an interrupt. The peak rate uses
// the line-read kernel whose stride matches the cache line (the line-size probe).
#include "engine/run/run_summary.h"

#include "cpu/cpu_info.h"
#include "engine/kernels/kernels.h"
#include "engine/latency/latency.h"
#include "engine/run/peak.h"
#include "engine/run/results.h"
#include "engine/timer.h"

namespace engine {
namespace {

constexpr uint32_t memoryCode = 300;          // 16 MB: larger than any cache of the era
constexpr uint32_t latencyCode = 325;         // 32 MB chain for the main-memory latency
constexpr uint32_t memoryLatencyStep = 256;   // bytes: beyond any line, so every load misses

using Kernel = KernelFunction;

// Kernel runs at 16 MB into the shared sample scratch.
void sample(Kernel kernel, int count) {
  for (int i = 0; i < count; ++i) timer.sampleScratch[i] = kernel(memoryCode);
}

uint32_t medianOfFourRuns(Kernel kernel) {
  sample(kernel, 4);
  return medianOfFour();
}

uint32_t trimmedMeanOfFiveRuns(Kernel kernel) {
  sample(kernel, 5);
  return trimmedMeanOfFive();
}

} // namespace

uint32_t runBandwidthKernel(uint32_t testNumber, uint32_t code) {
  if (testNumber < 1 || testNumber > testKernelCount) return 0;
  return kernelTable[testNumber - 1].function(code);
}

void measureSummaryValues() {
  SummaryValues& s = summaryValues;
  const bool mmx = cpu::cpuInfo.hasMmx;
  const bool sse = cpu::cpuInfo.hasSse;
  s.memWriteRate = medianOfFourRuns(writeKernel);
  if (mmx) s.mmxWriteRate = medianOfFourRuns(mmxWriteKernel);
  if (sse) s.sseWriteRate = medianOfFourRuns(sseWriteKernel);
  s.memReadRate = trimmedMeanOfFiveRuns(readKernel);
  s.peakRate = trimmedMeanOfFiveRuns(kernelTable[probeLineSize()].function);
  if (mmx) s.mmxReadRate = trimmedMeanOfFiveRuns(mmxReadKernel);
  if (sse) s.sseReadRate = trimmedMeanOfFiveRuns(sseReadKernel);
  const uint32_t step = runParameters.latencyStep;
  runParameters.latencyStep = memoryLatencyStep;
  s.memLatency = cyclesFromRate(readLatency(latencyCode), 32);
  runParameters.latencyStep = step;
}

} // namespace engine
