// The Start command. Order of a run: busy and raised priority; the swapping check; the summary
// values at 16 MB (and the latency at 32 MB); the tables cleared; each checked bandwidth test
// over the block-size range, then Read Latency, then Memory Walk, each point measured steadily
// (engine/steady_point.h), then plotted at once and stored; priority back; the extremes and the
// two extreme lines. Plotting and storing happen between the timed measurements, never inside one.
#include "engine/run.h"

#include "app/option_rules.h"
#include "app/panel.h"
#include "chart/axes.h"
#include "chart/curves.h"
#include "chart/frame.h"
#include "chart/result_lines.h"
#include "cpu/cpu_info.h"
#include "dialogs/colour_table.h"
#include "engine/kernels.h"
#include "engine/latency.h"
#include "engine/run_extras.h"
#include "engine/walk.h"
#include "engine/run_summary.h"
#include "engine/size_codes.h"
#include "engine/steady_point.h"
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

// Points a run will measure, for the progress display.
uint32_t plannedPoints(bool walk) {
  const RunParameters& rp = runParameters;
  if (rp.startCode == rp.endCode) return 0;
  if (walk) return sizeCodeCount;
  uint32_t series = 0;
  for (uint32_t t = 1; t <= testCount; ++t) series += testSelected(t) ? 1 : 0;
  for (uint32_t k = 0; k < extraKernelCount; ++k) series += extraSelected(k) ? 1 : 0;
  if (app::boxChecked(app::boxReadLatency)) ++series;
  return series * pointsInRange(rp.startCode, rp.endCode);
}

struct Progress {
  app::RunProgress shown;
  void point(const char* label, uint32_t code) {
    shown.testLabel = label;
    shown.sizeCode = code;
    ++shown.pointsDone;
    app::showRunProgress(shown);
  }
};

// One bandwidth series: every code of the range, plotted and stored.
void bandwidthSeries(uint32_t testNumber, Progress& progress) {
  const RunParameters& rp = runParameters;
  const int table = static_cast<int>(testNumber - 1);
  chart::resetPlotPoint();
  measureSeries(
      rp.startCode, rp.endCode,
      [&](uint32_t code) {
        return runExtras.threads > 1 ? measureBandwidth(kernelTable[testNumber - 1].function, code)
                                     : runBandwidthKernel(testNumber, code);
      },
      [&](uint32_t code, const SteadyPoint& point) {
        chart::plotLivePoint(colourOf(table), chart::Scale::bandwidth, point.rate, code);
        resultTables.table[table][code] = point.rate;
        recordRuns(table, code, point);
        progress.point(chart::testLabel(testNumber), code);
      });
}

// One extra kernel's series, in its own table; not plotted, the window's chart has no curve
// for it.
void extraSeries(uint32_t index, Progress& progress) {
  const ExtraKernelInfo& kernel = extraKernelTable[index];
  measureSeries(
      runParameters.startCode, runParameters.endCode,
      [&](uint32_t code) { return measureBandwidth(kernel.function, code); },
      [&](uint32_t code, const SteadyPoint& point) {
        extraTables.table[index][code] = point.rate;
        extraTables.remeasured[index][code] = point.remeasured;
        progress.point(kernel.label, code);
      });
}

// A latency point in cycles: the highest rate a point kept is its lowest latency.
void keepLatencyPoint(int table, int slot, uint32_t code, const SteadyPoint& point) {
  const uint32_t v = cyclesFromRate(point.rate, 32);
  chart::plotLivePoint(colourOf(slot), chart::Scale::latency, v, code);
  resultTables.table[table][code] = v;
  recordRuns(table, code, point);
}

void readLatencySeries(Progress& progress) {
  RunParameters& rp = runParameters;
  chartScales.chartMaxLatency = cyclesFromRate(readLatency(largestCode), 32);
  chart::setLatencyAxis(chartScales.chartMaxLatency, app::checkedBoxes());
  app::updatePanel();
  chart::resetPlotPoint();
  measureSeries(rp.startCode, rp.endCode, readLatency,
                [&](uint32_t code, const SteadyPoint& point) {
                  keepLatencyPoint(tableReadLatency, dialogs::slotReadLatency, code, point);
                  progress.point("Read Latency", code);
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
  measureSeries(0, largestCode, walkLatency, [&](uint32_t code, const SteadyPoint& point) {
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
  rp.copyToItself = app::boxChecked(app::boxCopyToItself) ? 1 : 0;
  resultTables = {};
  pointRuns = {};
  extraTables = {};
  app::updatePanel();

  Progress progress;
  progress.shown.pointsTotal = plannedPoints(walk);
  if (rp.startCode != rp.endCode) {
    for (uint32_t t = 1; t <= testCount; ++t) {
      if (testSelected(t)) bandwidthSeries(t, progress);
    }
    for (uint32_t k = 0; k < extraKernelCount; ++k) {
      if (extraSelected(k)) extraSeries(k, progress);
    }
    if (app::boxChecked(app::boxReadLatency)) readLatencySeries(progress);
    if (walk) memoryWalkSeries(progress);
  }
  restorePriority();
  runExtremes = findExtremes(resultTables);
  showExtreme(app::fieldMaxBandwidth, runExtremes.overallMax);
  showExtreme(app::fieldMinBandwidth, runExtremes.overallMin);
  app::setPanelBusy(false);
  return RunStatus::done;
}

} // namespace engine
