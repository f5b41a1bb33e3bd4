// The per-size results of the whole range and the command line's requests of a run.
#include "engine/run/series.h"

namespace engine {

SeriesResults seriesResults = {};
RunRequest runRequest;

uint32_t spreadHundredthsOfPercent(const SeriesPoint& point) {
  if (point.median == 0) return 0;
  return static_cast<uint32_t>(uint64_t(point.high - point.low) * 10000u / point.median);
}

} // namespace engine
