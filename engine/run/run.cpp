// The Start command. Order of a run: busy and raised priority; the swapping check; the summary
// values at 16 MB (and the latency at 32 MB); the tables cleared; each checked bandwidth test
// over the block-size range, then Read Latency, then Memory Walk, each point measured steadily
// (engine/run/steady_point.h), then plotted at once and stored; priority back; the extremes and the
// two extreme lines. Plotting and storing happen between the timed measurements, never inside one.
#include "engine/run/run.h"

#include "app/option_rules.h"
#include "app/panel.h"
#include "chart/axes.h"
#include "chart/curves.h"
#include "chart/frame.h"
#include "chart/result_lines.h"
#include "cpu/cpu_info.h"
#include "dialogs/colour_table.h"
#include "engine/kernels/kernels.h"
#include "engine/latency/latency.h"
#include "engine/run/run_extras.h"
#include "engine/latency/walk.h"
#include "engine/latency/random_chain.h"
#include "engine/run/host_check.h"
#include "engine/run/run_summary.h"
#include "engine/run/series.h"
#include "engine/size_codes.h"
#include "engine/run/steady_point.h"
#include "engine/test_area.h"
#include "engine/timer.h"
#include "engine/working_memory.h"

namespace engine {

RunExtremes runExtremes;

namespace {

constexpr uint32_t largestCode = 300;     // 16 MB

// The colour of a slot as the table holds it now (the Colors dialog may have changed it).
chart::Colour colourOf(int slot) { return dialogs::colourTable[slot]; }

// Codes a series visits: from start to end, one code at a time, both ends included.
uint32_t pointsInRange(uint32_t start, uint32_t end) {
  return (start <= end ? end - start : start - end) + 1;
}

// True when the test's box is checked and the processor can run its kernel. The option rules
// never let an MMX or SSE box be checked without the feature; a kernel run without it would
// fault, so the run does not rely on that alone.
bool testSelected(uint32_t testNumber) {
  return app::boxChecked(static_cast<app::PanelBox>(testNumber - 1)) &&
         kernelSupported(kernelTable[testNumber - 1], cpu::cpuInfo.hasMmx, cpu::cpuInfo.hasSse);
}

// True when the command line chose the extra kernel and the processor can run it.
bool extraSelected(uint32_t index) {
  return extraKernelChosen(index) &&
         extraKernelSupported(extraKernelTable[index], cpu::vectorFeatures);
}

// The codes the series run over: the block-size lists, or the command line's own range.
struct SeriesRange {
  uint32_t start = 0, end = 0;
};
SeriesRange seriesRange() {
  const RunParameters& rp = runParameters;
  return runRequest.ownRange ? SeriesRange{runRequest.startCode, runRequest.endCode}
                             : SeriesRange{rp.startCode, rp.endCode};
}

// Points a run will measure, for the progress display.
uint32_t plannedPoints(bool walk) {
  const SeriesRange range = seriesRange();
  if (range.start == range.end) return 0;
  if (walk) return sizeCodeCount * runRequest.repeatCount;
  uint32_t series = 0;
  for (uint32_t t = 1; t <= testCount; ++t) series += testSelected(t) ? 1 : 0;
  for (uint32_t k = 0; k < extraKernelCount; ++k) series += extraSelected(k) ? 1 : 0;
  if (app::boxChecked(app::boxReadLatency)) ++series;
  if (runRequest.randomLatency) ++series;
  return series * pointsInRange(range.start, range.end) * runRequest.repeatCount;
}

struct Progress {
  app::RunProgress shown;
  void point(const char* label, uint32_t code) {
    shown.testLabel = label;
    shown.sizeCode = code;
    shown.pointsDone += runRequest.repeatCount;
    app::showRunProgress(shown);
  }
};

// A series over the run's range, each point with the run's repeats.
template <typename Measure, typename Keep>
void runSeries(uint32_t start, uint32_t end, Measure measure, Keep keep) {
  measureRepeatedSeries(start, end, runRequest.repeatCount, measure, keep);
}

// Codes the window's tables, chart and reports hold; larger ones live only in seriesResults.
bool inWindowRange(uint32_t code) { return code <= largestCode; }

// One bandwidth series: every code of the range, plotted and stored.
void bandwidthSeries(uint32_t testNumber, Progress& progress) {
  const SeriesRange range = seriesRange();
  const int table = static_cast<int>(testNumber - 1);
  chart::resetPlotPoint();
  runSeries(
      range.start, range.end,
      [&](uint32_t code) {
        return runExtras.threads > 1 ? measureBandwidth(kernelTable[testNumber - 1].function, code)
                                     : runBandwidthKernel(testNumber, code);
      },
      [&](uint32_t code, const RepeatedPoint& point) {
        seriesResults.point[table][code] = {point.kept.rate, point.lowRate, point.highRate,
                                            point.kept.runs};
        if (inWindowRange(code)) {
          chart::plotLivePoint(colourOf(table), chart::Scale::bandwidth, point.kept.rate, code);
          resultTables.table[table][code] = point.kept.rate;
          recordRuns(table, code, point.kept);
        }
        progress.point(chart::testLabel(testNumber), code);
      });
}

// One extra kernel's series, in its own table; not plotted, the window's chart has no curve
// for it.
void extraSeries(uint32_t index, Progress& progress) {
  const ExtraKernelInfo& kernel = extraKernelTable[index];
  const SeriesRange range = seriesRange();
  runSeries(
      range.start, range.end, [&](uint32_t code) { return measureBandwidth(kernel.function, code); },
      [&](uint32_t code, const RepeatedPoint& point) {
        extraTables.point[index][code] = {point.kept.rate, point.lowRate, point.highRate,
                                          point.kept.runs};
        extraTables.remeasured[index][code] = point.kept.remeasured;
        progress.point(kernel.label, code);
      });
}

// A latency point in hundredths of cycles: the highest rate is the lowest latency.
SeriesPoint latencyPoint(const RepeatedPoint& point) {
  return {cyclesFromRate(point.kept.rate, 32), cyclesFromRate(point.highRate, 32),
          cyclesFromRate(point.lowRate, 32), point.kept.runs};
}

void keepLatencyPoint(int table, int slot, uint32_t code, const RepeatedPoint& point) {
  const SeriesPoint v = latencyPoint(point);
  seriesResults.point[table][code] = v;
  if (!inWindowRange(code)) return;
  chart::plotLivePoint(colourOf(slot), chart::Scale::latency, v.median, code);
  resultTables.table[table][code] = v.median;
  recordRuns(table, code, point.kept);
}

void readLatencySeries(Progress& progress) {
  const SeriesRange range = seriesRange();
  chartScales.chartMaxLatency = cyclesFromRate(readLatency(largestCode), 32);
  chart::setLatencyAxis(chartScales.chartMaxLatency, app::checkedBoxes());
  app::updatePanel();
  chart::resetPlotPoint();
  runSeries(range.start, range.end, readLatency, [&](uint32_t code, const RepeatedPoint& point) {
    keepLatencyPoint(tableReadLatency, dialogs::slotReadLatency, code, point);
    progress.point("Read Latency", code);
  });
}

// Random Latency has no curve in the window: its points go to seriesResults only.
void randomLatencySeries(Progress& progress) {
  const SeriesRange range = seriesRange();
  randomChainState = RandomChainState{};   // the other series wrote over the test area
  runSeries(range.start, range.end, randomLatency, [&](uint32_t code, const RepeatedPoint& point) {
    seriesResults.point[seriesRandomLatency][code] = latencyPoint(point);
    progress.point("Random Latency", code);
  });
}

// The walk curve and the matrix advance together, one curve point and one cell per code.
void memoryWalkSeries(Progress& progress) {
  RunParameters& rp = runParameters;
  rp.startCode = 0;
  rp.endCode = largestCode;
  chartScales.chartMaxLatency = cyclesFromRate(walkLatency(largestCode), 32);
  chart::setLatencyAxis(chartScales.chartMaxLatency, app::checkedBoxes());
  app::updatePanel();
  resetWalkState();
  chart::resetPlotPoint();
  runSeries(0, largestCode, walkLatency, [&](uint32_t code, const RepeatedPoint& point) {
    keepLatencyPoint(tableWalk, dialogs::slotMemoryWalk, code, point);
    walkCell();
    progress.point("Memory Walk", code);
  });
}

// Step 6 of a run: the fields and the axes for the kind of run the panel asks for.
void prepareFieldsAndAxes(bool walk) {
  RunParameters& rp = runParameters;
  app::setFieldText(app::fieldMemorySpeed, "Testing...");
  if (!walk) {
    app::setFieldText(app::fieldMaxBandwidth, "Testing...");
    app::setFieldText(app::fieldMinBandwidth, "Testing...");
    rp.latencyStep = stepFromSelection(app::listSelection(app::listLatencyStep));
    chart::setBlockSizeAxis(4);
    chart::setBandwidthAxis(chartScales.chartPeakRate, app::checkedBoxes());
  } else {
    app::setFieldText(app::fieldMaxBandwidth, "Not Tested");
    app::setFieldText(app::fieldMinBandwidth, "Not Tested");
    rp.latencyStep = stepFromSelection(app::listSelection(app::listWalkStep));
    chart::setStepAxis(rp.latencyStep);
  }
  app::updatePanel();
  chart::drawWindowPlotArea(70, 70, 384, 256, 32, 32);
}

// One extreme line into its field. Without a value (no bandwidth test, or start = end) the
// field says "Not Tested" rather than keep "Testing..." after the run has ended.
void showExtreme(app::PanelField field, const Extreme& e) {
  if (e.value == 0) {
    app::setFieldText(field, "Not Tested");
    return;
  }
  char line[chart::resultLineBytes];
  const uint32_t cycles = cyclesFromRate(e.value, chart::testCycleWidth(e.testNumber));
  chart::extremeLine(line, e.testNumber, e.value, cycles, blockDwords(e.sizeCode) / 256);
  app::setFieldText(field, line);
}

void endRun() {
  restorePriority();
  app::setPanelBusy(false);
}

} // namespace

bool swapCheck() {
  timerStart();
  touchAllocation(testAllocationBytes);
  if (rateFromElapsed(36) > swappingRateLimit) return true;
  app::showPanelError(swappingMessage);
  return false;
}

RunStatus runTest() {
  RunParameters& rp = runParameters;
  app::setPanelBusy(true);
  raisePriority();
  if (!swapCheck()) {
    endRun();
    return RunStatus::swapping;
  }
  rp.iterationShift = app::boxChecked(app::boxIterations) ? 2 : 0;
  const bool walk = app::boxChecked(app::boxMemoryWalk);
  prepareFieldsAndAxes(walk);
  app::RunProgress before;
  before.testLabel = "Summary";
  app::showRunProgress(before);
  if (!testArea.placementDone) placementSearch(cpu::cpuInfo.hasMmx);
  measureSummaryValues();
  char line[chart::resultLineBytes];
  chart::memorySpeedLine(line, summaryValues.memLatency, summaryValues.peakRate);
  app::setFieldText(app::fieldMemorySpeed, line);

  rp.endCode = codeFromSelection(app::listSelection(app::listEndSize), rp.endCode);
  rp.startCode = codeFromSelection(app::listSelection(app::listStartSize), rp.startCode);
  if (runRequest.ownRange) {
    // The window's tables, chart and reports cover the part of the range up to 16 MB.
    rp.startCode = runRequest.startCode < largestCode ? runRequest.startCode : largestCode;
    rp.endCode = runRequest.endCode < largestCode ? runRequest.endCode : largestCode;
  }
  rp.copyToItself = app::boxChecked(app::boxCopyToItself) ? 1 : 0;
  resultTables = {};
  pointRuns = {};
  extraTables = {};
  seriesResults = {};
  app::updatePanel();

  Progress progress;
  progress.shown.pointsTotal = plannedPoints(walk);
  const SeriesRange range = seriesRange();
  if (range.start != range.end) {
    checkHost("start");
    const auto after = [](const char* series) { checkHost(std::string("after ") + series, true); };
    for (uint32_t t = 1; t <= testCount; ++t) {
      if (!testSelected(t)) continue;
      bandwidthSeries(t, progress);
      after(kernelTable[t - 1].name);
    }
    bool filled = false;
    for (uint32_t k = 0; k < extraKernelCount; ++k) {
      if (!extraSelected(k)) continue;
      if (!filled) fillKernelAreasWithData();
      filled = true;
      extraSeries(k, progress);
      after(extraKernelTable[k].name);
    }
    if (app::boxChecked(app::boxReadLatency)) {
      readLatencySeries(progress);
      after("latency");
    }
    if (runRequest.randomLatency && !walk) {
      randomLatencySeries(progress);
      after("random-latency");
    }
    if (walk) memoryWalkSeries(progress);
    checkHost("end");
  }
  restorePriority();
  runExtremes = findExtremes(seriesResults);
  showExtreme(app::fieldMaxBandwidth, runExtremes.overallMax);
  showExtreme(app::fieldMinBandwidth, runExtremes.overallMin);
  app::setPanelBusy(false);
  return RunStatus::done;
}

} // namespace engine
