// Start-up estimate of the largest rate, which sets the top of the bandwidth chart, and the
// line-size probe that picks the line-read kernel for the peak bandwidth.
#pragma once
#include <cstdint>

#include "engine/kernels/kernels.h"

namespace engine {

// Runs write, copy, read (then MMX write and read, then SSE write and read, where supported)
// at 4 KB and 8 KB and stores the largest rate / 100 in chartScales.chartPeakRate (whole MB/s).
void measurePeakRate(bool hasMmx, bool hasSse);

// The estimate's kernels in the order they run at each block: Write, Copy, Read, MMX Write,
// MMX Read, SSE Write, SSE Read.
constexpr uint32_t peakKernelCount = 7;
using PeakKernels = KernelFunction[peakKernelCount];

// The largest rate (hundredths of MB/s) of these kernels at code 0, then code 25, skipping the
// MMX pair without hasMmx and the SSE pair without hasSse; what measurePeakRate runs.
uint32_t largestPeakRate(const PeakKernels& kernels, bool hasMmx, bool hasSse);

// Line-size probe at 16 MB: the first of 32-, 64- and 128-byte line reads after which halving
// the reads again raises the rate by no more than half. Returns the index in kernelTable
// (9, 10 or 11) of the chosen line-read kernel.
uint32_t probeLineSize();

// The decision of probeLineSize from the rates of the 32-, 64- and 128-byte line reads
// (c is read only when the first comparison does not decide).
uint32_t chooseLineKernel(uint32_t rate32, uint32_t rate64, uint32_t rate128);

} // namespace engine
