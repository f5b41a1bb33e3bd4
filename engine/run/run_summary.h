// The summary values of a run, measured at 16 MB (latency at 32 MB) before the per-size
// series: memory read and write rates per transfer width, the peak rate of the line-size
// probe, and the main-memory latency. Also the dispatch from a TestNumber to its kernel.
#pragma once
#include <cstdint>

namespace engine {

// Rate in hundredths of MB/s of the bandwidth kernel of TestNumber 1..9 at a size code; 0 for
// another number. The caller checks the processor's MMX and SSE flags.
uint32_t runBandwidthKernel(uint32_t testNumber, uint32_t code);

// Fills summaryValues; the MMX and SSE values only on processors that have the feature (the
// others keep 0 and those kernels are never called). Uses and leaves runParameters.latencyStep.
void measureSummaryValues();

} // namespace engine
