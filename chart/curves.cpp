// Placing measured values on the chart and drawing the curves. Heights are pixels above the
// baseline: linear heights put the full scale at 224 pixels (7 grid rows), logarithmic heights
// make one grid row a factor of two and put the full scale at 32 x log2(224), about 250.
#include "chart/curves.h"

#include <algorithm>
#include <cmath>

#include "chart/frame.h"
#include "dialogs/colour_table.h"
#include "engine/run/results.h"

namespace chart {

PlotCursor plotCursor;

const CurveInfo curves[curveCount] = {
    {engine::tableRead, dialogs::slotRead, Scale::bandwidth, 1u << 0},
    {engine::tableWrite, dialogs::slotWrite, Scale::bandwidth, 1u << 1},
    {engine::tableCopy, dialogs::slotCopy, Scale::bandwidth, 1u << 2},
    {engine::tableMmxRead, dialogs::slotMmxRead, Scale::bandwidth, 1u << 3},
    {engine::tableMmxWrite, dialogs::slotMmxWrite, Scale::bandwidth, 1u << 4},
    {engine::tableMmxCopy, dialogs::slotMmxCopy, Scale::bandwidth, 1u << 5},
    {engine::tableSseRead, dialogs::slotSseRead, Scale::bandwidth, 1u << 6},
    {engine::tableSseWrite, dialogs::slotSseWrite, Scale::bandwidth, 1u << 7},
    {engine::tableSseCopy, dialogs::slotSseCopy, Scale::bandwidth, 1u << 8},
    {engine::tableReadLatency, dialogs::slotReadLatency, Scale::latency, checkedReadLatency},
    {engine::tableWalk, dialogs::slotMemoryWalk, Scale::latency, checkedMemoryWalk},
};

namespace {

constexpr uint32_t lastSizeCode = engine::sizeCodeCount - 1;

uint32_t fullScale(Scale scale) {
  return scale == Scale::bandwidth ? chartState.bandwidthFullScale : chartState.latencyFullScale;
}

// Codes beyond 16 MB have no table entry and no place on the axis.
uint32_t clampCode(uint32_t code) { return std::min(code, lastSizeCode); }

void drawSegment(Canvas& target, Colour colour, uint32_t x, uint32_t height) {
  drawLineOnDc(target, colour, curveOriginX + static_cast<int>(plotCursor.prevX),
               baselineY - static_cast<int>(plotCursor.prevHeight),
               curveOriginX + static_cast<int>(x), baselineY - static_cast<int>(height));
}

} // namespace

uint32_t pointHeight(uint32_t value, Scale scale) {
  const uint32_t full = fullScale(scale);
  if (full == 0 || value == 0) return 0;
  if (chartState.logYAxis == 0) {
    const uint64_t h = uint64_t{value} * fullScaleHeight / full;
    return static_cast<uint32_t>(std::min<uint64_t>(h, maxPointHeight));
  }
  const double h = std::nearbyint(32.0 * std::log2(double(value) * fullScaleHeight / full));
  if (!(h > 0)) return 0;   // below about one pixel of the linear scale
  return h >= maxPointHeight ? maxPointHeight : static_cast<uint32_t>(h);
}

uint32_t xOffset(uint32_t sizeCode) {
  return clampCode(sizeCode) * plotWidth / lastSizeCode;
}

void resetPlotPoint() {
  // The first point of a curve is never joined to anything, so prevX needs no pixel value.
  plotCursor.prevX = engine::runParameters.startCode;
  plotCursor.prevHeight = 0;
}

void plotCurve(Canvas& target, Colour colour, Scale scale, const uint32_t* table) {
  resetPlotPoint();
  const uint32_t start = clampCode(engine::runParameters.startCode);
  const uint32_t end = clampCode(engine::runParameters.endCode);
  for (uint32_t i = start;; i = start <= end ? i + 1 : i - 1) {
    const uint32_t value = table[i];
    if (value == 0) break;   // not measured: the curve ends here
    const uint32_t height = pointHeight(value, scale);
    const uint32_t x = xOffset(i);
    if (i != start) drawSegment(target, colour, x, height);
    plotCursor.prevX = x;
    plotCursor.prevHeight = height;
    if (i == end) break;
  }
}

void plotLivePoint(Colour colour, Scale scale, uint32_t value, uint32_t sizeCode) {
  const uint32_t height = pointHeight(value, scale);
  const uint32_t x = xOffset(sizeCode);
  if (sizeCode != engine::runParameters.startCode) {
    drawWindowLine(colour, curveOriginX + static_cast<int>(plotCursor.prevX),
                   baselineY - static_cast<int>(plotCursor.prevHeight),
                   curveOriginX + static_cast<int>(x), baselineY - static_cast<int>(height));
  }
  plotCursor.prevX = x;
  plotCursor.prevHeight = height;
}

void plotAllCurves(Canvas& target, CheckedBoxes checked) {
  for (const CurveInfo& c : curves) {
    if (checked & c.box) {
      plotCurve(target, dialogs::colourTable[c.colourSlot], c.scale,
                engine::resultTables.table[c.table]);
    }
  }
}

} // namespace chart
