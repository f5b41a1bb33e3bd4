// Finding cache levels in a latency curve.
//
// The method, and why each threshold is what it is:
// 1. Every value is replaced by the median of it and its two neighbours on each side. One
//    disturbed point (an interrupt, a page the host moved) then cannot start or end a level,
//    and a noisy tail is evened out without moving a real step, which spans many points.
// 2. A point lies on a plateau when the smoothed curve around it, over a quarter octave on
//    either side, climbs less than 2^0.5 (x 1.41) per octave. Inside a level the curve creeps
//    far slower (the TLB misses that grow through main memory: x 1.2 to x 1.4 an octave), and
//    a level's rise into the next is steeper even where it is slow (a Zen 3 L2 leaving 4 ns
//    over two octaves and a half climbs x 1.65 an octave).
// 3. Runs of plateau points shorter than half an octave are not levels (a pause in a rise),
//    unless they begin or end the curve.
// 4. Two neighbouring runs whose levels differ by less than a factor of 2 are one level: each
//    level of every x86 processor of the last 25 years is at least 2.5 times slower than the
//    one before, so a smaller step is a bump inside a level. A run's level next to another is
//    the median of its octave nearest that other run.
// 5. A level's end is the largest block whose smoothed value is still at or below the geometric
//    mean of its level and the next: the curve leaves a plateau gradually (replacement is not
//    strict LRU, pages map unevenly onto the sets), and that midpoint in log scale lies nearest
//    the capacity on the recorded machines (a 1 MB L2: the midpoint at 1,004 KB).
#include "engine/latency/levels.h"

#include <algorithm>
#include <cmath>

namespace engine {
namespace {

constexpr double flatSlope = 0.5;         // log2 of ns per octave
constexpr double slopeHalfSpan = 0.25;    // octaves either side of a point
constexpr double shortestLevel = 0.5;     // octaves
constexpr double stepFactor = 2.0;
constexpr double nearOctave = 1.0;        // the part of a run whose median is its level there


struct Curve {
  std::vector<double> s;        // smoothed ns
  std::vector<double> octave;   // log2 of the block size
};

Curve curveOf(const std::vector<LatencyPoint>& points) {
  Curve c;
  const size_t n = points.size();
  for (size_t i = 0; i < n; ++i) {
    std::vector<double> window;
    for (size_t j = i >= 2 ? i - 2 : 0; j <= i + 2 && j < n; ++j) window.push_back(points[j].ns);
    c.s.push_back(median(window));
    c.octave.push_back(std::log2(static_cast<double>(points[i].bytes)));
  }
  return c;
}

bool onPlateau(const Curve& c, size_t i) {
  size_t lo = i, hi = i;
  while (lo > 0 && c.octave[lo - 1] >= c.octave[i] - slopeHalfSpan) --lo;
  while (hi + 1 < c.s.size() && c.octave[hi + 1] <= c.octave[i] + slopeHalfSpan) ++hi;
  const double span = c.octave[hi] - c.octave[lo];
  if (span <= 0 || c.s[lo] <= 0 || c.s[hi] <= 0) return true;
  return std::log2(c.s[hi] / c.s[lo]) / span < flatSlope;
}

struct Run {
  size_t first, last;
};

// The run's level over its octave nearest the start (atEnd false) or the end.
double levelNear(const Curve& c, const Run& r, bool atEnd) {
  std::vector<double> near;
  for (size_t j = r.first; j <= r.last; ++j) {
    const bool in = atEnd ? c.octave[j] >= c.octave[r.last] - nearOctave
                          : c.octave[j] <= c.octave[r.first] + nearOctave;
    if (in) near.push_back(c.s[j]);
  }
  return median(near);
}

std::vector<Run> plateauRuns(const Curve& c) {
  const size_t n = c.s.size();
  std::vector<Run> runs;
  for (size_t i = 0; i < n; ++i) {
    if (!onPlateau(c, i)) continue;
    size_t j = i;
    while (j + 1 < n && onPlateau(c, j + 1)) ++j;
    const bool atEdge = i == 0 || j == n - 1;
    if (atEdge || c.octave[j] - c.octave[i] >= shortestLevel) runs.push_back({i, j});
    i = j;
  }
  std::vector<Run> levels;
  for (const Run& r : runs) {
    if (!levels.empty() && levelNear(c, r, false) < stepFactor * levelNear(c, levels.back(), true)) {
      levels.back().last = r.last;
    } else {
      levels.push_back(r);
    }
  }
  return levels;
}

FoundLevel levelOf(const std::vector<LatencyPoint>& points, const Run& r) {
  std::vector<double> ns, cycles;
  for (size_t j = r.first; j <= r.last; ++j) {
    ns.push_back(points[j].ns);
    cycles.push_back(points[j].coreCycles);
  }
  FoundLevel level;
  level.firstBytes = points[r.first].bytes;
  level.plateauNs = median(ns);
  level.plateauCoreCycles = median(cycles);
  return level;
}

} // namespace

std::vector<FoundLevel> findLevels(const std::vector<LatencyPoint>& points) {
  std::vector<FoundLevel> levels;
  if (points.empty()) return levels;
  const Curve c = curveOf(points);
  const std::vector<Run> runs = plateauRuns(c);
  for (size_t k = 0; k < runs.size(); ++k) {
    FoundLevel found = levelOf(points, runs[k]);
    if (k + 1 < runs.size()) {
      const double midpoint =
          std::sqrt(levelNear(c, runs[k], true) * levelNear(c, runs[k + 1], false));
      size_t end = runs[k].first;
      for (size_t j = runs[k].first; j <= runs[k + 1].first; ++j) {
        if (c.s[j] <= midpoint) end = j;
      }
      found.endBytes = points[end].bytes;
    } else if (c.s.back() > stepFactor * levelNear(c, runs[k], true)) {
      // The curve ends in the rise out of this level (not in a last wobble of it): the level
      // ends where the rise begins.
      found.endBytes = points[runs[k].last].bytes;
    }
    levels.push_back(found);
  }
  return levels;
}

double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace engine
