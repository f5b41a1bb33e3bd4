// Curve placement and drawing: heights on linear and logarithmic scales, x positions of size
// codes, whole curves from the tables (direction, stop at 0, drawing order) and live plotting.
#include <gtest/gtest.h>

#include "chart/curves.h"
#include "chart/frame.h"
#include "dialogs/colour_table.h"
#include "engine/run/results.h"
#include "tests/chart/chart_support.h"

namespace {

using chart::Scale;
using engine::resultTables;
using engine::runParameters;

class Curves : public ::testing::Test {
protected:
  void SetUp() override {
    charttest::resetChart();
    chart::drawPlotArea(chart::canvas, 70, 70, 384, 256, 32, 32);
  }
  chart::Colour at(int x, int y) const { return chart::pixelAt(chart::canvas, x, y); }
};

TEST_F(Curves, LinearHeights) {
  chart::chartState.bandwidthFullScale = 700000;   // a peak of 7000 MB/s
  struct Case {
    uint32_t value, height;
  };
  const Case cases[] = {
      {700000, 224},   // the full scale: 7 grid rows
      {800000, 256},   // 8/7 of it: the top grid line
      {900000, 256},   // never above the top
      {4294967295u, 256},
      {350000, 112},
      {3125, 1},       // 3125 x 224 / 700000 = 1 exactly
      {3124, 0},
      {0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(chart::pointHeight(c.value, Scale::bandwidth), c.height) << c.value;
  }
}

TEST_F(Curves, LogarithmicHeights) {
  chart::chartState.logYAxis = 1;
  chart::chartState.latencyFullScale = 700000;
  struct Case {
    uint32_t value, height;
  };
  const Case cases[] = {
      {700000, 250},   // 32 x log2(224) = 249.8
      {87500, 154},    // an eighth: 32 x log2(28) = 153.8
      {6250, 32},      // 2/224 of it: one grid row
      {3125, 0},       // 1/224: log2(1) = 0
      {3124, 0},       // below 1/224 would be negative
      {1, 0},
      {0, 0},
      {800000, 256},   // 32 x log2(256)
      {4294967295u, 256},
      {9375, 51},      // 32 x log2(3) = 50.7
  };
  for (const Case& c : cases) {
    EXPECT_EQ(chart::pointHeight(c.value, Scale::latency), c.height) << c.value;
  }
}

TEST_F(Curves, EachScaleUsesItsOwnFullScaleAndAZeroScalePlacesNothing) {
  chart::chartState.bandwidthFullScale = 22400;
  EXPECT_EQ(chart::pointHeight(10000, Scale::bandwidth), 100u);
  EXPECT_EQ(chart::pointHeight(10000, Scale::latency), 0u);   // latency axis not set yet
  chart::chartState.latencyFullScale = 44800;
  EXPECT_EQ(chart::pointHeight(10000, Scale::latency), 50u);
  chart::chartState.logYAxis = 1;
  chart::chartState.bandwidthFullScale = 0;
  EXPECT_EQ(chart::pointHeight(10000, Scale::bandwidth), 0u);
}

TEST_F(Curves, SizeCodesSpreadOverTheTwelveColumns) {
  struct Case {
    uint32_t code, offset;
  };
  // floor(i x 384 / 300): 25 codes per 32-pixel column
  for (const Case& c : {Case{0, 0}, Case{1, 1}, Case{25, 32}, Case{150, 192}, Case{299, 382},
                        Case{300, 384}}) {
    EXPECT_EQ(chart::xOffset(c.code), c.offset) << c.code;
  }
  EXPECT_EQ(chart::curveOriginX + int(chart::xOffset(0)), 71);    // right of the grid line x 70
  EXPECT_EQ(chart::curveOriginX + int(chart::xOffset(300)), 455); // right of the line x 454
}

// Tables of a level curve at 100 pixels (y 226) over codes 0..50 (x 71..135).
void levelTable(uint32_t* table) {
  for (int i = 0; i <= 50; ++i) table[i] = 10000;
}

TEST_F(Curves, CurveRunsFromStartToEndInEitherDirection) {
  chart::chartState.bandwidthFullScale = 22400;   // value / 100 pixels
  const chart::Colour red = dialogs::defaultColours[dialogs::slotRead];
  levelTable(resultTables.table[engine::tableRead]);

  runParameters.startCode = 0;
  runParameters.endCode = 50;
  chart::plotCurve(chart::canvas, red, Scale::bandwidth, resultTables.table[engine::tableRead]);
  EXPECT_EQ(at(71, 226), red);
  EXPECT_EQ(at(71, 227), red);     // the second pixel of the pen
  EXPECT_EQ(at(134, 226), red);
  EXPECT_NE(at(135, 226), red);    // the last point is the end of a line, left out
  EXPECT_NE(at(100, 225), red);
  EXPECT_NE(at(100, 228), red);

  // Downwards the first point drawn is code 50 and the end point left out is code 0.
  chart::drawPlotArea(chart::canvas, 70, 70, 384, 256, 32, 32);
  runParameters.startCode = 50;
  runParameters.endCode = 0;
  chart::plotCurve(chart::canvas, red, Scale::bandwidth, resultTables.table[engine::tableRead]);
  EXPECT_EQ(at(135, 226), red);
  EXPECT_EQ(at(72, 226), red);
  EXPECT_NE(at(71, 226), red);
}

TEST_F(Curves, CurveStopsAtTheFirstZeroEntry) {
  chart::chartState.bandwidthFullScale = 22400;
  const chart::Colour red = dialogs::defaultColours[dialogs::slotRead];
  uint32_t* table = resultTables.table[engine::tableRead];
  levelTable(table);
  table[30] = 0;   // code 30: x 71 + 38 = 109; code 29: x 71 + 37 = 108
  runParameters.startCode = 0;
  runParameters.endCode = 50;
  chart::plotCurve(chart::canvas, red, Scale::bandwidth, table);
  EXPECT_EQ(at(107, 226), red);
  EXPECT_NE(at(108, 226), red);
  EXPECT_NE(at(120, 226), red);   // the points after the gap are not drawn either

  // A run of a single size code has no segment at all.
  chart::drawPlotArea(chart::canvas, 70, 70, 384, 256, 32, 32);
  runParameters.startCode = runParameters.endCode = 10;
  chart::plotCurve(chart::canvas, red, Scale::bandwidth, table);
  for (int x = 70; x < 456; ++x) EXPECT_NE(at(x, 226), red);
}

TEST_F(Curves, CheckedCurvesAreDrawnInTableOrderOnTheirScales) {
  chart::chartState.bandwidthFullScale = 22400;
  chart::chartState.latencyFullScale = 44800;
  runParameters.startCode = 0;
  runParameters.endCode = 50;
  levelTable(resultTables.table[engine::tableRead]);
  levelTable(resultTables.table[engine::tableSseWrite]);
  levelTable(resultTables.table[engine::tableReadLatency]);
  levelTable(resultTables.table[engine::tableWalk]);
  using dialogs::defaultColours;

  // Read and SSE Write lie on each other: the later one in the table covers the earlier.
  chart::plotAllCurves(chart::canvas, (1u << 0) | (1u << 7) | chart::checkedReadLatency);
  EXPECT_EQ(at(90, 226), defaultColours[dialogs::slotSseWrite]);
  // Read Latency on the latency scale: half the height, in its own colour slot.
  EXPECT_EQ(at(90, 276), defaultColours[dialogs::slotReadLatency]);

  chart::drawPlotArea(chart::canvas, 70, 70, 384, 256, 32, 32);
  chart::plotAllCurves(chart::canvas, chart::checkedMemoryWalk);
  EXPECT_EQ(at(90, 276), defaultColours[dialogs::slotMemoryWalk]);
  EXPECT_EQ(at(90, 226), defaultColours[dialogs::slotBackground]);

  // Unchecked curves and Copy to itself, 4x Iterations or Log Y Axis draw nothing.
  chart::drawPlotArea(chart::canvas, 70, 70, 384, 256, 32, 32);
  chart::plotAllCurves(chart::canvas, (1u << 9) | (1u << 10) | chart::checkedLogY);
  EXPECT_EQ(at(90, 226), defaultColours[dialogs::slotBackground]);
}

TEST_F(Curves, LivePointsDrawEachSegmentAndShowIt) {
  chart::chartState.bandwidthFullScale = 22400;
  const chart::Colour teal = dialogs::defaultColours[dialogs::slotSseRead];
  runParameters.startCode = 25;   // x 71 + 32 = 103
  runParameters.endCode = 50;
  chart::resetPlotPoint();
  EXPECT_EQ(chart::plotCursor.prevHeight, 0u);

  chart::plotLivePoint(teal, Scale::bandwidth, 10000, 25);   // the first point: no segment
  EXPECT_TRUE(charttest::presented.empty());
  EXPECT_EQ(chart::plotCursor.prevX, 32u);
  EXPECT_EQ(chart::plotCursor.prevHeight, 100u);

  chart::plotLivePoint(teal, Scale::bandwidth, 20000, 50);   // to (135, 126)
  EXPECT_EQ(at(103, 226), teal);
  EXPECT_NE(at(135, 126), teal);
  ASSERT_EQ(charttest::presented.size(), 1u);
  const chart::Rect want = chart::lineBounds(2, 103, 226, 135, 126);
  EXPECT_EQ(charttest::presented[0].left, want.left);
  EXPECT_EQ(charttest::presented[0].top, want.top);
  EXPECT_EQ(charttest::presented[0].right, want.right);
  EXPECT_EQ(charttest::presented[0].bottom, want.bottom);

  // A zero measured live is drawn down to the baseline (the redraw would stop there).
  chart::plotLivePoint(teal, Scale::bandwidth, 0, 75);   // to (167, 326)
  EXPECT_EQ(chart::plotCursor.prevHeight, 0u);
  EXPECT_EQ(at(152, 230), teal);   // 135 + 104 x 32 / 200 = 151.6 on the steep segment
  EXPECT_EQ(at(167, 325), teal);   // the last row above the end point
  EXPECT_EQ(charttest::presented.size(), 2u);
}

} // namespace
