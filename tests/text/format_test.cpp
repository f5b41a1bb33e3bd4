// Number writers: exact field contents from worked examples, the characters around a field
// left alone, and values too wide for their field getting all their digits.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "chart/text/format.h"

namespace {

// Runs a writer on a template of '#' and returns what it wrote, checking that the returned
// count matches the characters changed and that nothing behind them was touched.
template <typename Writer>
std::string written(Writer writer) {
  char field[32];
  std::memset(field, '#', sizeof field);
  const int count = writer(field);
  EXPECT_GE(count, 0);
  EXPECT_LE(count, 16);
  for (int i = count; i < static_cast<int>(sizeof field); ++i) {
    EXPECT_EQ(field[i], '#') << "written past the field at " << i;
  }
  return std::string(field, count > 0 ? count : 0);
}

TEST(TextDigits, DigitCharacters) {
  const char* expected = "0123456789ABCDEF";
  for (unsigned v = 0; v < 16; ++v) EXPECT_EQ(text::digitChar(v), expected[v]) << v;
}

TEST(TextDigits, FormatDigitsPadsGrowsAndUsesLow16Bits) {
  struct Case { uint32_t value; unsigned base; int minDigits; const char* out; };
  const Case cases[] = {
      {0, 10, 0, ""},            // nothing at all for zero without a minimum
      {0, 10, 1, "0"},
      {7, 10, 0, "7"},
      {42, 10, 5, "00042"},
      {12345, 10, 2, "12345"},   // more digits than the minimum when needed
      {65535, 10, 0, "65535"},
      {65536, 10, 1, "0"},       // bit 16 is not looked at
      {0x12345, 16, 0, "2345"},
      {5, 2, 4, "0101"},
      {0xFFFF, 2, 0, "1111111111111111"},
      {5, 0, 1, ""},             // no base to write in: nothing, and no endless loop
      {5, 17, 1, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(written([&](char* d) { return text::formatDigits(d, c.value, c.base, c.minDigits); }),
              c.out) << c.value << " base " << c.base;
  }
}

TEST(TextDigits, HexAndShortDecimal) {
  EXPECT_EQ(written([](char* d) { return text::formatHex(d, 0xFF, 4); }), "00FF");
  EXPECT_EQ(written([](char* d) { return text::formatHex(d, 0xC0C0, 4); }), "C0C0");
  EXPECT_EQ(written([](char* d) { return text::formatHex(d, 0xA, 1); }), "A");
  EXPECT_EQ(written([](char* d) { return text::formatShortDecimal(d, 16384, 5); }), "16384");
  EXPECT_EQ(written([](char* d) { return text::formatShortDecimal(d, 4, 5); }), "00004");
  EXPECT_EQ(written([](char* d) { return text::formatShortDecimal(d, 2026, 4); }), "2026");
  EXPECT_EQ(written([](char* d) { return text::formatShortDecimal(d, 9, 2); }), "09");
  // Wider than 16 bits: the true value, not that of its low half (70000 - 65536 = 4464).
  EXPECT_EQ(written([](char* d) { return text::formatShortDecimal(d, 70000, 5); }), "70000");
  EXPECT_EQ(written([](char* d) { return text::formatShortDecimal(d, 4294967295u, 1); }),
            "4294967295");
}

TEST(TextDecimal, RightAlignedWithLeadingZeros) {
  struct Case { uint32_t value; int width; const char* out; };
  const Case cases[] = {
      {1200, 6, "001200"},
      {0, 6, "000000"},
      {4, 4, "0004"},
      {512, 4, "0512"},
      {9999, 4, "9999"},
      {12345678, 8, "12345678"},
      {3, 2, "03"},
      {3, 1, "3"},
      // Values that do not fit grow the field with their true digits.
      {10000, 4, "10000"},
      {123456789, 6, "123456789"},
      {655360000, 8, "655360000"},     // beyond the reach of a 16-bit high part
      {4294967295u, 8, "4294967295"},
      {4294967295u, 10, "4294967295"},
      {100, 2, "100"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(written([&](char* d) { return text::formatDecimal(d, c.value, c.width); }), c.out)
        << c.value << " in " << c.width;
  }
}

TEST(TextFixed2, IntegerPartBlankedCommaTwoDecimals) {
  struct Case { uint32_t hundredths; int intDigits; const char* out; };
  const Case cases[] = {
      {3600, 3, " 36,00"},
      {5, 3, "  0,05"},
      {1234567, 5, "12345,67"},
      {123456, 5, " 1234,56"},
      {50, 5, "    0,50"},
      {0, 5, "    0,00"},
      {199987, 5, " 1999,87"},
      {9999999, 5, "99999,99"},   // the widest value that fits five places
      {100, 1, "1,00"},
      {5, 0, ",05"},              // no integer places: no units digit either
      {1002, 3, " 10,02"},        // inner zeros stay
      {1000000, 5, "10000,00"},   // zeros after the first digit stay
  };
  for (const Case& c : cases) {
    EXPECT_EQ(written([&](char* d) { return text::formatFixed2(d, c.hundredths, c.intDigits); }),
              c.out) << c.hundredths << " with " << c.intDigits;
  }
}

// A modern L1 cache reads at well over 100,000 MB/s and a latency can pass 1,000 cycles:
// such values get every integer digit instead of losing some or running into the next text.
TEST(TextFixed2, WideValuesGetEveryIntegerDigit) {
  struct Case { uint32_t hundredths; int intDigits; const char* out; };
  const Case cases[] = {
      {12345678, 5, "123456,78"},     // 123,456.78 MB/s
      {10000000, 5, "100000,00"},
      {100000, 3, "1000,00"},         // 1,000 cycles
      {123456, 3, "1234,56"},
      {4294967295u, 5, "42949672,95"},
      {4294967295u, 3, "42949672,95"},
      {1234, 0, "12,34"},
  };
  for (const Case& c : cases) {
    const std::string out =
        written([&](char* d) { return text::formatFixed2(d, c.hundredths, c.intDigits); });
    EXPECT_EQ(out, c.out) << c.hundredths << " with " << c.intDigits;
    EXPECT_LE(out.size(), static_cast<size_t>(text::maxNumberChars));
  }
}

// A field written into a template: what surrounds it stays, and the NUL after the template
// text is where it was.
TEST(TextFixed2, WritesIntoATemplateInPlace) {
  char line[] = "Latency: 000000 Cycles";
  EXPECT_EQ(text::formatFixed2(line + 9, 4050, 3), 6);
  EXPECT_STREQ(line, "Latency:  40,50 Cycles");
  char row[] = "<td>00000.00</td>";
  EXPECT_EQ(text::formatFixed2(row + 4, 50, 5), 8);
  EXPECT_STREQ(row, "<td>    0,50</td>");
}

TEST(TextFill, BlankLeadingZeros) {
  struct Case { const char* in; const char* out; };
  const Case cases[] = {
      {"0000", "   0"},
      {"00,50", " 0,50"},
      {"001200", "  1200"},
      {"000000", "     0"},
      {"00004", "    4"},
      {"0", "0"},
      {"", ""},
      {"0K", "0K"},          // the last zero before a non-digit stays
      {"0040 KB", "  40 KB"},
      {" 004", " 004"},      // starts on a blank: nothing to do
      {"1000", "1000"},
  };
  for (const Case& c : cases) {
    std::string buffer = c.in;
    text::blankLeadingZeros(buffer.data());
    EXPECT_EQ(buffer, c.out) << '"' << c.in << '"';
  }
}

TEST(TextFill, SkipLeadingFill) {
  struct Case { const char* in; unsigned count; unsigned skipped; };
  const Case cases[] = {
      {"00004096", 8, 4},
      {"    0,50", 8, 5},     // blanks and the lone zero: ",50"
      {" 1234,56", 8, 1},
      {"00000000", 8, 8},     // a field of zeros is skipped entirely
      {"00000000;", 0, 8},    // no limit: stops at the first other character
      {"000000", 3, 3},
      {"0000", 0, 4},         // stops at the NUL
      {"12", 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text::skipLeadingFill(c.in, c.count) - c.in, static_cast<long>(c.skipped))
        << '"' << c.in << "\" count " << c.count;
  }
}

} // namespace
