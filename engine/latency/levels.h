// The cache levels a latency curve shows: each plateau of the curve over block size, and the
// block size where the curve leaves it for the next. On virtual machines CPUID often reports
// the host's caches, or a cache that other tenants share; the curve tells what this core gets.
#pragma once
#include <cstdint>
#include <vector>

namespace engine {

struct LatencyPoint {
  uint64_t bytes = 0;       // block size; the points ascend by it
  double ns = 0;            // read latency at that size
  double coreCycles = 0;    // the same in core cycles; 0 when not known
};

struct FoundLevel {
  uint64_t firstBytes = 0;  // the plateau's first point
  uint64_t endBytes = 0;    // the largest block still on the plateau's side; 0: the curve ends on it
  double plateauNs = 0;     // median over the plateau
  double plateauCoreCycles = 0;
};

// The plateaus of points in order of size; the last one has no end.
std::vector<FoundLevel> findLevels(const std::vector<LatencyPoint>& points);

// The median of values (the mean of the middle two for an even count); 0 for none.
double median(std::vector<double> values);

} // namespace engine
