// Number parsing: digits in bases 2, 10 and 16 read from the right, an optional sign and a
// base suffix ('H', 'B', 'D'), and the scanner that takes the colour values of the settings
// text one line start at a time.
#include "chart/text/format.h"

namespace text {

namespace {

constexpr char carriageReturn = '\r';
constexpr char lineFeed = '\n';
// A colour value is six hexadecimal digits: the low 24 bits of a COLORREF.
constexpr int colourDigits = 6;

bool startsColourValue(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// Copies the six value characters behind a line start into "XXXXXXH" and parses it as
// hexadecimal. A text that ends inside the six stops the copy at its NUL, so the scan never
// reads past the data it was given.
ColourScan takeColourValue(const char* lineStart) {
  char scratch[colourDigits + 2];
  int taken = 0;
  while (taken < colourDigits && lineStart[taken] != '\0') {
    scratch[taken] = lineStart[taken];
    ++taken;
  }
  scratch[taken] = 'H';
  scratch[taken + 1] = '\0';
  ColourScan scan;
  scan.found = true;
  scan.colour = parseNumber(scratch).value;
  scan.next = lineStart + taken;
  return scan;
}

} // namespace

int digitValue(char c, unsigned base) {
  int value = -1;
  if (c >= '0' && c <= '9') value = c - '0';
  else if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  if (value < 0 || static_cast<unsigned>(value) >= base) return -1;
  return value;
}

ParsedValue parseDigits(const char* first, const char* last, unsigned base) {
  ParsedValue result;
  uint32_t place = 1;
  for (const char* p = last; p != first;) {
    const int digit = digitValue(*--p, base);
    if (digit < 0) {
      result.invalid = true;
      break;
    }
    result.value += static_cast<uint32_t>(digit) * place;
    place *= base;
  }
  return result;
}

BaseSuffix baseSuffix(const char* first, const char* last) {
  if (first == last) return {10, last};
  switch (last[-1]) {
    case 'H': return {16, last - 1};
    case 'B': return {2, last - 1};
    case 'D': return {10, last - 1};
    default: return {10, last};
  }
}

ParsedValue parseNumber(char* textStart) {
  upperCase(textStart);
  const char* first = textStart;
  const char* last = textStart + textLength(textStart);
  if (first == last) return {};
  const bool negative = *first == '-';
  if (negative) ++first;
  const BaseSuffix suffix = baseSuffix(first, last);
  ParsedValue result = parseDigits(first, suffix.digitsEnd, suffix.base);
  if (negative) result.value = 0u - result.value;
  return result;
}

// A line start is the character after a CR LF just passed, by this scan or by the value taken
// before it (a short value line takes its own line end). The scan ends at the NUL of the text or
// at a '[' anywhere, the header of the next section.
ColourScan nextColourValue(const char* position) {
  const char* p = position;
  while (*p != '\0' && *p != '[') {
    if (startsColourValue(*p) && p[-1] == lineFeed && p[-2] == carriageReturn) {
      return takeColourValue(p);
    }
    ++p;
  }
  ColourScan failed;
  failed.next = p;
  return failed;
}

} // namespace text
