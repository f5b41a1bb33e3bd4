// The report page: the summary (date, operating system, processor, the memory bandwidth of each
// transfer width and the peak), the chart picture, and either the bandwidth table of the thirteen
// power-of-two block sizes or the Memory Walk table of 14 block sizes by 17 steps.
#include <cstring>

#include "app/panel.h"
#include "chart/text/format.h"
#include "engine/run/results.h"
#include "engine/timer.h"
#include "engine/working_memory.h"
#include "report/html_pieces.h"
#include "report/report.h"
#include "report/report_text.h"

namespace report {

namespace {

using engine::resultTables;
using engine::summaryValues;

constexpr int bandwidthRows = 13;   // 4 KB .. 16 MB
constexpr int walkRows = 14;        // 4 KB .. 32 MB nominal
constexpr int walkColumns = 17;     // steps 4 bytes .. 256 KB
constexpr const char monthNames[] = "JanFebMarAprMayJunJulAugSepOctNovDec";

// "dd-Mon-yyyy at hh:mm:ss" followed by the OS label, from the command's local time.
void appendDateLine(const platform::LocalTime& t) {
  char piece[sizeof pieces::dateAndOsLabel];
  std::memcpy(piece, pieces::dateAndOsLabel, sizeof piece);
  text::formatShortDecimal(piece, t.day, 2);
  const unsigned month = (t.month >= 1 && t.month <= 12) ? t.month - 1u : 0u;
  std::memcpy(piece + 3, monthNames + 3 * month, 3);
  text::formatShortDecimal(piece + 7, t.year, 4);
  text::formatShortDecimal(piece + 15, t.hour, 2);
  text::formatShortDecimal(piece + 18, t.minute, 2);
  text::formatShortDecimal(piece + 21, t.second, 2);
  text::appendText(piece);
}

// "Read: " R " MB/s (" cycles " Cycles), Write: " W " MB/s (" cycles " Cycles)".
void appendWidthLine(uint32_t width, uint32_t readRate, uint32_t writeRate) {
  text::appendText("Read: ");
  appendFixed2(readRate, 5);
  text::appendText(" MB/s (");
  appendFixed2(engine::cyclesFromRate(readRate, width), 3);
  text::appendText(" Cycles), Write: ");
  appendFixed2(writeRate, 5);
  text::appendText(" MB/s (");
  appendFixed2(engine::cyclesFromRate(writeRate, width), 3);
  text::appendText(" Cycles)");
}

// The width lines of the summary: one per transfer width whose read rate was measured.
void appendSummary() {
  struct WidthRates {
    const char* field;   // the four characters after "Memory "
    uint32_t width, readRate, writeRate;
  };
  const WidthRates widths[3] = {
      {" 32-", 32, summaryValues.memReadRate, summaryValues.memWriteRate},
      {" 64-", 64, summaryValues.mmxReadRate, summaryValues.mmxWriteRate},
      {"128-", 128, summaryValues.sseReadRate, summaryValues.sseWriteRate},
  };
  for (const WidthRates& w : widths) {
    if (w.readRate == 0) continue;
    char label[sizeof pieces::widthLabel];
    std::memcpy(label, pieces::widthLabel, sizeof label);
    std::memcpy(label + 10, w.field, 4);   // over "xxx-" after "<b>Memory "
    text::appendText(label);
    appendWidthLine(w.width, w.readRate, w.writeRate);
    text::appendText(pieces::lineEnd);
  }
  if (summaryValues.peakRate != 0) {
    text::appendText(pieces::peakLabel);
    appendFixed2(summaryValues.peakRate, 5);
    text::appendText(" MB/s");
    text::appendText(pieces::lineEnd);
  }
}

// The picture of the chart under the current report number.
void appendPicture() {
  char piece[sizeof pieces::picture];
  std::memcpy(piece, pieces::picture, sizeof piece);
  char* number = std::strstr(piece, "twrep_") + 6;
  std::memcpy(number, reportFiles.pictureName + 6, 2);   // the NN of "twrep_NN.bmp"
  text::appendText(piece);
}

void appendBandwidthTable() {
  text::appendText(pieces::bandwidthTableHead);
  appendBlankedNumber(engine::runParameters.latencyStep, 5);
  text::appendText(pieces::bandwidthTableHeadEnd);
  // Field order within a row: the first column holds Read, MMX Read, SSE Read, and so on.
  constexpr int rowTables[10] = {
      engine::tableRead,  engine::tableMmxRead,  engine::tableSseRead,
      engine::tableWrite, engine::tableMmxWrite, engine::tableSseWrite,
      engine::tableCopy,  engine::tableMmxCopy,  engine::tableSseCopy,
      engine::tableReadLatency};
  for (int r = 0; r < bandwidthRows; ++r) {
    const int code = 25 * r;
    text::appendText(pieces::bandwidthRow[0]);
    appendBlankedNumber(4u << r, 5);
    for (int f = 0; f < 10; ++f) {
      text::appendText(pieces::bandwidthRow[f + 1]);
      appendValueField(resultTables.table[rowTables[f]][code]);
    }
    text::appendText(pieces::bandwidthRow[11]);
  }
}

// Step labels: bytes below 1 KB, else whole KB with "K".
void appendStepLabel(uint32_t step) {
  char digits[8];
  const bool kilo = step >= 1024;
  digits[text::formatShortDecimal(digits, kilo ? step / 1024 : step, 1)] = 0;
  text::appendText(digits);
  if (kilo) text::appendText("K");
}

void appendWalkTable() {
  text::appendText(pieces::walkTableHead);
  for (int j = 0; j < walkColumns; ++j) {
    text::appendText(pieces::walkColumnStart);
    appendStepLabel(4u << j);
    text::appendText(pieces::cellEnd);
  }
  text::appendText(pieces::rowEnd);
  const uint32_t* matrix = resultTables.table[engine::tableWalkMatrix];
  for (int k = 0; k < walkRows; ++k) {
    text::appendText(pieces::walkRowStart);
    appendBlankedNumber(4u << k, 5);
    text::appendText(pieces::walkRowLabelEnd);
    for (int j = 0; j < walkColumns; ++j) {
      text::appendText(pieces::walkCellStart);
      appendValueField(matrix[k * walkColumns + j]);
      text::appendText(pieces::cellEnd);
    }
    text::appendText(pieces::rowEnd);
  }
}

} // namespace

uint32_t buildHtmlReport() {
  char* const start = engine::workingMemory.reportBuffer;
  text::outputCursor.position = start;
  text::appendText(pieces::pageHead);
  appendDateLine(reportFiles.reportTime);
  appendOsName();
  text::appendText(pieces::processorLabel);
  text::appendText(reportProcessorText());
  text::appendText(pieces::summaryStart);
  appendSummary();
  text::appendText(pieces::paragraphEnd);
  if (!app::boxChecked(app::boxMemoryWalk)) {
    text::appendText(pieces::bandwidthGraphTitle);
    appendPicture();
    appendBandwidthTable();
  } else {
    text::appendText(pieces::walkGraphTitle);
    appendPicture();
    appendWalkTable();
  }
  text::appendText(pieces::closingStart);
  text::appendText(homepageAddress);
  text::appendText(pieces::closingMiddle);
  text::appendText(creditLine);
  text::appendText(pieces::closingEnd);
  *text::outputCursor.position = 0;
  return static_cast<uint32_t>(text::outputCursor.position - start);
}

} // namespace report
