// The leaf rules of a run: the extremes of the bandwidth tables with their tie rules, and the
// meaning of a list selection. Kept apart from the run so they need no kernel, chart or panel.
#include "engine/run/run.h"

#include "engine/run/series.h"

namespace engine {

uint32_t stepFromSelection(int index) {
  return index >= 0 && index <= 13 ? 4u << index : 4u;
}

uint32_t codeFromSelection(int index, uint32_t oldCode) {
  return index >= 0 && index <= 12 ? 25u * static_cast<uint32_t>(index) : oldCode;
}

namespace {

// value(table, code) over codes 0..codeCount-1.
template <typename Value>
RunExtremes extremesOf(uint32_t codeCount, Value value) {
  RunExtremes x;
  for (uint32_t t = 1; t <= testCount; ++t) {
    Extreme& mx = x.testMax[t];
    Extreme& mn = x.testMin[t];
    for (uint32_t code = 0; code < codeCount; ++code) {
      const uint32_t v = value(t - 1, code);
      if (v == 0) continue;
      if (mx.value == 0 || v >= mx.value) mx = {v, code, t};
      if (mn.value == 0 || v <= mn.value) mn = {v, code, t};
    }
    if (mx.value != 0 && (x.overallMax.value == 0 || mx.value >= x.overallMax.value)) {
      x.overallMax = mx;
    }
    if (mn.value != 0 && (x.overallMin.value == 0 || mn.value <= x.overallMin.value)) {
      x.overallMin = mn;
    }
  }
  return x;
}

} // namespace

RunExtremes findExtremes(const ResultTables& tables) {
  return extremesOf(sizeCodeCount, [&](uint32_t t, uint32_t code) { return tables.table[t][code]; });
}

RunExtremes findExtremes(const SeriesResults& series) {
  return extremesOf(runCodeCount,
                    [&](uint32_t t, uint32_t code) { return series.point[t][code].median; });
}

} // namespace engine
