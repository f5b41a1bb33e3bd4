// One point of a series measured so that a single run the host interrupted cannot stand for it.
// A point whose rate falls below half of the point measured just before it is measured again,
// up to twice, and keeps its highest rate: an interruption disappears, a real step between two
// neighbouring sizes (a cache level ending) shows again and stays. The first point of a series
// has no neighbour; it is measured twice.
#pragma once
#include <cstdint>

#include "engine/results.h"

namespace engine {

// A measured point. rate is in rate form, higher is faster: hundredths of MB/s, or the rate
// form of readLatency and walkLatency. runs is 0 for "nothing measured yet".
struct SteadyPoint {
  uint32_t rate = 0;
  uint8_t runs = 0;          // 2 for a first point; 1..3 otherwise
  bool remeasured = false;   // measured again after falling below half of the point before
};

// Notes in pointRuns how an entry of a table was measured.
inline void recordRuns(int table, uint32_t entry, const SteadyPoint& point) {
  pointRuns.runs[table][entry] = point.runs;
  pointRuns.remeasured[table][entry] = point.remeasured;
}

// Runs after the first one that a fallen point may take.
constexpr uint8_t extraRunsAfterFall = 2;

// Measures one point through measure() (no arguments, a rate-form value) against previous, the
// point measured before it in the same series (runs 0: none).
template <typename Measure>
SteadyPoint measureSteadily(Measure measure, const SteadyPoint& previous) {
  SteadyPoint point{measure(), 1, false};
  const bool first = previous.runs == 0;
  // A first point's second run also finds the block warm.
  const uint8_t runLimit = first ? 2 : 1 + extraRunsAfterFall;
  while (point.runs < runLimit && (first || point.rate < previous.rate / 2)) {
    const uint32_t again = measure();
    if (again > point.rate) point.rate = again;
    ++point.runs;
    point.remeasured = !first;
  }
  return point;
}

// Every code from start to end, one at a time either way, both ends included: each point
// measured steadily through measure(code) against the one before, then kept by keep(code, point).
template <typename Measure, typename Keep>
void measureSeries(uint32_t start, uint32_t end, Measure measure, Keep keep) {
  const int step = start <= end ? 1 : -1;
  SteadyPoint previous;
  for (uint32_t code = start;; code += step) {
    previous = measureSteadily([&] { return measure(code); }, previous);
    keep(code, previous);
    if (code == end) break;
  }
}

} // namespace engine
