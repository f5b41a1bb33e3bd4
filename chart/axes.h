// The chart's scales and axis texts: the bandwidth axis on the left, the latency axis on the
// right (linear or logarithmic), and the block-size or step axis below the plotting area.
// Setting an axis computes its full scale and its label texts, keeps them, and draws them into
// the main window's canvas at the labels' places; painting draws the kept texts again.
#pragma once
#include <cstdint>

#include "chart/canvas.h"

namespace chart {

// The chart's scales, zero at start.
struct ChartState {
  uint32_t logYAxis = 0;             // 1 while "Log Y Axis" is checked; copied by refreshChart
  uint32_t bandwidthFullScale = 0;   // hundredths of MB/s drawn 224 pixels above the baseline
  uint32_t latencyFullScale = 0;     // hundredths of cycles drawn 224 pixels above the baseline
};
extern ChartState chartState;

// Check boxes of the main window as the chart reads them: bit n is set when the panel's box n
// is checked (the nine tests in TestNumber order, then Copy to itself, 4x Iterations, Log Y Axis,
// Read Latency, Memory Walk).
using CheckedBoxes = uint32_t;
constexpr CheckedBoxes checkedLogY = 1u << 11;
constexpr CheckedBoxes checkedReadLatency = 1u << 12;
constexpr CheckedBoxes checkedMemoryWalk = 1u << 13;
constexpr CheckedBoxes checkedBandwidthTests = 0x1FF;   // the nine bandwidth tests
constexpr CheckedBoxes checkedLatencyTests = checkedReadLatency | checkedMemoryWalk;

// One text label beside the plotting area, drawn like a static control: its whole place in
// the window background, the text from its top-left corner in the window text colour.
struct AxisLabel {
  bool created = false;   // not drawn until its axis is first set
  char text[20] = {};
  int drawnRight = 0;     // right edge of the text last drawn into the window's canvas
};

constexpr int yLabelCount = 9;    // tick labels of a Y axis, top to bottom
constexpr int xLabelCount = 13;   // tick labels of the X axis, left to right

// Each axis: the caption, then the tick labels.
struct AxisLabels {
  AxisLabel bandwidth[1 + yLabelCount];
  AxisLabel latency[1 + yLabelCount];
  AxisLabel xAxis[1 + xLabelCount];   // shared by the block-size and the step axis
};
extern AxisLabels axisLabels;

// Place of a label in client pixels.
Rect bandwidthLabelPlace(int index);   // 0: caption, 1..9: ticks from the top
Rect latencyLabelPlace(int index);
Rect xLabelPlace(int index);           // 0: caption, 1..13: ticks from the left

// Label step of the bandwidth axis for a peak of peakRate whole MB/s: a multiple of 5, at
// least 5 so that the full scale is never 0.
uint32_t bandwidthStep(uint32_t peakRate);
// Label step of the latency axis in hundredths of cycles for a maximum of maxLatency.
uint32_t latencyStep(uint32_t maxLatency, bool logarithmic);
// Value of the tick label at height k (0 bottom .. 8 top) for an axis step: whole MB/s for
// bandwidth, hundredths of cycles for latency; the labels show whole MB/s and whole cycles.
uint32_t bandwidthLabelValue(uint32_t step, int k, bool logarithmic);
uint32_t latencyLabelValue(uint32_t step, int k, bool logarithmic);

// Left axis for chartPeakRate (whole MB/s): sets bandwidthFullScale, texts empty unless a
// bandwidth test is checked; draws into the window's canvas and shows it.
void setBandwidthAxis(uint32_t peakRate, CheckedBoxes checked);
// Right axis for chartMaxLatency (hundredths of cycles): sets latencyFullScale, texts empty
// unless Read Latency or Memory Walk is checked.
void setLatencyAxis(uint32_t maxLatency, CheckedBoxes checked);
// X axis "Block Size": 13 labels firstKb x 2^j KB ("  4K" .. " 16M").
void setBlockSizeAxis(uint32_t firstKb);
// X axis "Step": 13 labels step x 2^j bytes ("  16" .. " 64K").
void setStepAxis(uint32_t step);

// Draws every created label with its kept text (the labels' part of painting the window).
void drawAxisLabels(Canvas& target);

} // namespace chart
