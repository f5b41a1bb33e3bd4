// Real runs of the Start command at small sizes through the in-memory panel: the swapping
// abort that changes nothing, a 4 KB to 8 KB run of one test (tables, parameters, fields,
// progress and the live curve on the canvas), a run whose range is one block size, a range
// measured downwards, a Read Latency run, and a processor without SSE. Only relations that
// hold on any machine are checked, never timings.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "app/option_rules.h"
#include "app/panel_memory.h"
#include "chart/axes.h"
#include "chart/canvas.h"
#include "chart/curves.h"
#include "cpu/cpu_info.h"
#include "dialogs/colour_table.h"
#include "engine/run/peak.h"
#include "engine/run/results.h"
#include "engine/run/run.h"
#include "engine/run/series.h"
#include "engine/size_codes.h"
#include "engine/timer.h"
#include "engine/working_memory.h"

namespace {

using namespace app;

// "  1234,56" inside a text after marker, back in hundredths; -1 when absent.
long long hundredthsAfter(const std::string& text, const std::string& marker) {
  const std::size_t at = text.find(marker);
  if (at == std::string::npos) return -1;
  const char* p = text.c_str() + at + marker.size();
  while (*p == ' ') ++p;
  char* end = nullptr;
  const long long whole = std::strtoll(p, &end, 10);
  if (*end != ',') return -1;
  return whole * 100 + std::strtoll(end + 1, nullptr, 10);
}

class RunTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(engine::allocateWorkingMemory());
    cpu::identifyCpu();
    engine::calibrateClock();
    engine::measurePeakRate(cpu::cpuInfo.hasMmx, cpu::cpuInfo.hasSse);
  }
  static void TearDownTestSuite() { engine::freeWorkingMemory(); }

  void SetUp() override {
    resetMemoryPanel();
    initialTestChoice();
    engine::runParameters = {};
    chart::resizeCanvas(chart::canvas, chart::clientWidth, chart::clientHeight, 0x00808080);
  }

  // Only the given boxes checked, block sizes by list index.
  void choose(std::initializer_list<PanelBox> boxes, int start, int end) {
    for (int b = 0; b < testBoxCount; ++b) {
      if (boxChecked(static_cast<PanelBox>(b))) clickBox(static_cast<PanelBox>(b));
    }
    for (PanelBox b : boxes) clickBox(b);
    setListSelection(listStartSize, start);
    setListSelection(listEndSize, end);
  }

  // Codes of a table that hold a value.
  static std::string measuredCodes(int table) {
    std::string codes;
    uint32_t first = 0, count = 0;
    for (uint32_t c = 0; c < engine::sizeCodeCount; ++c) {
      if (engine::resultTables.table[table][c] == 0) continue;
      if (count++ == 0) first = c;
    }
    return count ? std::to_string(first) + ".." + std::to_string(first + count - 1) + " (" +
                       std::to_string(count) + ")"
                 : "none";
  }
};

TEST_F(RunTest, SwappingAbortChangesNothing) {
  // Without a calibrated clock every rate is 0, so the check must refuse the run.
  const engine::TimerState saved = engine::timer;
  engine::timer.clockPer16 = 0;
  engine::resultTables.table[0][7] = 4242;
  engine::runParameters.startCode = 50;
  setFieldText(fieldMemorySpeed, "old speed");
  setFieldText(fieldMaxBandwidth, "old max");
  const engine::RunStatus status = engine::runTest();
  engine::timer = saved;

  EXPECT_EQ(status, engine::RunStatus::swapping);
  EXPECT_EQ(memoryPanel.errorCount, 1u);
  EXPECT_STREQ(memoryPanel.lastError, "Swapping happens, testing aborted.");
  EXPECT_FALSE(memoryPanel.busy);
  EXPECT_EQ(memoryPanel.busyCount, 1u);
  EXPECT_STREQ(fieldText(fieldMemorySpeed), "old speed");
  EXPECT_STREQ(fieldText(fieldMaxBandwidth), "old max");
  EXPECT_STREQ(fieldText(fieldMinBandwidth), "Not Tested");
  EXPECT_EQ(engine::resultTables.table[0][7], 4242u);
  EXPECT_EQ(engine::runParameters.startCode, 50u);
  EXPECT_EQ(memoryPanel.progressCount, 0u);
  engine::resultTables = {};
}

TEST_F(RunTest, OneTestFromFourToEightKilobytes) {
  choose({boxRead}, 0, 1);
  ASSERT_EQ(engine::runTest(), engine::RunStatus::done);

  EXPECT_EQ(memoryPanel.errorCount, 0u);
  EXPECT_FALSE(memoryPanel.busy);
  EXPECT_EQ(engine::runParameters.startCode, 0u);
  EXPECT_EQ(engine::runParameters.endCode, 25u);
  EXPECT_EQ(engine::runParameters.latencyStep, 32u);   // the Read Latency list's "32"
  EXPECT_EQ(engine::runParameters.iterationShift, 0u);
  EXPECT_EQ(engine::runParameters.copyToItself, 0u);

  // Table 0 holds codes 0..25 and nothing else does; the runs each point took beside it.
  EXPECT_EQ(measuredCodes(0), "0..25 (26)");
  for (int t = 1; t < engine::tableCount; ++t) EXPECT_EQ(measuredCodes(t), "none") << t;
  EXPECT_EQ(engine::pointRuns.runs[0][0], 2u);
  for (uint32_t c = 1; c <= 25; ++c) {
    EXPECT_GE(engine::pointRuns.runs[0][c], 1u) << c;
    EXPECT_EQ(engine::seriesResults.point[0][c].runs, engine::pointRuns.runs[0][c]) << c;
  }
  EXPECT_EQ(engine::pointRuns.runs[0][26], 0u);

  // Summary values: those the processor can measure, and only those.
  const engine::SummaryValues& s = engine::summaryValues;
  EXPECT_NE(s.memReadRate, 0u);
  EXPECT_NE(s.memWriteRate, 0u);
  EXPECT_NE(s.peakRate, 0u);
  EXPECT_NE(s.memLatency, 0u);
  EXPECT_EQ(s.mmxReadRate != 0, cpu::cpuInfo.hasMmx);
  EXPECT_EQ(s.mmxWriteRate != 0, cpu::cpuInfo.hasMmx);
  EXPECT_EQ(s.sseReadRate != 0, cpu::cpuInfo.hasSse);
  EXPECT_EQ(s.sseWriteRate != 0, cpu::cpuInfo.hasSse);

  // The memory speed line carries the latency and the peak rate.
  const std::string speed = fieldText(fieldMemorySpeed);
  EXPECT_EQ(speed.rfind("Latency: ", 0), 0u) << speed;
  EXPECT_EQ(hundredthsAfter(speed, "Latency:"), s.memLatency) << speed;
  EXPECT_EQ(hundredthsAfter(speed, "Peak Bandwidth:"), s.peakRate) << speed;

  // The extreme lines name Read with the table's largest and smallest values and their sizes
  // (8 KB at code 25, 4 KB at code 0, otherwise 4 KB to 7 KB).
  uint32_t maxValue = 0, maxCode = 0, minValue = 0xFFFFFFFF, minCode = 0;
  for (uint32_t c = 0; c <= 25; ++c) {
    const uint32_t v = engine::resultTables.table[0][c];
    if (v >= maxValue) maxValue = v, maxCode = c;
    if (v <= minValue) minValue = v, minCode = c;
  }
  const struct { PanelField field; uint32_t value, code; } lines[] = {
      {fieldMaxBandwidth, maxValue, maxCode}, {fieldMinBandwidth, minValue, minCode}};
  for (const auto& l : lines) {
    const std::string text = fieldText(l.field);
    EXPECT_EQ(text.rfind("Read: ", 0), 0u) << text;
    EXPECT_EQ(hundredthsAfter(text, "Read:"), l.value) << text;
    const uint32_t kb = engine::blockDwords(l.code) / 256;
    const std::string tail = "Block Size: " + std::string(5 - std::to_string(kb).size(), ' ') +
                             std::to_string(kb) + " KB";
    EXPECT_NE(text.find(tail), std::string::npos) << text << " / " << tail;
  }

  // Progress: one report before the summary, then one per point, ending on the last code.
  EXPECT_EQ(memoryPanel.progressCount, 27u);
  EXPECT_EQ(memoryPanel.lastProgress.pointsDone, 26u);
  EXPECT_EQ(memoryPanel.lastProgress.pointsTotal, 26u);
  EXPECT_EQ(memoryPanel.lastProgress.sizeCode, 25u);
  EXPECT_STREQ(memoryPanel.lastProgress.testLabel, "Read");

  // The live curve: Read's colour appears in the plotting area only over the first 26 codes
  // (x from 71 to 71 + 25 x 384 / 300 = 103, the 2-pixel pen reaching one further).
  const chart::Colour red = dialogs::colourTable[dialogs::slotRead];
  int inside = 0, outside = 0;
  for (int y = 70; y <= 326; ++y) {
    for (int x = 70; x < 454; ++x) {
      if (chart::pixelAt(chart::canvas, x, y) != red) continue;
      (x <= 104 ? inside : outside)++;
    }
  }
  EXPECT_GT(inside, 0);
  EXPECT_EQ(outside, 0);
}

TEST_F(RunTest, RangeOfOneSizeMeasuresOnlyTheSummary) {
  choose({boxRead, boxReadLatency}, 3, 3);
  engine::resultTables.table[0][75] = 1;   // cleared by the run
  ASSERT_EQ(engine::runTest(), engine::RunStatus::done);
  for (int t = 0; t < engine::tableCount; ++t) EXPECT_EQ(measuredCodes(t), "none") << t;
  EXPECT_NE(engine::summaryValues.memLatency, 0u);
  EXPECT_EQ(std::string(fieldText(fieldMemorySpeed)).rfind("Latency: ", 0), 0u);
  // No bandwidth value: after the run the lines say so instead of "Testing...".
  EXPECT_STREQ(fieldText(fieldMaxBandwidth), "Not Tested");
  EXPECT_STREQ(fieldText(fieldMinBandwidth), "Not Tested");
  EXPECT_EQ(memoryPanel.progressCount, 1u);
}

TEST_F(RunTest, RangeDownwardsIncludesBothEnds) {
  // With the two boxes that only the run reads: "Copy to itself" and "4x Iterations".
  choose({boxCopy, boxCopyToItself, boxIterations}, 1, 0);
  ASSERT_EQ(engine::runTest(), engine::RunStatus::done);
  EXPECT_EQ(measuredCodes(engine::tableCopy), "0..25 (26)");
  EXPECT_EQ(engine::runParameters.copyToItself, 1u);
  EXPECT_EQ(engine::runParameters.iterationShift, 2u);
  EXPECT_EQ(engine::runParameters.startCode, 25u);
  EXPECT_EQ(engine::runParameters.endCode, 0u);
  EXPECT_EQ(memoryPanel.lastProgress.sizeCode, 0u);   // the last point measured
}

TEST_F(RunTest, ReadLatencyOnly) {
  choose({boxReadLatency}, 0, 1);
  setListSelection(listLatencyStep, 7);   // 512 bytes
  ASSERT_EQ(engine::runTest(), engine::RunStatus::done);
  EXPECT_EQ(engine::runParameters.latencyStep, 512u);
  EXPECT_EQ(measuredCodes(engine::tableReadLatency), "0..25 (26)");
  for (int t = 0; t < engine::tableReadLatency; ++t) EXPECT_EQ(measuredCodes(t), "none") << t;
  // The latency scale comes from 16 MB, whatever the range: at least a cache hit's latency.
  EXPECT_GT(engine::chartScales.chartMaxLatency, 0u);
  EXPECT_STREQ(fieldText(fieldMaxBandwidth), "Not Tested");
}

// A processor without SSE: its summary values stay 0 and no SSE kernel runs, even when the
// SSE box is checked behind the option rules' back.
TEST_F(RunTest, WithoutSseNoSseKernelRuns) {
  const cpu::CpuInfo saved = cpu::cpuInfo;
  cpu::cpuInfo.hasSse = false;
  engine::summaryValues = {};
  choose({boxRead}, 0, 1);
  setBoxChecked(boxSseRead, true);
  const engine::RunStatus status = engine::runTest();
  cpu::cpuInfo = saved;

  ASSERT_EQ(status, engine::RunStatus::done);
  EXPECT_EQ(engine::summaryValues.sseReadRate, 0u);
  EXPECT_EQ(engine::summaryValues.sseWriteRate, 0u);
  EXPECT_NE(engine::summaryValues.memReadRate, 0u);
  EXPECT_EQ(measuredCodes(engine::tableSseRead), "none");
  EXPECT_EQ(measuredCodes(engine::tableRead), "0..25 (26)");
  EXPECT_EQ(memoryPanel.lastProgress.pointsTotal, 26u);
}

// Memory Walk: every block size from 4 KB to 16 MB whatever the lists say, the curve on the
// latency scale in its own colour, the matrix, and no bandwidth line.
TEST_F(RunTest, MemoryWalkCoversAllSizesAndTheMatrix) {
  choose({}, 3, 4);   // a range the walk ignores
  setListSelection(listWalkStep, 0);
  clickBox(boxMemoryWalk);
  ASSERT_EQ(engine::runTest(), engine::RunStatus::done);

  EXPECT_EQ(engine::runParameters.startCode, 0u);
  EXPECT_EQ(engine::runParameters.endCode, 300u);
  EXPECT_EQ(engine::runParameters.latencyStep, 4u);
  EXPECT_EQ(measuredCodes(engine::tableWalk), "0..300 (301)");
  for (int t = 0; t <= engine::tableReadLatency; ++t) EXPECT_EQ(measuredCodes(t), "none") << t;
  // The matrix: the first cell (3,584 bytes, step 4) is measured; nothing lies past cell 237.
  const uint32_t* matrix = engine::resultTables.table[engine::tableWalkMatrix];
  EXPECT_NE(matrix[0], 0u);
  EXPECT_EQ(engine::pointRuns.runs[engine::tableWalk][0], 2u);   // first points: two runs
  EXPECT_EQ(engine::pointRuns.runs[engine::tableWalkMatrix][0], 2u);
  for (uint32_t c = 238; c < engine::sizeCodeCount; ++c) EXPECT_EQ(matrix[c], 0u) << c;

  EXPECT_GT(engine::chartScales.chartMaxLatency, 0u);
  EXPECT_STREQ(fieldText(fieldMaxBandwidth), "Not Tested");
  EXPECT_STREQ(fieldText(fieldMinBandwidth), "Not Tested");
  EXPECT_EQ(std::string(fieldText(fieldMemorySpeed)).rfind("Latency: ", 0), 0u);
  EXPECT_STREQ(chart::axisLabels.xAxis[0].text, "Step");
  EXPECT_STREQ(chart::axisLabels.xAxis[1].text, "   4");
  EXPECT_EQ(memoryPanel.lastProgress.pointsTotal, 301u);
  EXPECT_EQ(memoryPanel.lastProgress.pointsDone, 301u);

  // The live curve crosses the whole width in the Memory Walk colour.
  const chart::Colour orange = dialogs::colourTable[dialogs::slotMemoryWalk];
  bool left = false, right = false;
  for (int y = 70; y <= 326; ++y) {
    left |= chart::pixelAt(chart::canvas, 72, y) == orange;
    right |= chart::pixelAt(chart::canvas, 453, y) == orange;
  }
  EXPECT_TRUE(left);
  EXPECT_TRUE(right);
}

// Equal block-size lists skip the per-size part in Memory Walk mode too: the walk's range of
// 0..300 is never set and nothing is measured.
TEST_F(RunTest, MemoryWalkWithEqualListsMeasuresOnlyTheSummary) {
  choose({}, 5, 5);
  clickBox(boxMemoryWalk);
  ASSERT_EQ(engine::runTest(), engine::RunStatus::done);
  EXPECT_EQ(engine::runParameters.startCode, 125u);
  EXPECT_EQ(engine::runParameters.endCode, 125u);
  for (int t = 0; t < engine::tableCount; ++t) EXPECT_EQ(measuredCodes(t), "none") << t;
  EXPECT_STREQ(fieldText(fieldMaxBandwidth), "Not Tested");
  EXPECT_EQ(engine::runParameters.latencyStep, 16u);   // the walk list's "16"
}

} // namespace
