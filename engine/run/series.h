// Per-size results over the whole range the command line measures (4 KB .. 1 GB): the median
// of the samples of each point with their lowest and highest, and what a run is asked beyond
// the window's choices. The window, its chart and the reports keep reading resultTables
// (codes 0..300), which the run fills with the same medians.
#pragma once
#include <cstdint>

#include "engine/run/results.h"
#include "engine/size_codes.h"

namespace engine {

constexpr int runCodeCount = maxRunCode + 1;

// Series 0..10 are the result tables 0..10; Random Latency has no table of the window.
constexpr int seriesRandomLatency = tableWalk + 1;   // hundredths of counter ticks per load
constexpr int seriesCount = seriesRandomLatency + 1;

// One point in its table's unit (hundredths of MB/s or of cycles); 0 = not measured.
// low <= median <= high; all three equal after a single sample.
struct SeriesPoint {
  uint32_t median = 0;
  uint32_t low = 0;
  uint32_t high = 0;
  uint8_t runs = 0;   // measurements it took, remeasured interruptions included (at most 255)
};
struct SeriesResults {
  SeriesPoint point[seriesCount][runCodeCount];
};
extern SeriesResults seriesResults;

// (high - low) / median in hundredths of a per cent; 0 for an unmeasured point.
uint32_t spreadHundredthsOfPercent(const SeriesPoint& point);

// What the command line asks of a run beyond the panel; the defaults are the window's run.
struct RunRequest {
  uint32_t repeatCount = 1;     // samples per point, 1..99; the median is kept
  bool ownRange = false;        // true: the codes below instead of the block-size lists
  SizeCode startCode = 0, endCode = 0;   // 0..maxRunCode
  bool randomLatency = false;   // the Random Latency series
  uint32_t tlbWindow = 0;       // bytes of each run of the random chain; 0: the whole block
};
extern RunRequest runRequest;

} // namespace engine
