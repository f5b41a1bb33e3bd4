// The results of the last run: the run parameters, the twelve result tables, the summary values
// and the chart scales. Written by the run; read by the chart, the result lines and the reports.
#pragma once
#include <cstdint>

namespace engine {

constexpr int sizeCodeCount = 301;   // codes 0 (4 KB) .. 300 (16 MB)

// Table numbers; the bandwidth tables 0..8 are TestNumber 1..9 minus one.
enum TableNumber : int {
  tableRead = 0, tableWrite, tableCopy,
  tableMmxRead, tableMmxWrite, tableMmxCopy,
  tableSseRead, tableSseWrite, tableSseCopy,
  tableReadLatency,   // hundredths of cycles per load
  tableWalk,          // the Memory Walk curve, hundredths of cycles per load
  tableWalkMatrix,    // 14 x 17 cells row after row in entries 0..237
  tableCount
};

// Entries: hundredths of MB/s for 0..8, hundredths of cycles for 9..11; 0 = not measured.
// One spare table keeps the size of the results buffer the program has always had.
struct ResultTables {
  uint32_t table[tableCount + 1][sizeCodeCount];
};
extern ResultTables resultTables;

// How each entry of tables 0..11 was measured, entry for entry: the runs it took (0: not
// measured; 2 for the first point of a series, measured twice by design) and whether it was
// measured again because it fell below half of the point measured before it.
struct PointRuns {
  uint8_t runs[tableCount][sizeCodeCount];
  bool remeasured[tableCount][sizeCodeCount];
};
extern PointRuns pointRuns;

struct RunParameters {
  uint32_t startCode = 0;       // first size code of the last run
  uint32_t endCode = 200;       // last size code (1 MB)
  uint32_t latencyStep = 4;     // bytes; the walk's start step in Memory Walk runs
  uint8_t iterationShift = 0;   // 2 with "4x Iterations"
  uint32_t copyToItself = 0;    // 1 with "Copy to itself"
};
extern RunParameters runParameters;

// Hundredths of MB/s (latency: hundredths of cycles); 0 until measured or when the processor
// cannot run the test.
struct SummaryValues {
  uint32_t memReadRate = 0, memWriteRate = 0;
  uint32_t mmxReadRate = 0, mmxWriteRate = 0;
  uint32_t sseReadRate = 0, sseWriteRate = 0;
  uint32_t peakRate = 0;
  uint32_t memLatency = 0;
};
extern SummaryValues summaryValues;

struct ChartScales {
  uint32_t chartPeakRate = 0;     // whole MB/s, estimated once at start-up
  uint32_t chartMaxLatency = 0;   // hundredths of cycles: full scale of the latency axis
};
extern ChartScales chartScales;

} // namespace engine
