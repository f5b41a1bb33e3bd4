// The level summary; see cli/level_summary.h.
#include "cli/level_summary.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "engine/latency/levels.h"

namespace cli {
namespace {

using nlohmann::json;

constexpr uint64_t everySize = std::numeric_limits<uint64_t>::max();

bool isLatency(const std::string& test) {
  return test == "latency" || test == "random-latency" || test == "walk";
}

std::string rangeText(const json& level) {
  const uint64_t last = level["lastBytes"].get<uint64_t>();
  return bytesText(level["firstBytes"].get<uint64_t>()) + " - " +
         (last == 0 ? std::string("on") : bytesText(last));
}

std::string cellText(const json& cell) {
  char text[32];
  if (cell.contains("MBps")) {
    std::snprintf(text, sizeof text, "%.0f MB/s", cell["MBps"].get<double>());
  } else {
    std::snprintf(text, sizeof text, "%.2f ns", cell["ns"].get<double>());
  }
  return text;
}

// The series' median over the points inside [first, last]; null when none lies there.
json seriesCell(const json& series, uint64_t first, uint64_t last) {
  const std::string test = series.value("test", "");
  const char* field = isLatency(test) ? "ns" : "MBps";
  std::vector<double> values, cycles, spreads;
  for (const json& p : series.value("points", json::array())) {
    if (!p.is_object() || !p.contains("bytes") || !p["bytes"].is_number()) continue;
    const uint64_t bytes = p["bytes"].get<uint64_t>();
    if (bytes < first || bytes > last || !p.contains(field) || !p[field].is_number()) continue;
    values.push_back(p[field].get<double>());
    if (p.contains("coreCycles") && p["coreCycles"].is_number()) {
      cycles.push_back(p["coreCycles"].get<double>());
    }
    if (p.contains("spreadPercent") && p["spreadPercent"].is_number()) {
      spreads.push_back(p["spreadPercent"].get<double>());
    }
  }
  if (values.empty()) return nullptr;
  json cell = {{field, engine::median(values)}, {"points", values.size()}};
  // With --repeat: how far the samples of a point lay apart, the median over the level.
  if (spreads.size() == values.size()) cell["spreadPercent"] = engine::median(spreads);
  if (isLatency(test) && cycles.size() == values.size()) cell["coreCycles"] = engine::median(cycles);
  return cell;
}

} // namespace

std::vector<SummaryLevel> summaryLevels(const std::vector<uint32_t>& cpuidKB,
                                        const std::vector<MeasuredLevel>& measured) {
  std::vector<SummaryLevel> levels;
  size_t count = cpuidKB.size();
  for (const MeasuredLevel& m : measured) {
    if (m.name.size() > 1 && m.name[0] == 'L') count = std::max(count, size_t(std::stoul(m.name.substr(1))));
  }
  for (size_t k = 0; k < count; ++k) {
    SummaryLevel level;
    level.name = "L" + std::to_string(k + 1) + (k == 0 ? "d" : "");
    if (k < cpuidKB.size()) level.sizeBytes = uint64_t(cpuidKB[k]) * 1024;
    for (const MeasuredLevel& m : measured) {
      if (m.name != "L" + std::to_string(k + 1) || m.found.endBytes == 0) continue;
      if (m.cpuidKB == 0 || m.agrees == 0) {
        level.sizeBytes = m.found.endBytes;
        level.source = "measured";
      }
    }
    if (level.sizeBytes == 0) continue;
    level.firstBytes = level.sizeBytes / 8;
    level.lastBytes = level.sizeBytes / 2;
    levels.push_back(level);
  }
  if (!levels.empty()) {
    SummaryLevel memory;
    memory.name = "memory";
    memory.firstBytes = 4 * levels.back().sizeBytes;
    memory.lastBytes = everySize;
    memory.source = levels.back().source;   // where memory starts comes from the last level
    levels.push_back(memory);
  }
  return levels;
}

json levelSummaryJson(const json& results, const std::vector<SummaryLevel>& levels) {
  json list = json::array();
  if (!results.is_array()) return list;
  for (const SummaryLevel& level : levels) {
    json series = json::object();
    uint64_t first = everySize, last = 0;
    for (const json& s : results) {
      if (!s.is_object()) continue;
      json cell = seriesCell(s, level.firstBytes, level.lastBytes);
      if (cell.is_null()) continue;
      series[s.value("test", "")] = cell;
      for (const json& p : s["points"]) {
        const uint64_t bytes = p.value("bytes", uint64_t(0));
        if (bytes >= level.firstBytes && bytes <= level.lastBytes) {
          first = std::min(first, bytes);
          last = std::max(last, bytes);
        }
      }
    }
    if (series.empty()) continue;   // no measured size inside: left out, not guessed
    list.push_back({{"name", level.name},
                    {"sizeKB", level.sizeBytes ? json(level.sizeBytes / 1024) : json(nullptr)},
                    {"source", level.source},
                    {"firstBytes", first},
                    {"lastBytes", level.lastBytes == everySize ? 0 : last},
                    {"series", series}});
    if (level.name == "memory") list.back()["lastBytes"] = last;
  }
  return list;
}

std::string levelSummaryText(const json& summary) {
  if (!summary.is_array() || summary.size() < 2) return "";
  std::vector<std::string> tests;
  for (const json& level : summary) {
    for (const auto& item : level["series"].items()) {
      if (std::find(tests.begin(), tests.end(), item.key()) == tests.end()) tests.push_back(item.key());
    }
  }
  size_t nameWidth = 6;
  for (const std::string& t : tests) nameWidth = std::max(nameWidth, t.size());
  std::vector<std::string> heads, ranges;
  size_t width = 12;
  for (const json& level : summary) {
    std::string head = level["name"].get<std::string>();
    if (level["source"] == "measured" && level["name"] != "memory") head += " (measured)";
    heads.push_back(head);
    ranges.push_back(rangeText(level));
    width = std::max({width, heads.back().size(), ranges.back().size()});
  }
  char cell[64];
  std::string text = "Level summary (median over the sizes well inside each level):\n";
  for (const auto* row : {&heads, &ranges}) {
    text += "  " + std::string(nameWidth, ' ');
    for (const std::string& h : *row) {
      std::snprintf(cell, sizeof cell, "  %*s", int(width), h.c_str());
      text += cell;
    }
    text += "\n";
  }
  for (const std::string& t : tests) {
    std::snprintf(cell, sizeof cell, "  %-*s", int(nameWidth), t.c_str());
    text += cell;
    for (const json& level : summary) {
      const std::string value = level["series"].contains(t) ? cellText(level["series"][t]) : "-";
      std::snprintf(cell, sizeof cell, "  %*s", int(width), value.c_str());
      text += cell;
    }
    text += "\n";
  }
  return text;
}

} // namespace cli
