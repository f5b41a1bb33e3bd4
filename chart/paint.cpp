// The whole chart at once: painting the main window's client area, and refreshing the chart
// after a click on a test box or on "Log Y Axis" (new Y scales, cleared area, checked curves).
#include "chart/curves.h"
#include "chart/frame.h"
#include "chart/present.h"
#include "engine/run/results.h"
#include "platform/syscolours.h"

namespace chart {

void paintMainWindow(Canvas& target, CheckedBoxes checked) {
  // The window class's background brush is the 3-D face colour; the labels are child
  // controls in the window and are drawn here with the texts their axes last set.
  fillRect(target, platform::buttonFaceColour(), {0, 0, target.width, target.height});
  drawWindowFrames(target);
  drawLegendSwatches(target);
  drawAxisLabels(target);
  drawPlotArea(target, plotLeft, plotTop, plotWidth, plotHeight, gridStep, gridStep);
  plotAllCurves(target, checked);
}

void refreshChart(CheckedBoxes checked) {
  chartState.logYAxis = (checked & checkedLogY) ? 1 : 0;
  setBandwidthAxis(engine::chartScales.chartPeakRate, checked);
  setLatencyAxis(engine::chartScales.chartMaxLatency, checked);
  drawPlotArea(canvas, plotLeft, plotTop, plotWidth, plotHeight, gridStep, gridStep);
  plotAllCurves(canvas, checked);
  presentCanvasRegion(plotLeft - 2, plotTop - 2, plotLeft + plotWidth + 3,
                      plotTop + plotHeight + 3);
}

} // namespace chart
