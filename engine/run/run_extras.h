// What the command line adds to a run beyond the window's choices: the extra kernels
// (engine/kernels/kernels_extra.h), measured after the nine tests over the same range, and the number
// of threads every bandwidth point runs on. The window never sets them, so its runs are as
// they always were. The extra results live beside resultTables, which keeps its layout.
#pragma once
#include <cstdint>

#include "engine/kernels/kernels_extra.h"
#include "engine/run/results.h"
#include "engine/run/series.h"

namespace engine {

struct RunExtras {
  uint32_t extraKernels = 0;   // bit i: extraKernelTable[i] is measured
  uint32_t threads = 1;        // bandwidth points run on this many threads at once
};
extern RunExtras runExtras;

// The extra kernels' results of the last run; cleared with resultTables.
struct ExtraTables {
  SeriesPoint point[extraKernelCount][runCodeCount];   // hundredths of MB/s; 0 = not measured
  bool remeasured[extraKernelCount][runCodeCount];  // measured again after a fall
};
extern ExtraTables extraTables;

inline bool extraKernelChosen(uint32_t index) { return (runExtras.extraKernels >> index) & 1u; }

// Fills the test allocation and every thread's area with data that is never zero
// (engine::fillWithData); untimed, before the extra kernels measure.
void fillKernelAreasWithData();

// One bandwidth point of a kernel: on one thread, or on runExtras.threads (the summed rate).
uint32_t measureBandwidth(KernelFunction kernel, SizeCode code);

} // namespace engine
