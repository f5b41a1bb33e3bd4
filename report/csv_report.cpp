// The CSV table. Unmeasured entries are empty fields, so a spreadsheet shows gaps rather than
// zeros; the stride column is recomputed from the current step and is filled on every line.
#include "report/csv_report.h"

#include "chart/text/format.h"
#include "engine/latency.h"
#include <cassert>

#include "engine/results.h"
#include "engine/series.h"
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

} // namespace

uint32_t buildCsvText(char* destination, engine::SizeCode lastCode) {
  assert(lastCode <= engine::maxRunCode);
  text::outputCursor.position = destination;
  text::appendText(csvHeader);
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
    text::appendText(";\r\n");
  }
  *text::outputCursor.position = 0;
  return static_cast<uint32_t>(text::outputCursor.position - destination);
}

bool writeCsvReport(const char* fileName, engine::SizeCode lastCode) {
  char* const text = engine::workingMemory.reportBuffer + engine::reportBufferHalf;
  const uint32_t length = buildCsvText(text, lastCode);
  if (platform::replaceFile(fileName, platform::FileShare::readWrite, text, length)) return true;
  showFileFailure(csvFailure, fileName, platform::lastFileErrorText());
  return false;
}

} // namespace report
