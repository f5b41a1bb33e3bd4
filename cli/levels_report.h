// The levels a run's latency curve shows, set beside the caches CPUID names: which series they
// come from, their names (L1, L2 ... and memory), whether each agrees with CPUID, the lines
// printed after the result lines, and the JSON "levelsMeasured". Works on a run's JSON, so a
// stored run gives the same answer as the live one.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cpu/cpu_info.h"
#include "engine/latency/levels.h"

namespace cli {

struct MeasuredLevel {
  std::string name;           // "L1" ... or "memory"
  engine::FoundLevel found;
  uint32_t cpuidKB = 0;       // CPUID's size of the level of that name; 0: CPUID names none
  int agrees = -1;            // 1, 0, or -1 when not known (no end, or memory)
};

// The sizes of the data and unified caches of a JSON "caches" array, or of the processor's
// record, by level.
std::vector<uint32_t> cpuidDataLevelsKB(const nlohmann::json& caches);
std::vector<uint32_t> cpuidDataLevelsKB(const cpu::CpuInfo& info);

// The latency series of a JSON "results" array: random-latency, else latency; false when it
// has neither (or a broken one). test receives the series' name.
bool latencySeriesOf(const nlohmann::json& results, std::string& test,
                     std::vector<engine::LatencyPoint>& points);

// The levels of a run's JSON document: its latency series beside the caches its processor
// record names; false when it has no latency series.
bool levelsOfRun(const nlohmann::json& doc, std::string& test, std::vector<MeasuredLevel>& levels);
// The caches of a run's JSON document ("processor"."caches"), by level.
std::vector<uint32_t> cpuidDataLevelsOfRun(const nlohmann::json& doc);

// CPUID's size lies within a factor of 2 of the measured end.
bool agreesWithCpuid(uint64_t endBytes, uint32_t cpuidKB);

// The found levels named and set beside CPUID's sizes.
std::vector<MeasuredLevel> measuredLevels(const std::vector<engine::FoundLevel>& found,
                                          const std::vector<uint32_t>& cpuidKB);

// The lines after the result lines: a heading, one line per level, and a sentence for each
// level that disagrees with CPUID. Empty when the curve shows fewer than two levels.
std::string levelsText(const std::vector<MeasuredLevel>& levels, const std::string& test);

nlohmann::json levelsMeasuredJson(const std::vector<MeasuredLevel>& levels);

// "36 KB", "4.5 MB", "1 GB".
std::string bytesText(uint64_t bytes);
// value with decimals digits after the point ("12.5").
std::string fixedText(double value, int decimals);

} // namespace cli
