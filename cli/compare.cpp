// Comparing runs; see cli/compare.h.
#include "cli/compare.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "cli/level_summary.h"
#include "cli/levels_report.h"

namespace cli {
namespace {

using nlohmann::json;

// The level summary of a run written before the documents carried one.
json summaryOf(const json& doc) {
  std::string test;
  std::vector<MeasuredLevel> measured;
  levelsOfRun(doc, test, measured);
  return levelSummaryJson(doc["results"], summaryLevels(cpuidDataLevelsOfRun(doc), measured));
}

std::string valueText(const CompareCell& c, double v) {
  char text[32];
  if (c.latency) std::snprintf(text, sizeof text, "%.2f ns", v);
  else std::snprintf(text, sizeof text, "%.0f MB/s", v);
  return text;
}

double number(const json& cell, const char* field) {
  return cell.contains(field) && cell[field].is_number() ? cell[field].get<double>() : 0;
}

} // namespace

bool loadStoredRun(const std::string& path, StoredRun& run, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path + ": cannot be read";
    return false;
  }
  std::ostringstream content;
  content << in.rdbuf();
  return storedRunFromText(path, content.str(), run, error);
}

bool storedRunFromText(const std::string& path, const std::string& text, StoredRun& run,
                       std::string& error) {
  run.path = path;
  run.doc = json::parse(text, nullptr, false);
  if (run.doc.is_discarded()) {
    error = path + ": not a JSON document (broken or cut short)";
    return false;
  }
  if (!run.doc.is_object() || !run.doc.contains("results") || !run.doc["results"].is_array()) {
    error = path + ": has no \"results\"";
    return false;
  }
  try {
    run.levels = run.doc.contains("levels") && run.doc["levels"].is_array() ? run.doc["levels"]
                                                                             : summaryOf(run.doc);
  } catch (const json::exception& e) {
    error = path + ": a field of the wrong kind (" + e.what() + ")";
    return false;
  }
  return true;
}

std::string comparabilityError(const StoredRun& first, const StoredRun& other) {
  const json a = first.doc.value("version", json()), b = other.doc.value("version", json());
  if (a != b) {
    return other.path + ": written by version " + b.dump() + ", " + first.path + " by " +
           a.dump() + "; compare runs of one version";
  }
  const json& oa = first.doc.value("options", json::object());
  const json& ob = other.doc.value("options", json::object());
  if (!oa.is_object() || !ob.is_object()) return "";
  for (const auto& item : oa.items()) {
    // Repeats only set how steady each point is; options one of the files lacks came later.
    if (item.key() == "repeat" || !ob.contains(item.key())) continue;
    if (ob[item.key()] != item.value()) {
      return other.path + ": option " + item.key() + " is " + ob[item.key()].dump() +
             ", in " + first.path + " " + item.value().dump() + "; compare runs of one choice";
    }
  }
  return "";
}

std::vector<CompareCell> compareLevels(const json& reference, const json& other) {
  std::vector<CompareCell> cells;
  if (!reference.is_array() || !other.is_array()) return cells;
  for (const json& level : reference) {
    const std::string name = level.value("name", "");
    const json* match = nullptr;
    for (const json& o : other) {
      if (o.value("name", "") == name) match = &o;
    }
    if (match == nullptr || !level.contains("series") || !level["series"].is_object()) continue;
    for (const auto& item : level["series"].items()) {
      if (!(*match).contains("series") || !(*match)["series"].contains(item.key())) continue;
      const json& ref = item.value();
      const json& val = (*match)["series"][item.key()];
      CompareCell c;
      c.test = item.key();
      c.level = name;
      c.latency = ref.contains("ns");
      const char* field = c.latency ? "ns" : "MBps";
      c.reference = number(ref, field);
      c.value = number(val, field);
      if (c.reference <= 0 || c.value <= 0) continue;
      c.ratio = c.value / c.reference;
      if (ref.contains("spreadPercent") && val.contains("spreadPercent")) {
        c.noisePercent = std::max(number(ref, "spreadPercent"), number(val, "spreadPercent"));
      }
      const double change = (c.latency ? c.reference / c.value : c.ratio) - 1;
      if (std::fabs(change) * 100 > c.noisePercent) c.verdict = change > 0 ? 1 : -1;
      cells.push_back(c);
    }
  }
  return cells;
}

const char* verdictText(int verdict) {
  return verdict > 0 ? "faster" : verdict < 0 ? "slower" : "within noise";
}

std::string compareText(const std::vector<StoredRun>& runs) {
  std::string text = "Runs (the first is the reference):\n";
  char line[256];
  for (size_t i = 0; i < runs.size(); ++i) {
    const json& p = runs[i].doc.value("processor", json::object());
    std::snprintf(line, sizeof line, "  %c  %s  %s  %s\n", char('A' + i), runs[i].path.c_str(),
                  p.is_object() ? p.value("text", "").c_str() : "",
                  runs[i].doc.value("time", "").c_str());
    text += line;
  }
  for (size_t i = 1; i < runs.size(); ++i) {
    std::snprintf(line, sizeof line, "\n%-16s %-7s %14s %14s %7s  %s\n", "series", "level", "A",
                  std::string(1, char('A' + i)).c_str(), "ratio", "verdict (noise)");
    text += line;
    for (const CompareCell& c : compareLevels(runs[0].levels, runs[i].levels)) {
      std::snprintf(line, sizeof line, "%-16s %-7s %14s %14s %7.3f  %s (%.1f %%)\n", c.test.c_str(),
                    c.level.c_str(), valueText(c, c.reference).c_str(),
                    valueText(c, c.value).c_str(), c.ratio, verdictText(c.verdict), c.noisePercent);
      text += line;
    }
  }
  return text;
}

std::vector<std::string> slowerThanBaseline(const std::vector<CompareCell>& cells,
                                            double tolerancePercent) {
  std::vector<std::string> lines;
  char line[256];
  for (const CompareCell& c : cells) {
    const double slower = (c.latency ? c.ratio : 1 / c.ratio) - 1;
    if (slower * 100 <= tolerancePercent) continue;
    std::snprintf(line, sizeof line, "%s %s: %s against the baseline's %s, %.1f %% slower "
                  "(tolerance %.1f %%)", c.test.c_str(), c.level.c_str(),
                  valueText(c, c.value).c_str(), valueText(c, c.reference).c_str(), slower * 100,
                  tolerancePercent);
    lines.push_back(line);
  }
  return lines;
}

} // namespace cli
