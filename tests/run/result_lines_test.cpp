// The texts of the memory speed line and the extreme lines, checked against lines composed by
// hand from the field widths (right-aligned fields, comma decimals, blanked leading zeros).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "chart/result_lines.h"

namespace {

std::string extreme(uint32_t test, uint32_t rate, uint32_t cycles, uint32_t kb) {
  char line[chart::resultLineBytes];
  std::memset(line, 'x', sizeof line);   // stale contents must not show through
  const int n = chart::extremeLine(line, test, rate, cycles, kb);
  EXPECT_EQ(static_cast<size_t>(n), std::strlen(line));
  return line;
}

std::string memorySpeed(uint32_t latency, uint32_t peak) {
  char line[chart::resultLineBytes];
  std::memset(line, 'x', sizeof line);
  const int n = chart::memorySpeedLine(line, latency, peak);
  EXPECT_EQ(static_cast<size_t>(n), std::strlen(line));
  return line;
}

TEST(ResultLines, ExtremeLineLayout) {
  struct Case {
    uint32_t test, rate, cycles, kb;
    const char* expected;
  };
  const Case cases[] = {
      // 5120 MB/s, 0.41 cycles at 8 KB.
      {7, 512000, 41, 8, "SSE Read:  5120,00 MB/s (  0,41 Cycles), Block Size:     8 KB"},
      // Half a MB/s keeps its units digit; 16 MB fills the block-size field.
      {1, 50, 80000, 16384, "Read:     0,50 MB/s (800,00 Cycles), Block Size: 16384 KB"},
      {2, 99999, 5, 4, "Write:   999,99 MB/s (  0,05 Cycles), Block Size:     4 KB"},
      {6, 1234567, 99999, 1024,
       "MMX Copy: 12345,67 MB/s (999,99 Cycles), Block Size:  1024 KB"},
      {9, 100, 0, 64, "SSE Copy:     1,00 MB/s (  0,00 Cycles), Block Size:    64 KB"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(extreme(c.test, c.rate, c.cycles, c.kb), c.expected) << c.test;
  }
}

// A value wider than its field widens the field: every digit is kept and the text after it
// follows unchanged.
TEST(ResultLines, WideValuesKeepAllDigitsAndTheRestOfTheLine) {
  EXPECT_EQ(extreme(1, 12345678, 123456, 123456),
            "Read: 123456,78 MB/s (1234,56 Cycles), Block Size: 123456 KB");
  EXPECT_EQ(extreme(8, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu),
            "SSE Write: 42949672,95 MB/s (42949672,95 Cycles), Block Size: 4294967295 KB");
  EXPECT_EQ(memorySpeed(123456, 12345678),
            "Latency: 1234,56 Cycles, Peak Bandwidth: 123456,78 MB/s");
  EXPECT_EQ(memorySpeed(0xFFFFFFFFu, 0xFFFFFFFFu),
            "Latency: 42949672,95 Cycles, Peak Bandwidth: 42949672,95 MB/s");
}

TEST(ResultLines, MemorySpeedLine) {
  // 127.5 cycles and 1024 MB/s.
  EXPECT_EQ(memorySpeed(12750, 102400), "Latency: 127,50 Cycles, Peak Bandwidth:  1024,00 MB/s");
  EXPECT_EQ(memorySpeed(0, 0), "Latency:   0,00 Cycles, Peak Bandwidth:     0,00 MB/s");
  EXPECT_EQ(memorySpeed(99999, 9999999),
            "Latency: 999,99 Cycles, Peak Bandwidth: 99999,99 MB/s");
}

TEST(ResultLines, LabelsAndWidthsByTestNumber) {
  const char* labels[] = {"",         "Read",      "Write",    "Copy",     "MMX Read", "MMX Write",
                          "MMX Copy", "SSE Read",  "SSE Write", "SSE Copy", ""};
  const uint32_t widths[] = {0, 32, 32, 32, 64, 64, 64, 128, 128, 128, 0};
  for (uint32_t t = 0; t <= 10; ++t) {
    EXPECT_STREQ(chart::testLabel(t), labels[t]) << t;
    EXPECT_EQ(chart::testCycleWidth(t), widths[t]) << t;
  }
}

} // namespace
