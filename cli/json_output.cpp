// The JSON document of a run, built with nlohmann::json. Values keep the two decimals the
// program computes (hundredths as integers, divided by 100 here only for the reader);
// latencies in nanoseconds come from counter ticks and the calibrated counter clock.
#include "cli/json_output.h"

#include <ctime>
#include <vector>
#include <nlohmann/json.hpp>

#include "app/panel.h"
#include "cli/console.h"
#include "cli/core_placement.h"
#include "cli/level_summary.h"
#include "cli/modes.h"
#include "cli/steadiness.h"
#include "cpu/caches.h"
#include "cpu/cpu_info.h"
#include "cpu/hypervisor.h"
#include "engine/core_clock.h"
#include "engine/kernels/kernels.h"
#include "engine/run/run_extras.h"
#include "engine/run/series.h"
#include "engine/timer.h"
#include "engine/working_memory.h"
#include "platform/files.h"
#include "report/os_version.h"

namespace cli {
namespace {

using nlohmann::json;

double fromHundredths(uint64_t value) { return static_cast<double>(value) / 100.0; }

// Hundredths of nanoseconds for hundredths of counter ticks; 0 before calibration.
uint64_t nsHundredths(uint32_t tickHundredths) {
  const uint32_t clock10k = engine::timer.clock10k;   // hundredths of MHz
  return clock10k ? uint64_t(tickHundredths) * 100000u / clock10k : 0;
}

std::string osText() {
  const platform::OsVersion& v = report::osVersion;
  if (v.selfName[0]) return utf8FromWindows1252(v.selfName);
  return "Windows " + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
         std::to_string(v.build);
}

json cachesJson(const cpu::CpuInfo& c) {
  static const char* const kinds[] = {"", "data", "instruction", "unified"};
  json caches = json::array();
  for (int i = 0; i < c.cacheCount; ++i) {
    const cpu::CacheLevel& level = c.caches[i];
    caches.push_back({{"level", level.level},
                      {"kind", kinds[static_cast<int>(level.kind) & 3]},
                      {"sizeKB", level.sizeKB},
                      {"lineBytes", level.lineBytes},
                      {"sharedBy", level.sharedBy}});
  }
  return caches;
}

// Core cycles for hundredths of counter ticks, or null while the core clock is unmeasured.
json coreCycles(uint32_t tickHundredths) {
  const uint32_t core = engine::coreClock.clock10k, counter = engine::timer.clock10k;
  if (core == 0 || counter == 0) return nullptr;
  return fromHundredths(uint64_t(tickHundredths) * core / counter);
}

json megahertz(uint32_t clock10k) { return clock10k ? json(fromHundredths(clock10k)) : json(nullptr); }

json hypervisorJson() {
  const std::string name = cpu::hypervisorFrom(cpu::readCpuid);
  return name.empty() ? json(nullptr) : json(name);
}

json processorJson(const std::vector<uint8_t>& coreTypes) {
  const cpu::CpuInfo& c = cpu::cpuInfo;
  json features = json::array();
  if (c.hasTsc) features.push_back("TSC");
  if (c.hasMmx) features.push_back("MMX");
  if (c.hasSse) features.push_back("SSE");
  json processor = {{"text", utf8FromWindows1252(c.processorText)},
          {"vendor", c.vendorId},
          {"family", c.family + c.extFamily},
          {"model", c.model + (c.extModel << 4)},
          {"stepping", c.stepping},
          {"features", features},
          {"caches", cachesJson(c)},
          {"cacheText", cpu::dataCacheText(c)},
          {"hypervisor", hypervisorJson()},
          {"hybrid", !coreTypes.empty()}};
  if (!coreTypes.empty()) processor["coreTypes"] = coreTypeCountsJson(coreTypes);
  return processor;
}

const char* modeName(Mode mode) {
  switch (mode) {
    case Mode::LoadedLatency: return "loaded-latency";
    case Mode::MaxBandwidth: return "max-bandwidth";
    case Mode::C2c: return "c2c";
    case Mode::NodeMatrix: return "node-matrix";
    case Mode::Levels: return "levels";
    default: return "measure";
  }
}

json optionsJson(const CliOptions& o) {
  json tests = json::array();
  for (uint32_t t = 0; t < engine::testKernelCount; ++t) {
    if (o.tests & (1u << t)) tests.push_back(engine::kernelTable[t].name);
  }
  for (uint32_t k = 0; k < engine::extraKernelCount; ++k) {
    if (o.extraTests & (1u << k)) tests.push_back(engine::extraKernelTable[k].name);
  }
  if (o.tests & TestLatency) tests.push_back("latency");
  if (o.tests & TestRandomLatency) tests.push_back("random-latency");
  const engine::RunRequest& r = engine::runRequest;
  return {{"tests", tests},
          {"walk", o.walk},
          {"startBytes", engine::blockBytes(r.startCode)},
          {"endBytes", engine::blockBytes(r.endCode)},
          {"repeat", o.repeatCount},
          {"latencyStep", 4u << o.latencyStepIndex},
          {"walkStep", 4u << o.walkStepIndex},
          {"tlbWindow", o.tlbWindowBytes ? json(o.tlbWindowBytes) : json(nullptr)},
          {"threads", engine::runExtras.threads},
          {"mode", modeName(o.mode)},
          {"fourTimes", o.fourTimes},
          {"copyToItself", o.copyToItself}};
}

json summaryJson() {
  const engine::SummaryValues& s = engine::summaryValues;
  return {{"memLatencyTscCycles", fromHundredths(s.memLatency)},
          {"peakMBps", fromHundredths(s.peakRate)},
          {"memReadMBps", fromHundredths(s.memReadRate)},
          {"memWriteMBps", fromHundredths(s.memWriteRate)},
          {"mmxReadMBps", fromHundredths(s.mmxReadRate)},
          {"mmxWriteMBps", fromHundredths(s.mmxWriteRate)},
          {"sseReadMBps", fromHundredths(s.sseReadRate)},
          {"sseWriteMBps", fromHundredths(s.sseWriteRate)}};
}

// min, max and spread of a repeated point, in the unit the point's values are given in.
void addSpread(json& p, uint64_t low, uint64_t high, const engine::SeriesPoint& point) {
  if (engine::runRequest.repeatCount < 2) return;
  p["min"] = fromHundredths(low);
  p["max"] = fromHundredths(high);
  p["spreadPercent"] = fromHundredths(engine::spreadHundredthsOfPercent(point));
}

// A bandwidth point; width: the bits per transfer its cycles count.
json bandwidthPointJson(uint32_t code, const engine::SeriesPoint& v, uint32_t width) {
  json p = {{"bytes", engine::blockBytes(code)}, {"runs", v.runs}};
  p["MBps"] = fromHundredths(v.median);
  p["tscCycles"] = fromHundredths(engine::cyclesFromRate(v.median, width));
  addSpread(p, v.low, v.high, v);
  return p;
}

json pointJson(int series, uint32_t code, const engine::SeriesPoint& v) {
  if (series < engine::tableReadLatency) {
    return bandwidthPointJson(code, v, engine::kernelTable[series].width);
  }
  json p = {{"bytes", engine::blockBytes(code)}, {"runs", v.runs}};
  p["ns"] = fromHundredths(nsHundredths(v.median));
  p["tscCycles"] = fromHundredths(v.median);
  p["coreCycles"] = coreCycles(v.median);
  addSpread(p, nsHundredths(v.low), nsHundredths(v.high), v);
  return p;
}

const char* seriesName(int series) {
  if (series < engine::tableReadLatency) return engine::kernelTable[series].name;
  if (series == engine::tableReadLatency) return "latency";
  return series == engine::tableWalk ? "walk" : "random-latency";
}

json seriesJson(int series) {
  json points = json::array();
  for (uint32_t code = 0; code <= engine::maxRunCode; ++code) {
    const engine::SeriesPoint& v = engine::seriesResults.point[series][code];
    if (v.median != 0) points.push_back(pointJson(series, code, v));
  }
  return points;
}

// An extra kernel's points, in the form of the nine tests' points.
json extraSeriesJson(uint32_t index) {
  const engine::ExtraKernelInfo& kernel = engine::extraKernelTable[index];
  const uint32_t width = engine::extraKernelWidth(kernel, cpu::vectorFeatures);
  json points = json::array();
  for (uint32_t code = 0; code <= engine::maxRunCode; ++code) {
    const engine::SeriesPoint& v = engine::extraTables.point[index][code];
    if (v.median != 0) points.push_back(bandwidthPointJson(code, v, width));
  }
  return points;
}

// The nine tests, then the extra kernels, then the latencies.
json resultsJson() {
  json results = json::array();
  const auto add = [&](const char* name, json points) {
    if (!points.empty()) results.push_back({{"test", name}, {"points", std::move(points)}});
  };
  for (int s = 0; s < engine::tableReadLatency; ++s) add(seriesName(s), seriesJson(s));
  for (uint32_t k = 0; k < engine::extraKernelCount; ++k) {
    add(engine::extraKernelTable[k].name, extraSeriesJson(k));
  }
  for (int s = engine::tableReadLatency; s < engine::seriesCount; ++s) {
    add(seriesName(s), seriesJson(s));
  }
  return results;
}

} // namespace

nlohmann::json runHeaderJson(const CliOptions& options, const std::string& utcTime) {
  const std::vector<uint8_t> coreTypes = processorCoreTypes();
  json header = {
      {"program", "tidewell32"},
      {"version", TW_VERSION},
      {"time", utcTime},
      {"processor", processorJson(coreTypes)},
      {"clocks",
       {{"tscMHz", megahertz(engine::timer.clock10k)},
        {"coreMHz", megahertz(engine::coreClock.clock10k)}}},
      {"os", osText()},
      {"options", optionsJson(options)},
      {"memory",
       {{"testAllocationBytes", engine::workingMemory.testAllocationSize},
        {"largePagesAsked", engine::workingMemory.largePagesAsked},
        {"largePageBytes", engine::workingMemory.largePageBytes}}},
  };
  if (!coreTypes.empty()) {
    header["threadCoreTypes"] =
        threadCoreTypesJson(coreTypes, engine::runExtras.threads, engine::timer.coreType);
  }
  return header;
}

std::vector<MeasuredLevel> runLevels(std::string& test) {
  std::vector<engine::LatencyPoint> points;
  if (!latencySeriesOf(resultsJson(), test, points)) return {};
  return measuredLevels(engine::findLevels(points), cpuidDataLevelsKB(cpu::cpuInfo));
}

nlohmann::json runLevelSummary(const std::vector<MeasuredLevel>& measured) {
  return levelSummaryJson(resultsJson(), summaryLevels(cpuidDataLevelsKB(cpu::cpuInfo), measured));
}

nlohmann::json runSteadiness() { return steadinessJson(resultsJson(), engine::hostChecks.checks); }

std::string jsonText(const CliOptions& options, const std::string& utcTime) {
  json lines = json::array();
  for (int f = 0; f < app::panelFieldCount; ++f) {
    lines.push_back(utf8FromWindows1252(resultLineText(f).c_str()));
  }
  json doc = runHeaderJson(options, utcTime);
  doc["summary"] = summaryJson();
  doc["resultLines"] = lines;
  doc["results"] = resultsJson();
  std::string test;
  const std::vector<MeasuredLevel> levels = runLevels(test);
  if (!levels.empty()) doc["levelsMeasured"] = levelsMeasuredJson(levels);
  doc["levels"] = levelSummaryJson(doc["results"],
                                   summaryLevels(cpuidDataLevelsKB(cpu::cpuInfo), levels));
  doc.update(steadinessJson(doc["results"], engine::hostChecks.checks));
  return doc.dump(1) + "\n";
}

std::string utcNow() {
  char utc[32] = "";
  const std::time_t now = std::time(nullptr);
  if (const std::tm* t = std::gmtime(&now)) std::strftime(utc, sizeof utc, "%Y-%m-%dT%H:%M:%SZ", t);
  return utc;
}

int writeJson(const CliOptions& options) { return writeJsonText(options, jsonText(options, utcNow())); }

int writeJsonText(const CliOptions& options, const std::string& text) {
  const uint32_t length = static_cast<uint32_t>(text.size());
  const bool toStdout = options.jsonPath == "-";
  const bool ok = toStdout ? flushStandardOutput() &&
                                 platform::writeStandardOutput(text.data(), length)
                           : platform::replaceFile(options.jsonPath.c_str(),
                                                   platform::FileShare::readWrite, text.data(),
                                                   length);
  if (ok) {
    if (!toStdout) printLine(options.csvPath == "-" ? stderr : stdout, options.jsonPath.c_str());
    return exitOk;
  }
  std::fprintf(stderr, "tidewell32: couldn't write %s: %s\n",
               toStdout ? "standard output" : options.jsonPath.c_str(),
               toStdout ? "write failed" : platform::lastFileErrorText());
  return exitReportFailed;
}

} // namespace cli
