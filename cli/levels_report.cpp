// The measured levels beside CPUID's; see cli/levels_report.h.
#include "cli/levels_report.h"

#include <cstdio>

namespace cli {
namespace {

using nlohmann::json;

std::string disagreement(const MeasuredLevel& l) {
  const std::string end = bytesText(l.found.endBytes);
  if (l.cpuidKB == 0) {
    return "CPUID names no " + l.name + "; the curve shows one up to about " + end + ".";
  }
  const std::string cpuid = bytesText(uint64_t(l.cpuidKB) * 1024);
  if (uint64_t(l.cpuidKB) * 1024 > l.found.endBytes) {
    return "CPUID's " + l.name + " of " + cpuid + " is far above what this core reaches: about " +
           end + ".";
  }
  return l.name + " reaches about " + end + ", far more than the " + cpuid + " CPUID names.";
}

std::string levelLine(const MeasuredLevel& l) {
  char line[160];
  const std::string end = l.found.endBytes ? "ends near " + bytesText(l.found.endBytes) : "";
  std::string cpuid;
  if (l.cpuidKB != 0) {
    cpuid = "CPUID " + bytesText(uint64_t(l.cpuidKB) * 1024);
    if (l.agrees >= 0) cpuid += l.agrees ? ": agrees" : ": disagrees";
  } else if (l.name != "memory") {
    cpuid = "CPUID: none";
  }
  // Core cycles are known when the run measured the core clock (--json, --levels).
  const std::string cycles =
      l.found.plateauCoreCycles > 0 ? fixedText(l.found.plateauCoreCycles, 1) + " cycles" : "";
  std::snprintf(line, sizeof line, "  %-7s %-17s %9s ns %16s   %s", l.name.c_str(), end.c_str(),
                fixedText(l.found.plateauNs, 2).c_str(), cycles.c_str(), cpuid.c_str());
  std::string text = line;
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

} // namespace

std::string bytesText(uint64_t bytes) {
  if (bytes >= (uint64_t(1) << 30) && bytes % (uint64_t(1) << 30) == 0) {
    return std::to_string(bytes >> 30) + " GB";
  }
  if (bytes >= (1u << 20)) {
    const double mb = static_cast<double>(bytes) / (1u << 20);
    return (bytes % (1u << 20) == 0 || mb >= 100 ? fixedText(mb, 0) : fixedText(mb, 1)) + " MB";
  }
  return std::to_string((bytes + 512) / 1024) + " KB";
}

std::vector<uint32_t> cpuidDataLevelsKB(const json& caches) {
  std::vector<uint32_t> sizes;
  if (!caches.is_array()) return sizes;
  for (const json& c : caches) {
    if (!c.is_object() || c.value("kind", "") == "instruction") continue;
    const int level = c.value("level", 0);
    const uint32_t kb = c.value("sizeKB", 0u);
    if (level < 1 || level > 8 || kb == 0) continue;
    if (sizes.size() < size_t(level)) sizes.resize(level, 0);
    sizes[level - 1] = kb;
  }
  return sizes;
}

std::vector<uint32_t> cpuidDataLevelsKB(const cpu::CpuInfo& info) {
  std::vector<uint32_t> sizes;
  for (int i = 0; i < info.cacheCount; ++i) {
    const cpu::CacheLevel& c = info.caches[i];
    if (c.kind == cpu::CacheKind::Instruction || c.level < 1 || c.sizeKB == 0) continue;
    if (sizes.size() < c.level) sizes.resize(c.level, 0);
    sizes[c.level - 1] = c.sizeKB;
  }
  return sizes;
}

bool latencySeriesOf(const json& results, std::string& test,
                     std::vector<engine::LatencyPoint>& points) {
  if (!results.is_array()) return false;
  for (const char* name : {"random-latency", "latency"}) {
    for (const json& series : results) {
      if (!series.is_object() || series.value("test", "") != name) continue;
      const json& raw = series.value("points", json::array());
      points.clear();
      for (const json& p : raw) {
        if (!p.is_object() || !p.contains("bytes") || !p["bytes"].is_number() ||
            !p.contains("ns") || !p["ns"].is_number()) {
          return false;
        }
        engine::LatencyPoint point;
        point.bytes = p["bytes"].get<uint64_t>();
        point.ns = p["ns"].get<double>();
        if (p.contains("coreCycles") && p["coreCycles"].is_number()) {
          point.coreCycles = p["coreCycles"].get<double>();
        }
        if (!points.empty() && point.bytes <= points.back().bytes) return false;
        points.push_back(point);
      }
      test = name;
      return !points.empty();
    }
  }
  return false;
}

std::vector<uint32_t> cpuidDataLevelsOfRun(const json& doc) {
  if (!doc.contains("processor") || !doc["processor"].is_object()) return {};
  return cpuidDataLevelsKB(doc["processor"].value("caches", json::array()));
}

bool levelsOfRun(const json& doc, std::string& test, std::vector<MeasuredLevel>& levels) {
  std::vector<engine::LatencyPoint> points;
  if (!doc.contains("results") || !latencySeriesOf(doc["results"], test, points)) return false;
  levels = measuredLevels(engine::findLevels(points), cpuidDataLevelsOfRun(doc));
  return true;
}

bool agreesWithCpuid(uint64_t endBytes, uint32_t cpuidKB) {
  const uint64_t cpuid = uint64_t(cpuidKB) * 1024;
  return cpuid != 0 && endBytes != 0 && cpuid <= 2 * endBytes && endBytes <= 2 * cpuid;
}

std::vector<MeasuredLevel> measuredLevels(const std::vector<engine::FoundLevel>& found,
                                          const std::vector<uint32_t>& cpuidKB) {
  std::vector<MeasuredLevel> levels;
  if (found.empty()) return levels;
  // A curve that starts past a cache (--start 1M) begins at the first level it can show.
  size_t level = 0;
  while (level < cpuidKB.size() && uint64_t(cpuidKB[level]) * 1024 * 2 <= found[0].firstBytes) ++level;
  for (const engine::FoundLevel& f : found) {
    MeasuredLevel m;
    m.found = f;
    const bool cached = f.endBytes != 0 || level < cpuidKB.size();
    m.name = cached ? "L" + std::to_string(level + 1) : "memory";
    if (level < cpuidKB.size()) m.cpuidKB = cpuidKB[level];
    if (f.endBytes != 0) m.agrees = agreesWithCpuid(f.endBytes, m.cpuidKB) ? 1 : 0;
    levels.push_back(m);
    ++level;
  }
  return levels;
}

std::string levelsText(const std::vector<MeasuredLevel>& levels, const std::string& test) {
  if (levels.size() < 2) return "";
  std::string text = "Levels measured (" + test + "; CPUID's sizes beside them):\n";
  for (const MeasuredLevel& l : levels) text += levelLine(l) + "\n";
  for (const MeasuredLevel& l : levels) {
    if (l.agrees == 0) text += disagreement(l) + "\n";
  }
  return text;
}

json levelsMeasuredJson(const std::vector<MeasuredLevel>& levels) {
  json list = json::array();
  for (const MeasuredLevel& l : levels) {
    list.push_back({{"level", l.name},
                    {"firstBytes", l.found.firstBytes},
                    {"endBytes", l.found.endBytes ? json(l.found.endBytes) : json(nullptr)},
                    {"plateauNs", l.found.plateauNs},
                    {"plateauCoreCycles",
                     l.found.plateauCoreCycles > 0 ? json(l.found.plateauCoreCycles) : json(nullptr)},
                    {"cpuidKB", l.cpuidKB ? json(l.cpuidKB) : json(nullptr)},
                    {"agrees", l.agrees < 0 ? json(nullptr) : json(l.agrees == 1)}});
  }
  return list;
}

std::string fixedText(double value, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

} // namespace cli
