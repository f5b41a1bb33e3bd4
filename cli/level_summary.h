// The level summary: one figure per series and cache level, the median over the block sizes
// that lie well inside the level (1/8 to 1/2 of its size; main memory from 4 x the last level
// on). A level's size is CPUID's, or the end the latency curve shows where CPUID names none
// or disagrees with the curve. Works on a run's JSON results, as the level finder does.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/levels_report.h"

namespace cli {

struct SummaryLevel {
  std::string name;          // "L1d", "L2" ... "memory"
  uint64_t sizeBytes = 0;    // the level's size; 0 for memory
  uint64_t firstBytes = 0;   // the sizes summarised: firstBytes .. lastBytes
  uint64_t lastBytes = 0;    // UINT64_MAX for memory: every size from firstBytes on
  const char* source = "cpuid";   // "cpuid" or "measured"
};

// The levels from CPUID's data-cache sizes, by level, with the measured ends where they win.
std::vector<SummaryLevel> summaryLevels(const std::vector<uint32_t>& cpuidKB,
                                        const std::vector<MeasuredLevel>& measured);

// The JSON "levels": one entry per level with a measured size in it, each series' median
// (MBps, or ns and coreCycles for latencies) over the sizes inside the level.
nlohmann::json levelSummaryJson(const nlohmann::json& results,
                                const std::vector<SummaryLevel>& levels);

// The table printed after the result lines: levels as columns, a line per series; empty when
// fewer than two levels hold a measured size.
std::string levelSummaryText(const nlohmann::json& summary);

} // namespace cli
