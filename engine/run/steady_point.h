// One point of a series measured so that a single run the host interrupted cannot stand for it.
// A point whose rate falls below half of the point measured just before it is measured again,
// up to twice, and keeps its highest rate: an interruption disappears, a real step between two
// neighbouring sizes (a cache level ending) shows again and stays. The first point of a series
// has no neighbour; it is measured twice.
//
// With repeats every point is measured that many times this way and keeps the median sample, so
// one sample the host spoiled can neither become the point nor hide a real step.
#pragma once
#include <algorithm>
#include <cstdint>

#include "engine/run/results.h"

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

// The samples of one repeated point, in rate form.
struct RepeatedPoint {
  SteadyPoint kept;       // rate: the median; runs: all runs of all samples, at most 255
  uint32_t lowRate = 0;   // the lowest and the highest sample
  uint32_t highRate = 0;
};

constexpr uint32_t maxRepeatCount = 99;

// The median of rates[0..count-1], which it sorts: the middle one, or the mean of the two
// middle ones (truncated) for an even count. count >= 1.
inline uint32_t medianOfRates(uint32_t* rates, uint32_t count) {
  std::sort(rates, rates + count);
  const uint32_t upper = rates[count / 2];
  return count % 2 ? upper : static_cast<uint32_t>((uint64_t(rates[count / 2 - 1]) + upper) / 2);
}

// repeats (1..99) samples of one point, each measured steadily against previous.
template <typename Measure>
RepeatedPoint measureRepeated(Measure measure, const SteadyPoint& previous, uint32_t repeats) {
  uint32_t rates[maxRepeatCount];
  unsigned runs = 0;
  RepeatedPoint point;
  for (uint32_t i = 0; i < repeats; ++i) {
    const SteadyPoint sample = measureSteadily(measure, previous);
    rates[i] = sample.rate;
    runs += sample.runs;
    point.kept.remeasured |= sample.remeasured;
  }
  point.kept.runs = static_cast<uint8_t>(runs > 255 ? 255 : runs);
  point.lowRate = *std::min_element(rates, rates + repeats);
  point.highRate = *std::max_element(rates, rates + repeats);
  point.kept.rate = medianOfRates(rates, repeats);
  return point;
}

// Every code from start to end, one at a time either way, both ends included: each point
// measured repeats times through measure(code), each sample steadily against the point kept
// before it, then kept by keep(code, point).
template <typename Measure, typename Keep>
void measureRepeatedSeries(uint32_t start, uint32_t end, uint32_t repeats, Measure measure,
                           Keep keep) {
  const int step = start <= end ? 1 : -1;
  SteadyPoint previous;
  for (uint32_t code = start;; code += step) {
    const RepeatedPoint point = measureRepeated([&] { return measure(code); }, previous, repeats);
    keep(code, point);
    previous = point.kept;
    if (code == end) break;
  }
}

// The series with one sample per point: keep(code, point) gets the steady point itself.
template <typename Measure, typename Keep>
void measureSeries(uint32_t start, uint32_t end, Measure measure, Keep keep) {
  measureRepeatedSeries(start, end, 1, measure,
                        [&](uint32_t code, const RepeatedPoint& point) { keep(code, point.kept); });
}

} // namespace engine
