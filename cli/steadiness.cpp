// How steady a run was; see cli/steadiness.h.
#include "cli/steadiness.h"

#include "cli/levels_report.h"
#include "engine/latency/levels.h"

namespace cli {
namespace {

using nlohmann::json;

// Two decimals, as the program's other values carry.
double rounded(double value) {
  return static_cast<double>(static_cast<long long>(value * 100 + 0.5)) / 100;
}

// Each series' median of its points' spreadPercent; series without repeats are left out.
json repeatSpreads(const json& results) {
  json spreads = json::object();
  for (const json& series : results) {
    std::vector<double> values;
    for (const json& point : series["points"]) {
      if (point.contains("spreadPercent")) values.push_back(point["spreadPercent"].get<double>());
    }
    if (!values.empty()) spreads[series["test"].get<std::string>()] = rounded(engine::median(values));
  }
  return spreads;
}

std::string percentText(double value) { return fixedText(value, 1) + " %"; }
std::string rateText(double mbps) { return fixedText(mbps, 0); }

// "96883 (core 3700 MHz)", or the rate alone where the clock was not measured.
std::string checkText(const json& check) {
  std::string text = rateText(check["MBps"]);
  if (!check["coreMHz"].is_null()) text += " (core " + rateText(check["coreMHz"]) + " MHz)";
  return text;
}

} // namespace

json steadinessJson(const json& results, const std::vector<engine::HostCheck>& checks) {
  json s = json::object();
  const json spreads = repeatSpreads(results);
  if (!spreads.empty()) s["repeatSpreadPercent"] = spreads;
  if (checks.empty()) return s;
  json list = json::array();
  for (const engine::HostCheck& c : checks) {
    list.push_back({{"when", c.when},
                    {"seconds", rounded(c.seconds)},
                    {"MBps", c.rate / 100.0},
                    {"coreMHz", c.coreClock10k != 0 ? json(c.coreClock10k / 100.0) : json(nullptr)}});
  }
  const engine::HostStability stability = engine::hostStability(checks);
  s["hostReference"] = std::string("16 KB ") + engine::hostReferenceName();
  s["hostChecks"] = list;
  s["hostLowestMBps"] = stability.lowest / 100.0;
  s["hostHighestMBps"] = stability.highest / 100.0;
  s["hostChangePercent"] = rounded(stability.changePercent);
  s["hostStable"] = stability.stable;
  return s;
}

std::string steadinessText(const json& s) {
  std::string text;
  if (s.contains("repeatSpreadPercent")) {
    text += "Spread of the samples, median per series:";
    const char* separator = " ";
    for (const auto& [series, value] : s["repeatSpreadPercent"].items()) {
      text += separator + series + " " + percentText(value.get<double>());
      separator = ", ";
    }
    text += "\n";
  }
  if (!s.contains("hostChecks")) return text;
  const json& checks = s["hostChecks"];
  text += "Host check (" + s["hostReference"].get<std::string>() + ", MB/s): " +
          checkText(checks.front()) + " at the start, " + checkText(checks.back()) + " at the end, " +
          std::to_string(checks.size()) + " checks over " +
          fixedText(checks.back()["seconds"].get<double>(), 1) + " s; changed by " +
          percentText(s["hostChangePercent"].get<double>()) + "\n";
  return text;
}

std::string hostWarningText(const json& s) {
  if (!s.contains("hostStable") || s["hostStable"].get<bool>()) return "";
  return "tidewell32: warning: the host's speed changed by " +
         percentText(s["hostChangePercent"].get<double>()) + " during the run (" +
         s["hostReference"].get<std::string>() + " " + rateText(s["hostLowestMBps"]) + " to " +
         rateText(s["hostHighestMBps"]) +
         " MB/s); series measured at different times may not compare\n";
}

} // namespace cli
