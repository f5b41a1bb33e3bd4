// The JSON of the many-core modes: the document's usual head, then the mode's own part:
// loaded-latency and max-bandwidth as series of results, c2c and nodes as matrices.
#include <nlohmann/json.hpp>

#include "cli/json_output.h"
#include "cli/load_results.h"
#include "engine/core_clock.h"
#include "engine/timer.h"
#include "platform/threads.h"

namespace cli {

LoadResults loadResults;

namespace {

using nlohmann::json;

double fromHundredths(uint64_t value) { return static_cast<double>(value) / 100.0; }

json nsJson(uint32_t tickHundredths) {
  return tickHundredths ? json(fromHundredths(nsFromTickHundredths(tickHundredths)))
                        : json(nullptr);
}

json coreCyclesJson(uint32_t tickHundredths) {
  const uint32_t core = engine::coreClock.clock10k, counter = engine::timer.clock10k;
  if (core == 0 || counter == 0) return nullptr;
  return fromHundredths(uint64_t(tickHundredths) * core / counter);
}

json loadedLatencyJson(const LoadResults& r) {
  json points = json::array();
  for (uint32_t i = 0; i < r.pointCount; ++i) {
    const engine::LoadedLatencyPoint& p = r.points[i];
    points.push_back({{"idle", p.idle},
                      {"delayTicks", p.delayTicks},
                      {"MBps", fromHundredths(p.rate)},
                      {"ns", nsJson(p.tickHundredths)},
                      {"coreCycles", coreCyclesJson(p.tickHundredths)},
                      {"tscCycles", fromHundredths(p.tickHundredths)}});
  }
  return json::array({{{"test", "loaded-latency"}, {"points", points}}});
}

json maxBandwidthJson(const LoadResults& r) {
  json points = json::array();
  for (uint32_t m = 0; m < engine::bandwidthMixCount; ++m) {
    if (r.bandwidth.rates[m] == 0) continue;
    const bool nt = engine::bandwidthMixes[m].kind == engine::MixKind::ntWrites;
    points.push_back({{"mix", engine::bandwidthMixes[m].name},
                      {"MBps", fromHundredths(r.bandwidth.rates[m])},
                      {"width", nt ? r.bandwidth.ntWidth : r.bandwidth.width}});
  }
  return json::array({{{"test", "max-bandwidth"}, {"points", points}}});
}

json c2cJson(const engine::C2cMatrix& m) {
  json cpus = json::array(), ns = json::array();
  for (uint32_t from = 0; from < m.count; ++from) {
    cpus.push_back(platform::processorNumber(from));
    json row = json::array();
    for (uint32_t to = 0; to < m.count; ++to) {
      row.push_back(from == to ? json(nullptr) : nsJson(m.tickHundredths[from][to]));
    }
    ns.push_back(row);
  }
  return {{"cpus", cpus}, {"ns", ns}};
}

json nodesJson(const engine::NodeMatrix& m) {
  json processors = json::array(), ns = json::array(), rates = json::array();
  for (uint32_t i = 0; i < m.nodes; ++i) {
    uint32_t indexes[engine::maxThreads];
    const uint32_t count = platform::nodeProcessors(i, indexes, engine::maxThreads);
    json cpus = json::array();
    for (uint32_t k = 0; k < count && k < engine::maxThreads; ++k) {
      cpus.push_back(platform::processorNumber(indexes[k]));
    }
    processors.push_back(cpus);
    json nsRow = json::array(), rateRow = json::array();
    for (uint32_t j = 0; j < m.nodes; ++j) {
      nsRow.push_back(nsJson(m.tickHundredths[i][j]));
      rateRow.push_back(m.rate[i][j] ? json(fromHundredths(m.rate[i][j])) : json(nullptr));
    }
    ns.push_back(nsRow);
    rates.push_back(rateRow);
  }
  return {{"count", m.nodes}, {"processors", processors}, {"ns", ns}, {"MBps", rates}};
}

} // namespace

uint64_t nsFromTickHundredths(uint32_t tickHundredths) {
  const uint32_t clock10k = engine::timer.clock10k;   // hundredths of MHz
  return clock10k ? uint64_t(tickHundredths) * 100000u / clock10k : 0;
}

std::string loadJsonText(const CliOptions& options, const std::string& utcTime) {
  const LoadResults& r = loadResults;
  json doc = runHeaderJson(options, utcTime);
  doc["memory"]["peakBytes"] = r.peakBytes;
  doc["load"] = {{"threads", r.threads},
                 {"blockBytes", r.blockBytes},
                 {"blockFitsLastLevelCache", r.blockFitsLastCache}};
  if (!r.loadKernel.empty()) doc["load"]["loadKernel"] = r.loadKernel;
  doc["results"] = json::array();
  switch (options.mode) {
    case Mode::LoadedLatency: doc["results"] = loadedLatencyJson(r); break;
    case Mode::MaxBandwidth: doc["results"] = maxBandwidthJson(r); break;
    case Mode::C2c: doc["c2c"] = c2cJson(r.c2c); break;
    case Mode::NodeMatrix: doc["nodes"] = nodesJson(r.nodes); break;
    default: break;
  }
  return doc.dump(1) + "\n";
}

} // namespace cli
