// Number and text routines over byte buffers: fixed-width number writers for the templates of
// the window, the reports and the settings file, the append cursor, and the number parser.
// Texts are Windows-1252 bytes. The writers write no terminator; they return how many
// characters they wrote, which is the field width unless the value needs more digits than the
// field has: then the field grows to the right, starting at dest, with exactly the digits the
// value needs. Callers whose values may be that wide leave room for it and lay out by the count.
#pragma once
#include <cstdint>

namespace text {

// Widest field any writer can produce: ten decimal digits of a 32-bit value, or
// eight integer digits, a comma and two decimals from formatFixed2.
constexpr int maxNumberChars = 11;

// '0'..'9' for 0..9, 'A'..'F' for 10..15.
char digitChar(unsigned value);
// Value of '0'..'9' / 'A'..'F' below base, or -1 for any other character (lower case too).
int digitValue(char c, unsigned base);

struct ParsedValue {
  uint32_t value = 0;   // modulo 2^32; for parseNumber the two's-complement signed value
  bool invalid = false; // an invalid character stopped the scan (digits right of it kept)
};
// Digits in [first, last), read from the right; an empty range gives 0.
ParsedValue parseDigits(const char* first, const char* last, unsigned base);

// Digits of value's low 16 bits in base 2..16, at least minDigits of them ('0'-padded);
// returns the count. A value of 0 with minDigits 0 writes nothing.
int formatDigits(char* dest, uint32_t value, unsigned base, int minDigits);
// formatDigits in base 16: low 16 bits only (a 24-bit colour needs two calls).
int formatHex(char* dest, uint32_t value, int minDigits);
// Decimal digits of the whole 32-bit value, at least minDigits of them ('0'-padded).
int formatShortDecimal(char* dest, uint32_t value, int minDigits);
// value right-aligned with leading '0's in width characters (width 1..10); a value of
// 10^width or more gets all its digits (at most 10).
int formatDecimal(char* dest, uint32_t value, int width);
// Hundredths as "  12,34": integer part right-aligned in intDigits places behind blanks
// (units digit kept when intDigits > 0), comma, two decimals; intDigits + 3 characters when
// the value is below 10^(intDigits + 2), otherwise every integer digit (at most 11 in all).
int formatFixed2(char* dest, uint32_t value, int intDigits);
// Leading '0's that are followed by a digit become blanks; stops at the NUL.
void blankLeadingZeros(char* textStart);
// Position after at most count (0: no limit) leading blanks and '0's.
const char* skipLeadingFill(const char* textStart, unsigned count);

// Characters before the NUL.
unsigned textLength(const char* textStart);
// 'a'..'z' become 'A'..'Z', up to the NUL.
void upperCase(char* textStart);

struct BaseSuffix {
  unsigned base;
  const char* digitsEnd;
};
// 'H' 16, 'B' 2, 'D' 10 as last character (digits end before it); else base 10.
BaseSuffix baseSuffix(const char* first, const char* last);
// Upper-cases in place; optional '-'; base suffix. An empty text gives 0.
ParsedValue parseNumber(char* textStart);

struct ColourScan {
  bool found = false;
  uint32_t colour = 0;   // COLORREF
  const char* next = nullptr;  // after the six value characters; where the scan stopped on failure
};
// Next six-character hexadecimal value at a line start before a NUL or '['. A line start is
// recognised by the CR LF just passed, which may lie before position: the byte before position
// is read, and the one before that when it is a LF (scans start after a '[' or a value).
ColourScan nextColourValue(const char* position);

// The append cursor of the text buffer reports and the settings file are assembled in.
// No bound is checked: the texts assembled are of known, bounded size well inside their buffer.
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
