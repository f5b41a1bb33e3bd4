// --levels: a quick measurement of the cache levels alone. Random-order latency from 4 KB up
// to the larger of 4 x the last level CPUID names and 64 MB (at most 1 GB, and what memory
// allows), at every third block size (eight an octave), three times; each point's median over
// the runs gives the levels, and each run's own ends show whether a level moved between runs,
// as a level shared with other work does.
// --levels-from: the levels of a stored run's latency series, nothing measured.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/compare.h"
#include "cli/json_output.h"
#include "cli/levels_report.h"
#include "cli/load_preparation.h"
#include "cli/load_results.h"
#include "cli/modes.h"
#include "cli/progress.h"
#include "cpu/cpu_info.h"
#include "engine/core_clock.h"
#include "engine/latency/latency.h"
#include "engine/timer.h"
#include "engine/working_memory.h"
#include "platform/memory.h"

namespace cli {
namespace {

using nlohmann::json;

constexpr int levelRuns = 3;
constexpr uint32_t codeStep = 3;          // of 25 size codes an octave
constexpr int smallestEndIndex = 14;      // 64 MB
constexpr double movedFactor = 1.6;   // ends further apart moved: beyond the few sizes a rise spans

// The end: 4 x the last level CPUID names, at least 64 MB, at most 1 GB and half the free memory.
int levelsSizeIndex() {
  const std::vector<uint32_t> kb = cpuidDataLevelsKB(cpu::cpuInfo);
  const uint64_t wanted = kb.empty() ? 0 : uint64_t(kb.back()) * 1024 * 4;
  int index = smallestEndIndex;
  while (index < lastSizeIndex && (uint64_t(4096) << index) < wanted) ++index;
  const uint64_t free = platform::freePhysicalBytes();
  while (index > smallestEndIndex && (uint64_t(4096) << index) * 2 > free) --index;
  return index;
}

struct LevelsRun {
  std::vector<engine::LatencyPoint> points;
  std::vector<MeasuredLevel> levels;
};

engine::LatencyPoint measurePoint(engine::SizeCode code) {
  const uint32_t ticks = engine::cyclesFromRate(engine::randomLatency(code), 32);
  engine::LatencyPoint p;
  p.bytes = engine::blockBytes(code);
  p.ns = static_cast<double>(nsFromTickHundredths(ticks)) / 100.0;
  const uint32_t core = engine::coreClock.clock10k, counter = engine::timer.clock10k;
  if (core != 0 && counter != 0) p.coreCycles = double(ticks) * core / counter / 100.0;
  return p;
}

std::vector<engine::LatencyPoint> medianPoints(const std::vector<LevelsRun>& runs) {
  std::vector<engine::LatencyPoint> median = runs[0].points;
  for (size_t i = 0; i < median.size(); ++i) {
    std::vector<engine::LatencyPoint> at;
    for (const LevelsRun& r : runs) at.push_back(r.points[i]);
    std::sort(at.begin(), at.end(), [](const auto& a, const auto& b) { return a.ns < b.ns; });
    median[i] = at[at.size() / 2];
  }
  return median;
}

// "L3 ends 4.5 MB, 7.5 MB, 3 MB: moved (shared with other work)" for each level with an end.
std::string runEndsText(const std::vector<MeasuredLevel>& levels,
                        const std::vector<LevelsRun>& runs, json& moved) {
  std::string text;
  for (const MeasuredLevel& level : levels) {
    if (level.found.endBytes == 0) continue;
    std::string ends;
    uint64_t low = 0, high = 0;
    for (const LevelsRun& r : runs) {
      uint64_t end = 0;
      for (const MeasuredLevel& l : r.levels) {
        if (l.name == level.name) end = l.found.endBytes;
      }
      ends += (ends.empty() ? "" : ", ") + (end ? bytesText(end) : std::string("none"));
      if (end != 0) {
        low = low == 0 ? end : std::min(low, end);
        high = std::max(high, end);
      }
    }
    const bool didMove = low == 0 || double(high) > movedFactor * double(low);
    moved[level.name] = didMove;
    text += "  " + level.name + " ends " + ends +
            (didMove ? ": moved between runs (shared with other work)" : ": steady") + "\n";
  }
  return text;
}

json pointsJson(const std::vector<engine::LatencyPoint>& points) {
  json list = json::array();
  for (const engine::LatencyPoint& p : points) {
    list.push_back({{"bytes", p.bytes}, {"ns", p.ns}, {"coreCycles", p.coreCycles}});
  }
  return list;
}

int writeLevelsJson(const CliOptions& options, json doc) {
  if (options.jsonPath.empty()) return exitOk;
  return writeJsonText(options, doc.dump(1) + "\n");
}

std::vector<MeasuredLevel> levelsOf(const std::vector<engine::LatencyPoint>& points) {
  return measuredLevels(engine::findLevels(points), cpuidDataLevelsKB(cpu::cpuInfo));
}

int levelsFromFile(const CliOptions& options) {
  const std::string& path = options.levelsFromPath;
  const auto refuse = [&](const std::string& why) {
    std::fprintf(stderr, "tidewell32: %s: %s\n", path.c_str(), why.c_str());
    return exitUsage;
  };
  StoredRun run;
  std::string error;
  if (!loadStoredRun(path, run, error)) {
    std::fprintf(stderr, "tidewell32: %s\n", error.c_str());
    return exitUsage;
  }
  std::string test;
  std::vector<MeasuredLevel> levels;
  if (!levelsOfRun(run.doc, test, levels)) {
    return refuse("has no latency series (random-latency or latency) to find levels in");
  }
  const std::string text = levelsText(levels, test + " of " + path);
  std::fputs(text.empty() ? "The latency curve shows one level only.\n" : text.c_str(), stdout);
  json out = {{"program", "tidewell32"}, {"source", path}, {"test", test},
              {"levelsMeasured", levelsMeasuredJson(levels)}};
  return writeLevelsJson(options, out);
}

} // namespace

int runLevelsMode(const CliOptions& options) {
  LoadPreparation prep;
  prep.modeName = "--levels";
  prep.sizeIndexFor = levelsSizeIndex;
  CliOptions single = options;
  single.threadsGiven = true;
  single.threads = 1;
  if (const int status = prepareLoadMode(single, prep); status != exitOk) return status;
  std::vector<engine::SizeCode> codes;
  for (engine::SizeCode code = 0; code <= prep.code; code += codeStep) codes.push_back(code);
  if (codes.back() != prep.code) codes.push_back(prep.code);
  std::vector<LevelsRun> runs(levelRuns);
  const uint32_t total = levelRuns * static_cast<uint32_t>(codes.size());
  engine::raisePriority();
  beginProgress();
  for (int r = 0; r < levelRuns; ++r) {
    for (size_t i = 0; i < codes.size(); ++i) {
      showStepProgress("levels", r * static_cast<uint32_t>(codes.size()) + uint32_t(i), total);
      runs[r].points.push_back(measurePoint(codes[i]));
    }
  }
  endProgress();
  engine::restorePriority();
  for (LevelsRun& r : runs) r.levels = levelsOf(r.points);
  const std::vector<engine::LatencyPoint> median = medianPoints(runs);
  const std::vector<MeasuredLevel> levels = levelsOf(median);
  json moved = json::object();
  const std::string ends = runEndsText(levels, runs, moved);
  const std::string heading = "random-latency, median of 3 runs, 4 KB to " +
                              bytesText(engine::blockBytes(prep.code));
  const std::string text = levelsText(levels, heading);
  std::fputs(text.empty() ? "The latency curve shows one level only.\n" : text.c_str(), stdout);
  if (!ends.empty()) std::printf("Each run's ends:\n%s", ends.c_str());
  json doc = runHeaderJson(options, utcNow());
  doc["levelsMeasured"] = levelsMeasuredJson(levels);
  json perRun = json::array();
  for (const LevelsRun& r : runs) perRun.push_back(levelsMeasuredJson(r.levels));
  doc["levelRuns"] = perRun;
  doc["levelsMoved"] = moved;
  doc["results"] = json::array({{{"test", "random-latency"}, {"points", pointsJson(median)}}});
  return writeLevelsJson(options, doc);
}

int runLevelsFromMode(const CliOptions& options) {
  try {
    return levelsFromFile(options);
  } catch (const json::exception& e) {
    std::fprintf(stderr, "tidewell32: %s: a field of the wrong kind (%s)\n",
                 options.levelsFromPath.c_str(), e.what());
    return exitUsage;
  }
}

} // namespace cli
