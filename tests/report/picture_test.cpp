// The chart picture: the file header field by field, the file's size and row padding, and
// pixels at known places of the chart and of the legend, read back from the written file.
#include <gtest/gtest.h>

#include <string>

#include "app/option_rules.h"
#include "app/panel.h"
#include "chart/axes.h"
#include "chart/canvas.h"
#include "chart/frame.h"
#include "dialogs/colour_table.h"
#include "report/picture.h"
#include "report_fixture.h"
#include "temp_dir.h"

namespace {

constexpr uint32_t silver = 0xC0C0C0, black = 0x000000, red = 0x0000FF, orange = 0x0080FF;

// The file header and information header of a 490 x 318 24-bit picture, byte for byte.
const uint8_t expectedHeader[54] = {
    'B', 'M', 0xB6, 0x24, 0x07, 0x00,   // 468,150 = 0x000724B6
    0, 0, 0, 0,                         // reserved
    54, 0, 0, 0,                        // pixel data offset
    40, 0, 0, 0,                        // information header size
    0xEA, 0x01, 0, 0,                   // width 490
    0x3E, 0x01, 0, 0,                   // height 318, bottom row first
    1, 0, 24, 0,                        // planes, bits per pixel
    0, 0, 0, 0, 0, 0, 0, 0,             // BI_RGB, image size 0
    0, 0, 0, 0, 0, 0, 0, 0,             // resolutions
    0, 0, 0, 0, 0, 0, 0, 0};            // colours used, important colours

// COLORREF of client pixel (x, y) in the picture file.
uint32_t filePixel(const std::string& file, int x, int y) {
  const std::size_t at = 54 + static_cast<std::size_t>(317 - (y - 48)) * 1472 +
                         static_cast<std::size_t>(x - 14) * 3;
  const auto byte = [&](std::size_t i) { return static_cast<uint32_t>(static_cast<uint8_t>(file[i])); };
  return byte(at + 2) | byte(at + 1) << 8 | byte(at) << 16;
}

// A chart with the Read curve flat at half the full scale: 350,000 of 700,000 hundredths of
// MB/s is 112 pixels above the baseline at y = 326, so the line lies on y = 214 and 215.
void paintChartWithBoxes(bool allBoxes) {
  report_fixture::loadEmptyInputs();
  engine::runParameters.startCode = 0;
  engine::runParameters.endCode = 300;
  for (int c = 0; c <= 300; ++c) engine::resultTables.table[engine::tableRead][c] = 350000;
  app::setBoxChecked(app::boxRead, true);
  if (allBoxes) {
    for (int b = 0; b < app::testBoxCount; ++b) app::setBoxChecked(static_cast<app::PanelBox>(b), true);
    app::setBoxChecked(app::boxReadLatency, true);
    app::setBoxChecked(app::boxMemoryWalk, true);
  }
  chart::resizeCanvas(chart::canvas, chart::clientWidth, chart::clientHeight, 0);
  chart::setBandwidthAxis(7000, app::checkedBoxes());   // label step 1000: full scale 700000
  chart::paintMainWindow(chart::canvas, app::checkedBoxes());
}

std::string writtenPicture() {
  EXPECT_TRUE(report::writeChartPicture("picture.bmp"));
  return testing_support::readWholeFile("picture.bmp");
}

TEST(ChartPicture, HeaderSizeAndPadding) {
  uint8_t header[54];
  report::encodePictureHeader(header);
  for (int i = 0; i < 54; ++i) EXPECT_EQ(header[i], expectedHeader[i]) << "byte " << i;

  testing_support::ScopedTempDir dir;
  paintChartWithBoxes(false);
  const std::string file = writtenPicture();
  ASSERT_EQ(file.size(), 468150u);
  EXPECT_EQ(file.compare(0, 54, std::string(reinterpret_cast<const char*>(expectedHeader), 54)), 0);
  for (int row = 0; row < 318; ++row) {
    EXPECT_EQ(file[54 + row * 1472 + 1470], 0) << row;
    EXPECT_EQ(file[54 + row * 1472 + 1471], 0) << row;
  }
}

TEST(ChartPicture, BareChartWithoutLegend) {
  testing_support::ScopedTempDir dir;
  paintChartWithBoxes(false);
  app::setBoxChecked(app::boxRead, false);   // no box ticked: no legend
  report::drawReportLegend();
  const std::string file = writtenPicture();
  ASSERT_EQ(file.size(), 468150u);
  EXPECT_EQ(filePixel(file, 390, 166), black);   // grid crossing where a legend would lie
  EXPECT_EQ(filePixel(file, 400, 200), silver);
  EXPECT_EQ(filePixel(file, 200, 214), red);     // the curve stays, whatever the boxes now say
  EXPECT_EQ(filePixel(file, 200, 215), red);
  EXPECT_EQ(filePixel(file, 200, 213), silver);
}

TEST(ChartPicture, LegendOfElevenEntries) {
  testing_support::ScopedTempDir dir;
  paintChartWithBoxes(true);
  report::drawReportLegend();
  const std::string file = writtenPicture();
  ASSERT_EQ(file.size(), 468150u);
  struct Spot {
    int x, y;
    uint32_t colour;
    const char* what;
  } spots[] = {
      {362, 200, black, "left border"},
      {450, 200, black, "right border"},
      {400, 130, black, "top border"},
      {400, 290, black, "bottom border: 160 pixels below the top"},
      {361, 200, silver, "fill left of the border"},
      {451, 200, silver, "fill right of the border"},
      {400, 291, silver, "fill below the bottom border"},
      {390, 166, silver, "plot grid covered by the legend"},
      {390, 300, black, "plot grid below the legend"},
      {369, 140, red, "first entry's line"},
      {376, 141, red, "first entry's line, second pixel row, last column"},
      {377, 140, silver, "line end point left out"},
      {369, 280, orange, "last entry's line at y = 280"},
      {376, 281, orange, "last entry's line, second row"},
      {200, 214, red, "curve point"},
  };
  for (const Spot& s : spots) EXPECT_EQ(filePixel(file, s.x, s.y), s.colour) << s.what;
  int inked = 0;   // the first label "Read " is drawn in the Grid colour
  for (int y = 134; y < 147; ++y)
    for (int x = 381; x < 450; ++x) inked += filePixel(file, x, y) == black;
  EXPECT_GT(inked, 10);
}

TEST(ChartPicture, UsesTheColourTable) {
  testing_support::ScopedTempDir dir;
  paintChartWithBoxes(false);
  dialogs::colourTable[dialogs::slotBackground] = 0x00102030;
  report::drawReportLegend();
  const std::string file = writtenPicture();
  dialogs::resetColours();
  EXPECT_EQ(filePixel(file, 400, 141), 0x102030u);   // legend fill in the Background colour
}

} // namespace
