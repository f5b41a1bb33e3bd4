// Number writers: digits written in place into fixed-width fields of text templates, with
// blanks for leading zeros and a comma as the decimal separator. No terminator is written;
// each writer returns its character count, which exceeds the field only for values too wide
// for it (a fast cache read at over 100,000 MB/s, a latency of 1,000 cycles and more).
#include "chart/text/format.h"

namespace text {

namespace {

// Writes value in base (2..16) with at least minDigits digits, most significant first.
// Zero with minDigits 0 writes nothing, so an empty high part of a split field stays empty.
int writeDigits(char* dest, uint32_t value, unsigned base, int minDigits) {
  if (base < 2 || base > 16) return 0;   // no digits to write them with
  char reversed[32];
  int count = 0;
  while (count < minDigits || value != 0) {
    reversed[count++] = digitChar(value % base);
    value /= base;
    if (count == static_cast<int>(sizeof reversed)) break;  // minDigits beyond any field
  }
  for (int i = 0; i < count; ++i) dest[i] = reversed[count - 1 - i];
  return count;
}

} // namespace

char digitChar(unsigned value) {
  return value < 10 ? static_cast<char>('0' + value) : static_cast<char>('A' + (value - 10));
}

int formatDigits(char* dest, uint32_t value, unsigned base, int minDigits) {
  return writeDigits(dest, value & 0xFFFFu, base, minDigits);
}

int formatHex(char* dest, uint32_t value, int minDigits) {
  return formatDigits(dest, value, 16, minDigits);
}

// The whole 32-bit value: the sizes, dates and labels written here are all below 65536, but a
// caller handing over a wider value gets its true digits rather than those of its low half.
int formatShortDecimal(char* dest, uint32_t value, int minDigits) {
  return writeDigits(dest, value, 10, minDigits);
}

int formatDecimal(char* dest, uint32_t value, int width) {
  return writeDigits(dest, value, 10, width);
}

// The integer part gets intDigits places, or as many as it needs when it is wider; with
// intDigits 0 and a value below 100 no integer digit is written (",05").
int formatFixed2(char* dest, uint32_t value, int intDigits) {
  const uint32_t whole = value / 100;
  const uint32_t cents = value % 100;
  int count = writeDigits(dest, whole, 10, intDigits);
  dest[count] = ',';
  dest[count + 1] = digitChar(cents / 10);
  dest[count + 2] = digitChar(cents % 10);
  // The comma ends the blanking, so the units digit is kept and nothing beyond the field moves.
  for (int i = 0; i + 1 < count && dest[i] == '0'; ++i) dest[i] = ' ';
  return count + 3;
}

void blankLeadingZeros(char* textStart) {
  char* p = textStart;
  while (p[0] == '0' && p[1] >= '0' && p[1] <= '9') *p++ = ' ';
}

const char* skipLeadingFill(const char* textStart, unsigned count) {
  const char* p = textStart;
  unsigned passed = 0;
  while ((*p == ' ' || *p == '0') && (count == 0 || passed < count)) {
    ++p;
    ++passed;
  }
  return p;
}

} // namespace text
