// The test run controller: the Start command's whole measurement (`runTest`), the swapping
// check before it, the summary values, the per-size series with live plotting, and the
// extremes that the result lines show. The run reads and writes the window only through the
// panel seam (app/panel.h), so the window, the command line and the tests share it.
#pragma once
#include <cstdint>

#include "engine/run/results.h"

namespace engine {

// Tests in window order; TestNumber - 1 is the bandwidth table and the colour slot.
enum TestNumber : uint32_t {
  testRead = 1, testWrite, testCopy,
  testMmxRead, testMmxWrite, testMmxCopy,
  testSseRead, testSseWrite, testSseCopy,
};
constexpr uint32_t testCount = 9;

// One extreme: a rate in hundredths of MB/s (0: none), where, and for which test.
struct Extreme {
  uint32_t value = 0;
  uint32_t sizeCode = 0;
  uint32_t testNumber = 0;   // 0 when value is 0
};
// The extremes of the last run; index 1..9 by TestNumber (0 unused).
struct RunExtremes {
  Extreme testMax[testCount + 1];
  Extreme testMin[testCount + 1];
  Extreme overallMax;
  Extreme overallMin;
};
extern RunExtremes runExtremes;

// Largest and smallest non-zero entries of tables 0..8: within a test the higher code wins a
// tie, across tests the later test number wins a tie. Tables 9..11 take no part.
RunExtremes findExtremes(const ResultTables& tables);
// The same over the medians of every code the command line measures (4 KB .. 1 GB).
struct SeriesResults;
RunExtremes findExtremes(const SeriesResults& series);

// Step in bytes of a step-list selection: 4 << index for 0..13, 4 for anything else.
uint32_t stepFromSelection(int index);
// Size code of a block-size selection: 25 x index for 0..12; any other index keeps oldCode.
uint32_t codeFromSelection(int index, uint32_t oldCode);

// The threshold of the swapping check: hundredths of MB/s (50.00 MB/s).
constexpr uint32_t swappingRateLimit = 5000;
constexpr const char* swappingMessage = "Swapping happens, testing aborted.";

// Reads the whole test allocation once, timed; false (and the message shown) when it ran at
// 50.00 MB/s or slower, i.e. pages of it had to come back from disk.
bool swapCheck();

enum class RunStatus { done, swapping };
// The Start command: the whole measurement from the panel's current choices.
RunStatus runTest();

} // namespace engine
