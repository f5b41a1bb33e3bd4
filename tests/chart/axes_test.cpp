// The three axes: steps and full scales for worked peak and latency values, the label texts
// of linear and logarithmic axes, when labels are empty, and where they are drawn.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/axes.h"
#include "platform/syscolours.h"
#include "tests/chart/chart_support.h"

namespace {

using chart::axisLabels;
using chart::chartState;
using Texts = std::vector<std::string>;

constexpr chart::CheckedBoxes readBox = 1u << 0;

Texts texts(const chart::AxisLabel* labels, int count) {
  Texts out;
  for (int i = 0; i < count; ++i) out.emplace_back(labels[i].text);
  return out;
}

class Axes : public ::testing::Test {
protected:
  void SetUp() override { charttest::resetChart(); }
};

struct BandwidthCase {
  uint32_t peak;
  bool logarithmic;
  uint32_t fullScale;   // hundredths of MB/s at 224 pixels: step x 7 x 100
  Texts ticks;          // top to bottom
};

TEST_F(Axes, BandwidthScaleAndLabelsForWorkedPeaks) {
  const BandwidthCase cases[] = {
      // 7000 / 7 = 1000, a multiple of 5
      {7000, false, 700000,
       {"  8000", "  7000", "  6000", "  5000", "  4000", "  3000", "  2000", "  1000", "     0"}},
      // 8 x 1000 = 8000 down to a multiple of 512 is 7680, plus 512 = 8192
      {7000, true, 700000,
       {"  8192", "  4096", "  2048", "  1024", "   512", "   256", "   128", "    64", "    32"}},
      // 2048 / 7 = 292, down to 290
      {2048, false, 203000,
       {"  2320", "  2030", "  1740", "  1450", "  1160", "   870", "   580", "   290", "     0"}},
      // 8 x 290 = 2320 down to 2048, plus 512 = 2560
      {2048, true, 203000,
       {"  2560", "  1280", "   640", "   320", "   160", "    80", "    40", "    20", "    10"}},
      // 2240 / 7 = 320; 8 x 320 = 2560 is already a multiple of 512 and still gains 512
      {2240, true, 224000,
       {"  3072", "  1536", "   768", "   384", "   192", "    96", "    48", "    24", "    12"}},
      // below 35 MB/s the step would be 0: kept at 5 so the scale stays usable
      {34, false, 3500,
       {"    40", "    35", "    30", "    25", "    20", "    15", "    10", "     5", "     0"}},
      {0, false, 3500,
       {"    40", "    35", "    30", "    25", "    20", "    15", "    10", "     5", "     0"}},
  };
  for (const BandwidthCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.peak) + (c.logarithmic ? " log" : " linear"));
    chartState.logYAxis = c.logarithmic;
    chart::setBandwidthAxis(c.peak, readBox);
    EXPECT_EQ(chartState.bandwidthFullScale, c.fullScale);
    EXPECT_STREQ(axisLabels.bandwidth[0].text, "Bandwidth (MB/s)");
    EXPECT_EQ(texts(axisLabels.bandwidth + 1, 9), c.ticks);
  }
}

TEST_F(Axes, LargePeaksKeepAllTheirDigits) {
  chart::setBandwidthAxis(1000000, readBox);   // step 142855, top label 1142840
  EXPECT_STREQ(axisLabels.bandwidth[1].text, "1142840");
  EXPECT_STREQ(axisLabels.bandwidth[8].text, "142855");
  EXPECT_EQ(chartState.bandwidthFullScale, 142855u * 700);
}

struct LatencyCase {
  uint32_t maxLatency;   // hundredths of cycles
  bool logarithmic;
  uint32_t fullScale;    // step x 7
  Texts ticks;
};

TEST_F(Axes, LatencyScaleAndLabelsForWorkedMaxima) {
  const LatencyCase cases[] = {
      // unit 100; 3200 / 7 = 457 = 4 x 100 + 57, and 57 >= 50 rounds up to 500
      {3200, false, 3500,
       {"    40", "    35", "    30", "    25", "    20", "    15", "    10", "     5", "     0"}},
      // log: unit 3200; 457 rounds to 0 units, raised to one unit; top 8 x 3200 / 100 = 256
      {3200, true, 22400,
       {"   256", "   128", "    64", "    32", "    16", "     8", "     4", "     2", "     1"}},
      // nothing measured yet: one unit of 100
      {0, false, 700,
       {"     8", "     7", "     6", "     5", "     4", "     3", "     2", "     1", "     0"}},
      // unit 200 above 3200; 3201 / 7 = 457 = 2 x 200 + 57, 57 < 100 rounds down to 400
      {3201, false, 2800,
       {"    32", "    28", "    24", "    20", "    16", "    12", "     8", "     4", "     0"}},
      // log: 19201 needs the 6400 unit; top 8 x 6400 / 100 = 512
      {19201, true, 44800,
       {"   512", "   256", "   128", "    64", "    32", "    16", "     8", "     4", "     2"}},
      // log above 76800 keeps the unit of 200: 76801 / 7 = 10971 = 54 x 200 + 171 -> 11000
      {76801, true, 77000,
       {"   880", "   440", "   220", "   110", "    55", "    27", "    13", "     6", "     3"}},
      // 100 cycles: 10000 / 7 = 1428 = 7 x 200 + 28 -> 1400; labels 14 per row
      {10000, false, 9800,
       {"   112", "    98", "    84", "    70", "    56", "    42", "    28", "    14", "     0"}},
  };
  for (const LatencyCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.maxLatency) + (c.logarithmic ? " log" : " linear"));
    chartState.logYAxis = c.logarithmic;
    chart::setLatencyAxis(c.maxLatency, chart::checkedReadLatency);
    EXPECT_EQ(chartState.latencyFullScale, c.fullScale);
    EXPECT_STREQ(axisLabels.latency[0].text, "Latency (Cycles)");
    EXPECT_EQ(texts(axisLabels.latency + 1, 9), c.ticks);
  }
}

TEST_F(Axes, LabelsAreEmptyWithoutATestOfTheirAxisButTheScaleIsSet) {
  const Texts empty(10, "");
  chart::setBandwidthAxis(7000, chart::checkedReadLatency | chart::checkedLogY);
  EXPECT_EQ(texts(axisLabels.bandwidth, 10), empty);
  EXPECT_EQ(chartState.bandwidthFullScale, 700000u);
  chart::setLatencyAxis(3200, 0x1FF);   // all nine bandwidth tests, no latency test
  EXPECT_EQ(texts(axisLabels.latency, 10), empty);
  EXPECT_EQ(chartState.latencyFullScale, 3500u);

  // Any one test of the axis brings the texts back at the next setting.
  chart::setBandwidthAxis(7000, 1u << 8);   // SSE Copy
  EXPECT_STREQ(axisLabels.bandwidth[1].text, "  8000");
  chart::setLatencyAxis(3200, chart::checkedMemoryWalk);
  EXPECT_STREQ(axisLabels.latency[1].text, "    40");
}

TEST_F(Axes, BlockSizeAndStepLabels) {
  // Four characters, right-aligned behind blanks, then the unit letter if any.
  chart::setBlockSizeAxis(4);
  EXPECT_EQ(texts(axisLabels.xAxis, 14),
            (Texts{"Block Size", "   4K", "   8K", "  16K", "  32K", "  64K", " 128K", " 256K",
                   " 512K", "   1M", "   2M", "   4M", "   8M", "  16M"}));
  chart::setStepAxis(16);
  EXPECT_EQ(texts(axisLabels.xAxis, 14),
            (Texts{"Step", "  16", "  32", "  64", " 128", " 256", " 512", "   1K", "   2K",
                   "   4K", "   8K", "  16K", "  32K", "  64K"}));
  chart::setStepAxis(512);   // the largest Read Latency step reaches mebibytes
  EXPECT_EQ(texts(axisLabels.xAxis + 1, 13),
            (Texts{" 512", "   1K", "   2K", "   4K", "   8K", "  16K", "  32K", "  64K", " 128K",
                   " 256K", " 512K", "   1M", "   2M"}));
}

TEST_F(Axes, LabelPlacesSitBesideTheGrid) {
  struct Case {
    chart::Rect got, want;
  };
  const Case cases[] = {
      {chart::bandwidthLabelPlace(0), {18, 50, 108, 64}},
      {chart::bandwidthLabelPlace(1), {26, 64, 66, 78}},      // centred on the line y = 70
      {chart::bandwidthLabelPlace(9), {26, 320, 66, 334}},    // centred on the line y = 326
      {chart::latencyLabelPlace(0), {420, 50, 510, 64}},
      {chart::latencyLabelPlace(5), {460, 192, 505, 206}},
      {chart::xLabelPlace(0), {250, 350, 300, 364}},
      {chart::xLabelPlace(1), {58, 335, 88, 349}},            // 12 pixels left of x = 70
      {chart::xLabelPlace(13), {442, 335, 472, 349}},         // 12 pixels left of x = 454
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.got.left, c.want.left);
    EXPECT_EQ(c.got.top, c.want.top);
    EXPECT_EQ(c.got.right, c.want.right);
    EXPECT_EQ(c.got.bottom, c.want.bottom);
  }
}

int inkIn(const chart::Canvas& c, chart::Rect r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += chart::pixelAt(c, x, y) == platform::windowTextColour();
  return n;
}

bool allFace(const chart::Canvas& c, chart::Rect r) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (chart::pixelAt(c, x, y) != platform::buttonFaceColour()) return false;
  return true;
}

TEST_F(Axes, SettingAnAxisDrawsItsLabelsIntoTheWindowAndShowsThem) {
  chart::setBandwidthAxis(7000, readBox);
  EXPECT_GT(inkIn(chart::canvas, chart::bandwidthLabelPlace(0)), 20);
  EXPECT_GT(inkIn(chart::canvas, chart::bandwidthLabelPlace(1)), 20);
  EXPECT_EQ(chart::pixelAt(chart::canvas, 26, 64), platform::buttonFaceColour());
  ASSERT_EQ(charttest::presented.size(), 1u);
  const chart::Rect shown = charttest::presented[0];
  EXPECT_TRUE(shown.left <= 18 && shown.top <= 50 && shown.right >= 108 && shown.bottom >= 334);

  // Unchecking every bandwidth test empties the places: only the window background remains.
  chart::setBandwidthAxis(7000, 0);
  for (int i = 0; i < 10; ++i) EXPECT_TRUE(allFace(chart::canvas, chart::bandwidthLabelPlace(i)));

  // "Block Size" is wider than its place and is still drawn whole.
  chart::setBlockSizeAxis(4);
  EXPECT_GT(inkIn(chart::canvas, {300, 350, 305, 364}), 0);
  EXPECT_GE(charttest::presented.back().right, 250 + chart::textWidth("Block Size"));

  // The shorter "Step" clears what "Block Size" drew past the place, and shows that too.
  chart::setStepAxis(16);
  EXPECT_TRUE(allFace(chart::canvas, {300, 350, 250 + chart::textWidth("Block Size"), 364}));
  EXPECT_GE(charttest::presented.back().right, 250 + chart::textWidth("Block Size"));
}

} // namespace
