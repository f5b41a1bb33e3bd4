// Result-line texts. Each line is built left to right, each numeric field written by the text
// routines at the current end and the end moved on by the count they report, so a value wider
// than its field widens the field instead of overwriting the text behind it.
#include "chart/result_lines.h"

#include <cstring>

#include "chart/text/format.h"

namespace chart {
namespace {

struct TestText {
  const char* label;
  uint32_t width;
};
// TestNumber 1..9 at index 0..8.
constexpr TestText testTexts[] = {
    {"Read", 32},      {"Write", 32},      {"Copy", 32},
    {"MMX Read", 64},  {"MMX Write", 64},  {"MMX Copy", 64},
    {"SSE Read", 128}, {"SSE Write", 128}, {"SSE Copy", 128},
};
constexpr uint32_t testTextCount = sizeof testTexts / sizeof testTexts[0];

// Copies text without its NUL at p; returns the position after it.
char* put(char* p, const char* text) {
  const std::size_t n = std::strlen(text);
  std::memcpy(p, text, n);
  return p + n;
}

} // namespace

const char* testLabel(uint32_t testNumber) {
  return testNumber >= 1 && testNumber <= testTextCount ? testTexts[testNumber - 1].label : "";
}

uint32_t testCycleWidth(uint32_t testNumber) {
  return testNumber >= 1 && testNumber <= testTextCount ? testTexts[testNumber - 1].width : 0;
}

int memorySpeedLine(char* dest, uint32_t memLatency, uint32_t peakRate) {
  std::memset(dest, 0, resultLineBytes);
  char* p = put(dest, "Latency: ");
  p += text::formatFixed2(p, memLatency, 3);
  p = put(p, " Cycles, Peak Bandwidth: ");
  p += text::formatFixed2(p, peakRate, 5);
  p = put(p, " MB/s");
  *p = '\0';
  return static_cast<int>(p - dest);
}

int extremeLine(char* dest, uint32_t testNumber, uint32_t rate, uint32_t cycles,
                uint32_t kilobytes) {
  std::memset(dest, 0, resultLineBytes);
  char* p = put(dest, testLabel(testNumber));
  p = put(p, ": ");
  p += text::formatFixed2(p, rate, 5);
  p = put(p, " MB/s");
  p = put(p, " (");
  p += text::formatFixed2(p, cycles, 3);
  p = put(p, " Cycles)");
  p = put(p, ", ");
  p = put(p, "Block Size");
  p = put(p, ": ");
  // The buffer behind the digits is still zero, so the blanking stops at their end.
  char* field = p;
  p += text::formatShortDecimal(field, kilobytes, 5);
  text::blankLeadingZeros(field);
  p = put(p, " KB");
  *p = '\0';
  return static_cast<int>(p - dest);
}

} // namespace chart
