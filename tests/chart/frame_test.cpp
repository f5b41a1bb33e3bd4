// The painted window at known pixels: etched frames, the grid and its background rectangle,
// a legend swatch's ends; refreshing after a click; and a picture dump for looking at it
// (set TW_CHART_DUMP to a file name ending .ppm, then view it or convert it to PNG).
#include <gtest/gtest.h>

#include <cstdlib>

#include "chart/axes.h"
#include "chart/curves.h"
#include "chart/frame.h"
#include "dialogs/colour_table.h"
#include "engine/run/results.h"
#include "platform/syscolours.h"
#include "tests/chart/chart_support.h"

namespace {

using dialogs::defaultColours;

struct Golden {
  const char* what;
  int x, y;
  chart::Colour colour;
};

class Painted : public ::testing::Test {
protected:
  void SetUp() override { charttest::resetChart(); }
  void expectPixels(std::initializer_list<Golden> pixels) {
    for (const Golden& g : pixels) {
      EXPECT_EQ(chart::pixelAt(chart::canvas, g.x, g.y), g.colour)
          << g.what << " at (" << g.x << ", " << g.y << ")";
    }
  }
};

TEST_F(Painted, PlotAreaGridAndBackgroundRectangle) {
  chart::paintMainWindow(chart::canvas, 0);
  const chart::Colour face = platform::buttonFaceColour();
  const chart::Colour silver = defaultColours[dialogs::slotBackground];
  const chart::Colour black = defaultColours[dialogs::slotGrid];
  expectPixels({
      // background rectangle (68, 68)-(457, 329), right and bottom exclusive
      {"background top-left", 68, 68, silver},
      {"outside top-left", 67, 67, face},
      {"background bottom-right", 456, 328, silver},
      {"outside right", 457, 200, face},
      {"outside bottom", 200, 329, face},
      // grid lines every 32 pixels from (70, 70); horizontals to x 454, verticals to y 325
      {"top-left grid corner", 70, 70, black},
      {"top grid line end", 454, 70, black},
      {"past the top line's end", 455, 70, silver},
      {"vertical line at x 102", 102, 100, black},
      {"horizontal line at y 102", 80, 102, black},
      {"last vertical line", 454, 200, black},
      {"bottom grid line", 200, 326, black},
      {"bottom-right grid corner", 454, 326, black},
      {"below the bottom line", 200, 327, silver},
      {"inside a cell", 71, 71, silver},
      {"inside the last cell", 453, 325, silver},
      {"left margin", 69, 200, silver},
  });
}

TEST_F(Painted, EtchedFramesShowShadowAboveAndLeftOfHighlight) {
  chart::paintMainWindow(chart::canvas, 0);
  const chart::Colour face = platform::buttonFaceColour();
  const chart::Colour light = platform::buttonHighlightColour();
  const chart::Colour dark = platform::buttonShadowColour();
  expectPixels({
      // separators below the menu and below the buttons: shadow row, highlight row
      {"menu separator upper row", 300, 0, dark},
      {"menu separator lower row", 300, 1, light},
      {"below the menu separator", 300, 2, face},
      {"button separator upper row", 300, 24, dark},
      {"button separator lower row", 300, 25, light},
      // the chart frame (5, 40, 650, 420)
      {"outer top", 100, 39, dark},
      {"inner top", 100, 40, light},
      {"outer left", 4, 100, dark},
      {"inner left", 5, 100, light},
      {"inner bottom", 100, 420, dark},
      {"outer bottom", 100, 421, light},
      {"inner right", 650, 100, dark},
      {"outer right", 651, 100, light},
      {"inner bottom-right corner", 650, 420, dark},
      {"outer bottom-right corner", 651, 421, light},
      {"outer bottom-left corner", 4, 421, light},
      {"inside the frame", 10, 100, face},
      // the latency test group (514, 315, 642, 367)
      {"group outer top", 600, 314, dark},
      {"group inner top", 600, 315, light},
      {"group inner right", 642, 340, dark},
      {"group outer right", 643, 340, light},
  });
}

TEST_F(Painted, LegendSwatchesAreTwoPixelLinesWithoutTheirEndPoint) {
  chart::paintMainWindow(chart::canvas, 0);
  const chart::Colour face = platform::buttonFaceColour();
  const chart::Colour red = defaultColours[dialogs::slotRead];
  const chart::Colour orange = defaultColours[dialogs::slotMemoryWalk];
  expectPixels({
      {"Read swatch start", 522, 75, red},
      {"Read swatch second row", 522, 76, red},
      {"Read swatch last pixel", 544, 76, red},
      {"Read swatch end point", 545, 75, face},
      {"above the swatch", 530, 74, face},
      {"below the swatch", 530, 77, face},
      {"before the swatch", 521, 75, face},
      {"Memory Walk swatch", 530, 353, orange},
      {"MMX Write swatch", 530, 181, defaultColours[dialogs::slotMmxWrite]},
      {"SSE Copy swatch", 530, 288, defaultColours[dialogs::slotSseCopy]},
  });
}

TEST_F(Painted, PaintingRedrawsLabelsAndCurvesFromTheRecords) {
  engine::runParameters.startCode = 0;
  engine::runParameters.endCode = 50;
  for (int i = 0; i <= 50; ++i) engine::resultTables.table[engine::tableCopy][i] = 10000;
  chart::setBandwidthAxis(35, 1u << 2);   // step 5: full scale 3500, so 10000 lies at 256
  chart::setBlockSizeAxis(4);
  const chart::Canvas live = chart::canvas;   // the labels as the axes drew them

  chart::Canvas painted = chart::makeCanvas(chart::clientWidth, chart::clientHeight, 0);
  chart::paintMainWindow(painted, 1u << 2);
  auto samePixels = [&](chart::Rect r) {
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (chart::pixelAt(painted, x, y) != chart::pixelAt(live, x, y)) return false;
    return true;
  };
  for (int i = 0; i <= chart::yLabelCount; ++i) EXPECT_TRUE(samePixels(chart::bandwidthLabelPlace(i)));
  for (int i = 0; i <= chart::xLabelCount; ++i) EXPECT_TRUE(samePixels(chart::xLabelPlace(i)));
  EXPECT_EQ(chart::pixelAt(painted, 100, 70), defaultColours[dialogs::slotCopy]);   // the top line
  // Unchecked: the same tables draw nothing.
  chart::paintMainWindow(painted, 0);
  EXPECT_EQ(chart::pixelAt(painted, 100, 70), defaultColours[dialogs::slotGrid]);
}

TEST_F(Painted, RefreshTakesTheLogOptionRescalesAndRedrawsTheArea) {
  engine::chartScales.chartPeakRate = 7000;
  engine::chartScales.chartMaxLatency = 3200;
  engine::runParameters.startCode = 0;
  engine::runParameters.endCode = 50;
  for (int i = 0; i <= 50; ++i) engine::resultTables.table[engine::tableRead][i] = 87500;
  const chart::Colour red = defaultColours[dialogs::slotRead];

  chart::refreshChart((1u << 0) | chart::checkedLogY | chart::checkedReadLatency);
  EXPECT_EQ(chart::chartState.logYAxis, 1u);
  EXPECT_STREQ(chart::axisLabels.bandwidth[1].text, "  8192");
  EXPECT_STREQ(chart::axisLabels.latency[1].text, "   256");
  EXPECT_EQ(chart::pixelAt(chart::canvas, 100, 326 - 154), red);   // an eighth on a log axis
  const chart::Rect area = charttest::presented.back();
  EXPECT_TRUE(area.left == 68 && area.top == 68 && area.right == 457 && area.bottom == 329);

  // Unchecking Read and the log option: linear labels again, and the curve is gone.
  chart::refreshChart(chart::checkedReadLatency);
  EXPECT_EQ(chart::chartState.logYAxis, 0u);
  EXPECT_STREQ(chart::axisLabels.bandwidth[0].text, "");
  EXPECT_STREQ(chart::axisLabels.latency[1].text, "    40");
  EXPECT_EQ(chart::pixelAt(chart::canvas, 100, 326 - 154), defaultColours[dialogs::slotBackground]);
}

TEST_F(Painted, WindowOperationsShowWhatTheyDrew) {
  chart::drawWindowPlotArea(362, 130, 88, 20, 88, 20);   // a one-entry report legend frame
  ASSERT_EQ(charttest::presented.size(), 1u);
  const chart::Rect r = charttest::presented[0];
  EXPECT_TRUE(r.left == 360 && r.top == 128 && r.right == 453 && r.bottom == 153);
  EXPECT_EQ(chart::pixelAt(chart::canvas, 362, 130), defaultColours[dialogs::slotGrid]);
  EXPECT_EQ(chart::pixelAt(chart::canvas, 450, 150), defaultColours[dialogs::slotGrid]);
  EXPECT_EQ(chart::pixelAt(chart::canvas, 400, 140), defaultColours[dialogs::slotBackground]);

  chart::drawWindowLine(0x00000080, 369, 140, 377, 140);
  ASSERT_EQ(charttest::presented.size(), 2u);
  EXPECT_EQ(charttest::presented[1].left, 369);
  EXPECT_EQ(charttest::presented[1].bottom, 142);
  chart::drawWindowLine(0x00000080, 10, 10, 10, 10);   // nothing drawn, nothing to show
  EXPECT_EQ(charttest::presented.size(), 2u);

  // After the Colors dialog the eleven swatches are drawn again in the new colours.
  dialogs::colourTable[dialogs::slotMmxCopy] = 0x00000080;
  chart::drawWindowLegendSwatches();
  EXPECT_EQ(charttest::presented.size(), 2u + 11u);
  EXPECT_EQ(chart::pixelAt(chart::canvas, 530, 201), 0x00000080u);
}

TEST_F(Painted, DumpOnRequest) {
  const char* path = std::getenv("TW_CHART_DUMP");
  if (!path) GTEST_SKIP() << "set TW_CHART_DUMP=file.ppm to write a sample chart";
  engine::chartScales.chartPeakRate = 7000;
  engine::chartScales.chartMaxLatency = 3200;
  engine::runParameters.startCode = 0;
  engine::runParameters.endCode = 300;
  for (int i = 0; i <= 300; ++i) {
    engine::resultTables.table[engine::tableRead][i] = i < 100 ? 600000 : i < 200 ? 300000 : 90000;
    engine::resultTables.table[engine::tableWrite][i] = 400000 - 1000 * i;
    engine::resultTables.table[engine::tableReadLatency][i] = 300 + 10 * i;
  }
  const chart::CheckedBoxes checked = 0x3 | chart::checkedReadLatency;
  chart::setBlockSizeAxis(4);
  chart::refreshChart(checked);
  chart::paintMainWindow(chart::canvas, checked);
  ASSERT_TRUE(charttest::writePpm(chart::canvas, path));
}

} // namespace
