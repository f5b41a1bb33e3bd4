// Number parsing and the colour scanner of the settings text: bases and suffixes, signs,
// invalid characters met from the right, and where each scan leaves its position.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "chart/text/format.h"

namespace {

TEST(TextParse, DigitValues) {
  struct Case { char c; unsigned base; int value; };
  const Case cases[] = {
      {'0', 10, 0}, {'9', 10, 9}, {'A', 16, 10}, {'F', 16, 15},
      {'A', 10, -1},   // a letter is no decimal digit
      {'2', 2, -1}, {'1', 2, 1},
      {'f', 16, -1},   // lower case is upper-cased by the callers first
      {'G', 16, -1}, {' ', 10, -1}, {'-', 10, -1}, {'\0', 16, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text::digitValue(c.c, c.base), c.value) << c.c << " base " << c.base;
  }
}

TEST(TextParse, DigitsFromTheRight) {
  struct Case { const char* digits; unsigned base; uint32_t value; bool invalid; };
  const Case cases[] = {
      {"", 10, 0, false},
      {"0", 10, 0, false},
      {"4096", 10, 4096, false},
      {"C0C0C0", 16, 0xC0C0C0, false},
      {"1010", 2, 10, false},
      {"12X34", 10, 34, true},          // only the digits right of the X
      {"X", 16, 0, true},
      {"4294967295", 10, 4294967295u, false},
      {"4294967296", 10, 0, false},     // modulo 2^32
      {"1FFFFFFFF", 16, 0xFFFFFFFF, false},
  };
  for (const Case& c : cases) {
    const text::ParsedValue r = text::parseDigits(c.digits, c.digits + std::strlen(c.digits), c.base);
    EXPECT_EQ(r.value, c.value) << c.digits;
    EXPECT_EQ(r.invalid, c.invalid) << c.digits;
  }
}

TEST(TextParse, BaseSuffix) {
  struct Case { const char* text; unsigned base; unsigned digits; };
  const Case cases[] = {
      {"0000FFH", 16, 6}, {"101B", 2, 3}, {"12D", 10, 2}, {"12", 10, 2}, {"1G", 10, 2},
      {"H", 16, 0}, {"", 10, 0},
  };
  for (const Case& c : cases) {
    const char* end = c.text + std::strlen(c.text);
    const text::BaseSuffix s = text::baseSuffix(c.text, end);
    EXPECT_EQ(s.base, c.base) << c.text;
    EXPECT_EQ(s.digitsEnd - c.text, static_cast<long>(c.digits)) << c.text;
  }
}

TEST(TextParse, Numbers) {
  struct Case { const char* text; int32_t value; bool invalid; };
  const Case cases[] = {
      {"0000ffH", 255, false},       // lower-case digits are upper-cased first
      {"-12", -12, false},
      {"101B", 5, false},
      {"12D", 12, false},
      {"1G", 0, true},               // the G is met first from the right
      {"", 0, false},
      {"-", 0, false},
      {"-FFh", -255, false},
      {"7fffffffH", 2147483647, false},
      {"80000000H", INT32_MIN, false},
      {"12 34", 34, true},
      {"abcdefh", 0xABCDEF, false},
      {"1b", 1, false},              // 'B' is the binary suffix, not a digit
  };
  for (const Case& c : cases) {
    std::string buffer = c.text;
    const text::ParsedValue r = text::parseNumber(buffer.data());
    EXPECT_EQ(static_cast<int32_t>(r.value), c.value) << c.text;
    EXPECT_EQ(r.invalid, c.invalid) << c.text;
  }
}

TEST(TextParse, ParseNumberUpperCasesInPlace) {
  char buffer[] = "0080ffh";
  text::parseNumber(buffer);
  EXPECT_STREQ(buffer, "0080FFH");
}

// Scans a settings text from just after its first '[' until a scan fails; returns the values.
std::vector<uint32_t> scanColours(const char* settings) {
  const char* p = std::strchr(settings, '[');
  EXPECT_NE(p, nullptr);
  ++p;
  std::vector<uint32_t> values;
  for (int guard = 0; guard < 32; ++guard) {
    const text::ColourScan scan = text::nextColourValue(p);
    if (!scan.found) break;
    values.push_back(scan.colour);
    EXPECT_GT(scan.next, p);
    p = scan.next;
  }
  return values;
}

TEST(TextColourScan, ValuesAtLineStarts) {
  using V = std::vector<uint32_t>;
  struct Case { const char* settings; V values; };
  const Case cases[] = {
      {"[Colors]\r\n0000FFH\r\nFF0000H\r\n", V{0x0000FF, 0xFF0000}},
      {"[Colors]\r\n0000FFH\r\nFF0000H", V{0x0000FF, 0xFF0000}},   // last line without CR LF
      {"[Colors]\r\n0000ffH\r\n", V{0x0000FF}},       // lower case after the first digit
      {"[Colors]\r\nff0000H\r\n808080H\r\n", V{0x808080}},  // a lower-case first letter skips
      {"[Colors]\r\nRead=0000FFH\r\n00FF00H\r\n", V{0x00FF00}},
      {"[Colors]\r\n; red\r\n0000FFH\r\n", V{0x0000FF}},
      {"[Colors]\n0000FFH\n00FF00H\n", V{}},          // LF-only line ends: no line starts
      {"[Colors]\r\n0000FFH\r\n[Other]\r\n00FF00H\r\n", V{0x0000FF}},
      {"[Colors]\r\n; see [Colors]\r\n00FF00H\r\n", V{}},  // a '[' inside a line ends it too
      {"[Colors]\r\n00G0FFH\r\n", V{0xFF}},           // digits right of the invalid one
      {"[Colors]\r\nFFFFH\r\n00FF00H\r\n", V{0, 0x00FF00}},  // short value takes the CR
      {"[Colors]\r\n0000\r\n00FF00H\r\n", V{0, 0x00FF00}},  // six taken: "0000\r\n"
      {"[Colors]\r\n00FF", V{0xFF}},                  // text ends inside a value
      {"[Colors]\r\n", V{}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(scanColours(c.settings), c.values) << c.settings;
  }
}

TEST(TextColourScan, StopsAtNulAndAtABracket) {
  const char settings[] = "[Colors]\r\n0000FFH\r\nFF0000H\r\n";
  text::ColourScan scan = text::nextColourValue(settings + 1);
  ASSERT_TRUE(scan.found);
  EXPECT_EQ(scan.next, settings + 16);       // behind the six digits, on the 'H'
  scan = text::nextColourValue(scan.next);
  ASSERT_TRUE(scan.found);
  EXPECT_EQ(scan.colour, 0xFF0000u);
  scan = text::nextColourValue(scan.next);
  EXPECT_FALSE(scan.found);
  EXPECT_EQ(*scan.next, '\0');
  // Started on the '[' itself, the scan fails at once.
  scan = text::nextColourValue(settings);
  EXPECT_FALSE(scan.found);
  EXPECT_EQ(scan.next, settings);
}

// A value cut short by the end of the data stops at the NUL: the bytes behind it are never
// read (ASan guards the exact-size heap copy).
TEST(TextColourScan, ValueCutByTheEndOfTheData) {
  const std::string data = "x\r\nABC";
  std::unique_ptr<char[]> exact(new char[data.size() + 1]);
  std::memcpy(exact.get(), data.c_str(), data.size() + 1);
  const text::ColourScan scan = text::nextColourValue(exact.get() + 1);
  ASSERT_TRUE(scan.found);
  EXPECT_EQ(scan.colour, 0xABCu);
  EXPECT_EQ(*scan.next, '\0');
  EXPECT_FALSE(text::nextColourValue(scan.next).found);
}

} // namespace
