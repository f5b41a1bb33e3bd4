// What a many-core mode measured, kept for the JSON document: one record, filled by the mode
// that ran (cli/mode_load.cpp, cli/mode_c2c.cpp).
#pragma once
#include <cstdint>
#include <string>

#include "cli/options.h"
#include "engine/load/c2c.h"
#include "engine/load/loaded_latency.h"
#include "engine/load/max_bandwidth.h"
#include "engine/load/node_matrix.h"

namespace cli {

struct LoadResults {
  std::string loadKernel;      // the loaders' kernel (loaded latency)
  uint32_t threads = 0;        // threads that measured at once
  uint32_t blockBytes = 0;     // the chain's block, or each thread's area
  bool blockFitsLastCache = false;   // the block fits the last-level cache CPUID names
  uint64_t peakBytes = 0;      // memory the mode held at most
  engine::LoadedLatencyPoint points[engine::loadedLatencySteps];
  uint32_t pointCount = 0;
  engine::MaxBandwidthResult bandwidth;
  engine::C2cMatrix c2c;
  engine::NodeMatrix nodes;
};
extern LoadResults loadResults;

// The document of the many-core mode in options, UTF-8, ending in a line end.
std::string loadJsonText(const CliOptions& options, const std::string& utcTime);

// Hundredths of nanoseconds for hundredths of counter ticks; 0 before calibration.
uint64_t nsFromTickHundredths(uint32_t tickHundredths);

} // namespace cli
