// --report, --open and --csv after a measurement: the report set exactly as the window's Report
// command writes it from the same run (the Memory Walk form after a Memory Walk run), and the
// CSV table alone to a named file or to standard output.
#include <algorithm>
#include <cstdio>
#include <string>

#include "app/option_rules.h"
#include "app/panel_memory.h"
#include "chart/canvas.h"
#include "chart/frame.h"
#include "cli/console.h"
#include "cli/modes.h"
#include "engine/run/series.h"
#include "engine/working_memory.h"
#include "platform/files.h"
#include "report/csv_report.h"
#include "report/report.h"

namespace cli {

namespace {

constexpr const char csvFailure[] = "Couldn't create CSV file.";

// A report failure as one line: the program, the message, then the file and the system's
// reason. The message is the program's Windows-1252 text; name and reason are the system's own
// bytes and go out as they are.
void printReportFailure(const char* text) {
  const report::ReportFailure& failure = report::lastReportFailure;
  std::string line = "tidewell32: " + utf8FromWindows1252(text);
  if (!failure.fileName.empty()) line += " (" + failure.fileName + ": " + failure.reason + ")";
  std::fprintf(stderr, "%s\n", line.c_str());
  std::fflush(stderr);
}

// The table alone; "-" is standard output. Returns false when it could not be written.
bool writeCsvOnly(const std::string& path) {
  // One line per block size of the run's range past 16 MB as well.
  const engine::RunRequest& r = engine::runRequest;
  const uint32_t largest = r.ownRange ? std::max(r.startCode, r.endCode) : 0;
  const engine::SizeCode lastCode = std::max<uint32_t>(largest, engine::maxSizeCode);
  if (path != "-") {
    if (!report::writeCsvReport(path.c_str(), lastCode)) return false;
    printLine(stdout, path.c_str());
    return true;
  }
  char* const text = report::csvBuffer();
  const uint32_t length = report::buildCsvText(text, lastCode);
  // The bytes go out unchanged (CR LF line ends, Windows-1252), as in the file, after whatever
  // the run printed before them.
  const bool ok = flushStandardOutput() && platform::writeStandardOutput(text, length);
  if (!ok) report::showFileFailure(csvFailure, "standard output", platform::lastFileErrorText());
  return ok;
}

// The chart as the window would show it after the run: a repaint from the result tables with
// the boxes as the run left them, so the picture has frames, axes and every checked curve.
void repaintChart() {
  if (chart::canvas.width == 0)
    chart::resizeCanvas(chart::canvas, chart::clientWidth, chart::clientHeight, 0);
  chart::paintMainWindow(chart::canvas, app::checkedBoxes());
}

// The three names of the set, one a line, for the files that were written; on standard error
// when standard output carries the CSV table.
void printReportNames(const report::ReportOutcome& outcome, std::FILE* stream) {
  if (outcome.pageWritten) printLine(stream, report::reportFiles.pageName);
  if (outcome.pictureWritten) printLine(stream, report::reportFiles.pictureName);
  if (outcome.tableWritten) printLine(stream, report::reportFiles.tableName);
}

} // namespace

int writeRequestedReports(const CliOptions& options) {
  if (!options.report && options.csvPath.empty()) return exitOk;
  report::lastReportFailure = {};
  if (engine::workingMemory.reportBuffer == nullptr) {
    printReportFailure("Couldn't create HTML file.");
    return exitReportFailed;
  }
  auto* const previousSink = app::memoryPanel.errorSink;
  app::memoryPanel.errorSink = printReportFailure;

  bool ok = true;
  if (options.report) {
    repaintChart();
    const report::ReportOutcome outcome = report::runReport(options.openReport);
    printReportNames(outcome, options.csvPath == "-" ? stderr : stdout);
    ok = outcome.pageWritten && outcome.pictureWritten && outcome.tableWritten;
  }
  if (!options.csvPath.empty()) ok = writeCsvOnly(options.csvPath) && ok;

  app::memoryPanel.errorSink = previousSink;
  return ok ? exitOk : exitReportFailed;
}

} // namespace cli
