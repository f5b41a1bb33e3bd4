// The texts of the result lines below the chart: the memory speed line and the two extreme
// lines (largest and smallest bandwidth). Leaf helpers: the caller passes every value, already
// converted (cycles from the rate, kilobytes from the size code), and gets a NUL-terminated line.
#pragma once
#include <cstdint>

namespace chart {

// Bytes of a result-line buffer. The texts stay well below it even when a value is wider than
// its field (the field then grows; no digit is cut).
constexpr int resultLineBytes = 96;

// "Read" .. "SSE Copy" for TestNumber 1..9 (the check-box texts without trailing blank);
// "" for any other number.
const char* testLabel(uint32_t testNumber);
// Bits per transfer of the test (32, 64, 128), for the cycles conversion; 0 for no test.
uint32_t testCycleWidth(uint32_t testNumber);

// "Latency: " latency (hundredths of cycles, 3 integer digits) " Cycles, Peak Bandwidth: "
// peak (hundredths of MB/s, 5 integer digits) " MB/s". dest holds resultLineBytes; returns
// the text length.
int memorySpeedLine(char* dest, uint32_t memLatency, uint32_t peakRate);

// "<test>: " rate " MB/s (" cycles " Cycles), Block Size: " kilobytes " KB", with the rate in
// hundredths of MB/s (5 integer digits), the cycles in hundredths (3 integer digits) and the
// block size in whole KB (5 digits, blanked leading zeros). dest holds resultLineBytes, and is
// cleared first; returns the text length.
int extremeLine(char* dest, uint32_t testNumber, uint32_t rate, uint32_t cycles,
                uint32_t kilobytes);

} // namespace chart
