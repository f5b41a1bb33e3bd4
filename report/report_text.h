// Small writers shared by the page and the table: numbers appended at the text cursor in the
// fixed-width fields of the report, and the texts of the page that are ours to choose.
#pragma once
#include <cstdint>

namespace report {

// The project's homepage and the credit line of the page's closing piece.
constexpr const char homepageAddress[] = "http://tidewell32.example/";
constexpr const char creditLine[] = "Tidewell 32 project";

// Hundredths with intDigits integer places, comma, two decimals; wider when the value needs it.
void appendFixed2(uint32_t value, int intDigits);
// value right-aligned in width places, leading zeros blanked; wider when the value needs it.
void appendBlankedNumber(uint32_t value, int width);
// A table cell value: "    --- " for 0 (not measured), else appendFixed2 with 5 places.
void appendValueField(uint32_t value);
// The table form of a value: appendFixed2 with 5 places without its leading blanks and zeros,
// nothing for 0 (",50" for 50, "1234,56" for 123456).
void appendCsvValue(uint32_t value);
// The one-line processor description shown in the window.
const char* reportProcessorText();

} // namespace report
