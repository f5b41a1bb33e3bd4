// The fixed picture of the main window's client area: its geometry, the etched frames, the
// colour legend beside the test boxes, the plotting area with its grid, and the two operations
// that draw the whole chart (painting the window and refreshing the chart after a click).
// Operations named "Window" draw into the window's canvas and show the change at once.
#pragma once

#include "chart/axes.h"
#include "chart/canvas.h"

namespace chart {

// Plotting area and grid, client pixels.
constexpr int plotLeft = 70;
constexpr int plotTop = 70;
constexpr int plotWidth = 384;
constexpr int plotHeight = 256;
constexpr int gridStep = 32;
constexpr int curveOriginX = plotLeft + 1;           // code 0 lies right of the left grid line
constexpr int baselineY = plotTop + plotHeight;      // the bottom grid line
constexpr int fullScaleHeight = 224;                 // 7 grid rows
constexpr int maxPointHeight = plotHeight;           // the top grid line

// Two one-pixel rings in the system 3-D colours round (x1, y1)-(x2, y2).
void drawEtchedFrame(Canvas& target, int x1, int y1, int x2, int y2);
// The eleven frames of the window, in painting order.
void drawWindowFrames(Canvas& target);
// The eleven colour swatches beside the test boxes, in the colour table's colours.
void drawLegendSwatches(Canvas& target);
// The same swatches drawn with drawWindowLine, each shown at once (after the Colors dialog).
void drawWindowLegendSwatches();
// Background rectangle (Background colour) and grid (Grid colour).
void drawPlotArea(Canvas& target, int left, int top, int width, int height, int dx, int dy);
void drawWindowPlotArea(int left, int top, int width, int height, int dx, int dy);
// Solid 2-pixel line, end point left out.
void drawLineOnDc(Canvas& target, Colour colour, int x1, int y1, int x2, int y2);
void drawWindowLine(Colour colour, int x1, int y1, int x2, int y2);

// The whole client area as WM_PAINT shows it: window background, frames, legend swatches, axis
// labels, plotting area, then every checked curve from the result tables.
void paintMainWindow(Canvas& target, CheckedBoxes checked);
// After a click on a test box or "Log Y Axis": logYAxis from the boxes, both Y axes again
// (chartPeakRate, chartMaxLatency), plotting area cleared, checked curves redrawn; shown.
void refreshChart(CheckedBoxes checked);

} // namespace chart
