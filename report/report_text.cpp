// Number fields of the page and the table, written through the text routines into a scratch
// field and appended; the text routines widen a field rather than lose digits, so a rate above
// 99,999.99 MB/s still comes out whole.
#include "report/report_text.h"

#include "chart/text/format.h"
#include "cpu/cpu_info.h"

namespace report {

namespace {
// Wide enough for any 32-bit value in any of the report's fields.
constexpr int scratchBytes = 24;
}

void appendFixed2(uint32_t value, int intDigits) {
  char field[scratchBytes];
  field[text::formatFixed2(field, value, intDigits)] = 0;
  text::appendText(field);
}

void appendBlankedNumber(uint32_t value, int width) {
  char field[scratchBytes];
  field[text::formatDecimal(field, value, width)] = 0;
  text::blankLeadingZeros(field);
  text::appendText(field);
}

void appendValueField(uint32_t value) {
  if (value == 0) {
    text::appendText("    --- ");
    return;
  }
  appendFixed2(value, 5);
}

void appendCsvValue(uint32_t value) {
  if (value == 0) return;
  char field[scratchBytes];
  field[text::formatFixed2(field, value, 5)] = 0;
  // No count limit: the comma stops the skip, so ",50" keeps its decimals.
  text::appendText(text::skipLeadingFill(field, 0));
}

const char* reportProcessorText() { return cpu::cpuInfo.processorText; }

} // namespace report
