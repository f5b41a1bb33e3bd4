// The result curves: each test's table becomes a polyline of 2-pixel segments in the test's
// colour, bandwidth tests on the left scale, Read Latency and Memory Walk on the right one.
// A curve is drawn segment by segment while a run measures it (plotLivePoint) and whole from
// the result tables whenever the chart is painted or refreshed (plotAllCurves).
#pragma once
#include <cstdint>

#include "chart/axes.h"
#include "chart/canvas.h"

namespace chart {

enum class Scale { bandwidth, latency };

// The point last drawn, shared by live plotting and the redraw; each curve resets it first.
struct PlotCursor {
  uint32_t prevX = 0;        // pixels right of the curve origin
  uint32_t prevHeight = 0;   // pixels above the baseline
};
extern PlotCursor plotCursor;

// One curve of the chart, in drawing order (a later curve covers an earlier one).
struct CurveInfo {
  int table;          // result table number
  int colourSlot;     // slot of the colour table
  Scale scale;
  CheckedBoxes box;   // the check box that shows it
};
constexpr int curveCount = 11;
extern const CurveInfo curves[curveCount];

// Pixels above the baseline (0..256) of a value on a scale, for the current logYAxis: linear
// floor(v x 224 / F); logarithmic 32 x log2(v x 224 / F) rounded to nearest, ties to even,
// never below 0. A full scale of 0 (no axis set yet) places every value at 0.
uint32_t pointHeight(uint32_t value, Scale scale);
// Pixels right of the curve origin of size code i: floor(i x 384 / 300).
uint32_t xOffset(uint32_t sizeCode);

// prevX = startCode of the last run, prevHeight = 0.
void resetPlotPoint();
// The whole curve of one table over startCode..endCode (either direction), stopping at the
// first entry that is 0.
void plotCurve(Canvas& target, Colour colour, Scale scale, const uint32_t* table);
// One live step: the segment from the previous point to this one (none at startCode) drawn
// into the window's canvas and shown at once; a value of 0 lies on the baseline.
void plotLivePoint(Colour colour, Scale scale, uint32_t value, uint32_t sizeCode);
// Every curve whose box is checked, from the result tables.
void plotAllCurves(Canvas& target, CheckedBoxes checked);

} // namespace chart
