// The CSV table. Unmeasured entries are empty fields, so a spreadsheet shows gaps rather than
// zeros; the stride column is recomputed from the current step and is filled on every line.
#include "report/csv_report.h"

#include <cassert>
#include <vector>

#include "chart/text/format.h"
#include "engine/latency/latency.h"
#include "engine/run/results.h"
#include "engine/run/run_extras.h"
#include "engine/run/series.h"
#include "engine/size_codes.h"
#include "engine/working_memory.h"
#include "platform/files.h"
#include "report/report.h"
#include "report/report_text.h"

namespace report {

namespace {

constexpr const char csvFailure[] = "Couldn't create CSV file.";

// A count in an eight-digit field with its leading zeros dropped ("4096", "16777216").
void appendPlainNumber(uint32_t value) {
  char field[16];
  field[text::formatDecimal(field, value, 8)] = 0;
  text::appendText(text::skipLeadingFill(field, 8));
}

// The window's tables up to 16 MB, the command line's series past it.
uint32_t entry(int table, engine::SizeCode c) {
  return c <= engine::maxSizeCode ? engine::resultTables.table[table][c]
                                  : engine::seriesResults.point[table][c].median;
}

// The command line's extra kernels that hold a value: their columns follow the Memory Walk.
uint32_t measuredExtraColumns(bool (&measured)[engine::extraKernelCount]) {
  uint32_t count = 0;
  for (uint32_t k = 0; k < engine::extraKernelCount; ++k) {
    measured[k] = false;
    for (const engine::SeriesPoint& p : engine::extraTables.point[k]) measured[k] |= p.median != 0;
    count += measured[k] ? 1 : 0;
  }
  return count;
}

void appendHeader(const bool (&measured)[engine::extraKernelCount], uint32_t extraColumns) {
  text::appendText(csvHeader);
  if (extraColumns == 0) return;
  text::outputCursor.position -= 2;   // the header's CR LF goes after the extra names
  for (uint32_t k = 0; k < engine::extraKernelCount; ++k) {
    if (!measured[k]) continue;
    text::appendText(";");
    text::appendText(engine::extraKernelTable[k].csvLabel);
  }
  text::appendText("\r\n");
}

} // namespace

char* csvBuffer() {
  bool measured[engine::extraKernelCount];
  const uint32_t extra = measuredExtraColumns(measured);
  if (extra == 0) return engine::workingMemory.reportBuffer + engine::reportBufferHalf;
  // 16 bytes hold any value of a column and its separator.
  static std::vector<char> wide;
  wide.assign(engine::reportBufferHalf + extra * engine::runCodeCount * 16 + 256, 0);
  return wide.data();
}

uint32_t buildCsvText(char* destination, engine::SizeCode lastCode) {
  assert(lastCode <= engine::maxRunCode);
  text::outputCursor.position = destination;
  bool measured[engine::extraKernelCount];
  appendHeader(measured, measuredExtraColumns(measured));
  const uint32_t step = engine::runParameters.latencyStep;
  for (engine::SizeCode c = 0; c <= lastCode; ++c) {
    appendPlainNumber(4 * engine::blockDwords(c));
    text::appendText(";");
    for (int t = engine::tableRead; t <= engine::tableReadLatency; ++t) {
      appendCsvValue(entry(t, c));
      text::appendText(";");
    }
    text::appendText(";");
    appendPlainNumber(engine::walkStride(c, step));
    text::appendText(";");
    appendCsvValue(entry(engine::tableWalk, c));
    text::appendText(";");
    for (uint32_t k = 0; k < engine::extraKernelCount; ++k) {
      if (!measured[k]) continue;
      appendCsvValue(engine::extraTables.point[k][c].median);
      text::appendText(";");
    }
    text::appendText("\r\n");
  }
  *text::outputCursor.position = 0;
  return static_cast<uint32_t>(text::outputCursor.position - destination);
}

bool writeCsvReport(const char* fileName, engine::SizeCode lastCode) {
  char* const text = csvBuffer();
  const uint32_t length = buildCsvText(text, lastCode);
  if (platform::replaceFile(fileName, platform::FileShare::readWrite, text, length)) return true;
  showFileFailure(csvFailure, fileName, platform::lastFileErrorText());
  return false;
}

} // namespace report
