// Number and text routines over byte buffers: fixed-width number writers for the templates of
// the window, the reports and the settings file, the append cursor, and the number parser.
// Texts are Windows-1252 bytes. The writers write no terminator; they return how many
// characters they wrote, which is the field width unless the value needs more digits than the
// field has (then the field grows to the left: the caller gets exactly the digits needed).
#pragma once
#include <cstdint>

namespace text {

// '0'..'9' for 0..9, 'A'..'F' for 10..15.
char digitChar(unsigned value);
// Value of '0'..'9' / 'A'..'F' below base, or -1 for any other character (lower case too).
int digitValue(char c, unsigned base);

struct ParsedValue {
  uint32_t value = 0;   // modulo 2^32; for parseNumber the two's-complement signed value
  bool invalid = false; // an invalid character stopped the scan (digits right of it kept)
};
// Digits in [first, last), read from the right.
ParsedValue parseDigits(const char* first, const char* last, unsigned base);

// Digits of value's low 16 bits, at least minDigits of them ('0'-padded); returns the count.
int formatDigits(char* dest, uint32_t value, unsigned base, int minDigits);
int formatHex(char* dest, uint32_t value, int minDigits);
int formatShortDecimal(char* dest, uint32_t value, int minDigits);
// value right-aligned with leading '0's in width characters (width 1..10).
int formatDecimal(char* dest, uint32_t value, int width);
// Hundredths as "  12,34": integer part right-aligned in intDigits places behind blanks,
// comma, two decimals; intDigits + 3 characters when the value fits.
int formatFixed2(char* dest, uint32_t value, int intDigits);
// Leading '0's that are followed by a digit become blanks; stops at the NUL.
void blankLeadingZeros(char* textStart);
// Position after at most count (0: no limit) leading blanks and '0's.
const char* skipLeadingFill(const char* textStart, unsigned count);

unsigned textLength(const char* textStart);
void upperCase(char* textStart);

struct BaseSuffix {
  unsigned base;
  const char* digitsEnd;
};
// 'H' 16, 'B' 2, 'D' 10 as last character (digits end before it); else base 10.
BaseSuffix baseSuffix(const char* first, const char* last);
// Upper-cases in place; optional '-'; base suffix.
ParsedValue parseNumber(char* textStart);

struct ColourScan {
  bool found = false;
  uint32_t colour = 0;   // COLORREF
  const char* next = nullptr;
};
// Next six-character hexadecimal value at a line start before a NUL or '['.
ColourScan nextColourValue(const char* position);

// The append cursor of the text buffer reports and the settings file are assembled in.
struct OutputCursor {
  char* position = nullptr;
};
extern OutputCursor outputCursor;
void appendText(const char* textStart);           // copies without the NUL, advances the cursor
void appendBytes(const char* bytes, unsigned count);

// The checked-box counter of the legend and the report.
extern uint32_t checkedCount;
void countChecked(uint32_t checkState);           // +1 when the low byte is non-zero

} // namespace text
