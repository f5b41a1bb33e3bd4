// A measurement run as the window's Start command does it: the start-up checks, the same
// preparation as the main window's creation (settings, controls with the initial test choice,
// clock, processor text, peak estimate and axes), the choices of the command line as clicks
// on the in-memory panel, the run, then the four result lines as the window shows them.
#include <algorithm>
#include <cstdio>
#include <string>

#include "app/clock_and_scale.h"
#include "app/option_rules.h"
#include "app/panel_memory.h"
#include "app/startup.h"
#include "chart/axes.h"
#include "chart/canvas.h"
#include "chart/frame.h"
#include "cli/compare.h"
#include "cli/console.h"
#include "cli/core_placement.h"
#include "cli/json_output.h"
#include "cli/level_summary.h"
#include "cli/measure_panel.h"
#include "cli/modes.h"
#include "cli/page.h"
#include "cli/progress.h"
#include "cli/result_table.h"
#include "cli/steadiness.h"
#include "cpu/core_types.h"
#include "cpu/cpu_info.h"
#include "cpu/vector_features.h"
#include "dialogs/settings.h"
#include "engine/core_clock.h"
#include "engine/run/host_check.h"
#include "engine/run/results.h"
#include "engine/run/run.h"
#include "engine/run/run_extras.h"
#include "engine/threads.h"
#include "engine/working_memory.h"
#include "platform/memory.h"

namespace cli {
namespace {

// Captions of the four result lines, in window order.
constexpr const char* fieldCaptions[app::panelFieldCount] = {
    "Processor:", "Memory Speed:", "Maximal Bandwidth:", "Minimal Bandwidth:"};

void printError(const char* text) {
  const std::string line = std::string("tidewell32: ") + utf8FromWindows1252(text);
  std::fprintf(stderr, "%s\n", line.c_str());
}

// What the window's creation does after its checks and controls: the clock, the processor
// text, the top of the bandwidth axis, and the chart as the window first shows it.
void prepareChart(bool coreClockWanted) {
  app::prepareClockAndScale();
  if (coreClockWanted) engine::measureCoreClock();   // the JSON's core clock and cycles
  const uint32_t checked = app::checkedBoxes();
  if (app::boxChecked(app::boxMemoryWalk)) {
    chart::setStepAxis(engine::runParameters.latencyStep);
  } else {
    chart::setBlockSizeAxis(4);
  }
  app::setFieldText(app::fieldProcessor, cpu::cpuInfo.processorText);
  chart::paintMainWindow(chart::canvas, checked);
}

}  // namespace

bool reserveWorkingMemory(const CliOptions& options, uint32_t threads) {
  const std::size_t testBytes = workingBytesFor(options);
  const uint64_t threadBytes = threadBytesFor(options, threads);
  const std::size_t held = engine::workingMemory.testAllocationSize;
  // The test allocation is replaced only when it grows; the threads' areas come on top.
  const uint64_t needed = uint64_t(std::max(testBytes, held)) + threadBytes;
  const uint64_t available = platform::freePhysicalBytes() + held;
  engine::ReserveStatus status = engine::ReserveStatus::shortOfMemory;
  if (available >= needed + engine::systemReserveBytes) {
    status = engine::reserveTestAllocation(testBytes);
    if (status == engine::ReserveStatus::ok && threads > 1 &&
        !engine::prepareThreadAreas(threads,
                                    static_cast<std::size_t>(threadBytes / (threads - 1)))) {
      engine::freeThreadAreas();
      status = engine::ReserveStatus::refused;
    }
  }
  if (status == engine::ReserveStatus::ok) return true;
  const std::string line = memoryShortLine(
      needed, available, status == engine::ReserveStatus::refused);
  std::fprintf(stderr, "tidewell32: %s\n", line.c_str());
  return false;
}

std::string resultLineText(int field) {
  return std::string(fieldCaptions[field]) + " " +
         app::fieldText(static_cast<app::PanelField>(field));
}

namespace {

void printResultLines(std::FILE* stream) {
  for (int f = 0; f < app::panelFieldCount; ++f) printLine(stream, resultLineText(f).c_str());
}

} // namespace

int runMeasureMode(const CliOptions& options) {
  const app::StartupStatus startup = app::runStartupChecks();
  if (!startup.ok()) {
    app::reportStartupFailure(startup);
    return exitStartupFailed;
  }
  dialogs::readSettings();
  // A baseline that cannot be read is refused before anything is measured.
  StoredRun baseline;
  if (!options.baselinePath.empty() && !loadBaseline(options, baseline)) return exitUsage;
  std::string error;
  cpu::detectVectorFeatures();
  cpu::detectHybrid();
  if (!applyOptionsToPanel(options, cpu::cpuInfo.hasMmx, cpu::cpuInfo.hasSse, error) ||
      !(error = unsupportedExtraTestError(options.extraTests, cpu::vectorFeatures)).empty() ||
      !threadsFor(options, error)) {
    std::fprintf(stderr, "tidewell32: %s\n%s", error.c_str(), usageText());
    return exitUsage;
  }
  noteMixedCoreTypes(engine::runExtras.threads);
  // Blocks past 16 MB: the whole allocation is reserved and written before anything is timed.
  if (!reserveWorkingMemory(options, engine::runExtras.threads)) return exitStartupFailed;
  engine::runRequest = runRequestFor(options);
  engine::runExtras.extraKernels = options.extraTests;
  engine::hostChecks.enabled = true;
  // The JSON, the page and the baseline's comparison carry core cycles: the core clock is measured.
  prepareChart(!options.jsonPath.empty() || !options.pagePath.empty() ||
               !options.baselinePath.empty());

  app::memoryPanel.errorSink = printError;
  beginProgress();
  const engine::RunStatus status = engine::runTest();
  endProgress();
  app::memoryPanel.errorSink = nullptr;
  if (status == engine::RunStatus::swapping) return exitSwapping;

  // With the CSV table on standard output the lines go to standard error, so the table can be
  // piped on as it is.
  std::FILE* const lines = options.csvPath == "-" || options.jsonPath == "-" ? stderr : stdout;
  printResultLines(lines);
  if (options.table) {
    std::fputs("\n", lines);
    std::fputs(resultTableText().c_str(), lines);
  }
  std::string levelsTest;
  const std::vector<MeasuredLevel> measured = runLevels(levelsTest);
  const std::string levels = levelsText(measured, levelsTest);
  if (!levels.empty()) std::fprintf(lines, "\n%s", levels.c_str());
  const std::string summary = levelSummaryText(runLevelSummary(measured));
  if (!summary.empty()) std::fprintf(lines, "\n%s", summary.c_str());
  const nlohmann::json steadiness = runSteadiness();
  const std::string steady = steadinessText(steadiness);
  if (!steady.empty()) std::fprintf(lines, "\n%s", steady.c_str());
  std::fputs(hostWarningText(steadiness).c_str(), stderr);
  std::fflush(stderr);
  flushStandardOutput();   // a loss shows at the end of the program, with its reason kept
  if (options.report && std::max(options.startSizeIndex, options.endSizeIndex) > windowLastSizeIndex) {
    std::fputs("tidewell32: the report covers 4 KB to 16 MB; --table, --csv and --json hold the "
               "larger blocks\n", stderr);
  }
  const int reportStatus = writeRequestedReports(options);
  int jsonStatus = options.jsonPath.empty() ? exitOk : writeJson(options);
  if (jsonStatus == exitOk && !options.pagePath.empty()) {
    jsonStatus = writePage(options.pagePath, {nlohmann::json::parse(jsonText(options, utcNow()))});
    if (jsonStatus == exitOk) printLine(lines, options.pagePath.c_str());
  }
  if (reportStatus != exitOk || jsonStatus != exitOk) return reportStatus != exitOk ? reportStatus : jsonStatus;
  return options.baselinePath.empty() ? exitOk : checkAgainstBaseline(options, baseline);
}

} // namespace cli
