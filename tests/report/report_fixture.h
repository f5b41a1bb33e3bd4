// Fixed inputs of the report tests: result tables, summary values, clock, time, operating system
// and processor text. tests/data/report/make_golden.py computes the golden files from the same
// inputs; keep both in step.
#pragma once
#include <cstring>

#include "app/panel_memory.h"
#include "cpu/cpu_info.h"
#include "engine/run/results.h"
#include "engine/timer.h"
#include "engine/working_memory.h"
#include "report/os_version.h"
#include "report/report.h"

namespace report_fixture {

constexpr int reportNumber = 7;
constexpr const char processorText[] = "Intel Pentium\xAE III 1000,12 MHz Coppermine";

inline uint32_t tableEntry(int t, int c) {
  if (t == 0 && c == 25) return 50;            // 0,50 MB/s
  if (t == 6 && c == 0) return 10000000;       // 100000,00 MB/s: wider than five digits
  if (t == 9 && c == 50) return 325;           // 3,25 cycles
  if ((c + 3 * t) % 7 == 0) return 0;          // not measured
  return static_cast<uint32_t>((t + 1) * 1000 + c * 7 + (c * 13) % 100);
}

inline uint32_t walkCell(int k, int j) {
  if (k == 13 && j == 16) return 123456789;    // wider than five digits
  if (j > k + 3) return 0;
  return static_cast<uint32_t>(250 + k * 100 + j * 3 + (k * j) % 10);
}

// The report buffer of the tests, in place of the working memory of a started program.
inline char* testReportBuffer() {
  static char buffer[engine::reportBufferBytes];
  return buffer;
}

// Records as a started program has them before any run.
inline void loadEmptyInputs() {
  engine::resultTables = {};
  engine::summaryValues = {};
  engine::runParameters = {};
  engine::timer.clock10k = 100012;
  app::resetMemoryPanel();
  report::reportFiles.reportTime = {2026, 12, 5, 18, 42, 7};
  report::osVersion = {};
  report::osVersion.major = 5;
  report::osVersion.minor = 1;
  report::osVersion.platformId = 2;
  std::strcpy(cpu::cpuInfo.processorText, processorText);
  std::memset(testReportBuffer(), 0, engine::reportBufferBytes);
  engine::workingMemory.reportBuffer = testReportBuffer();
  report::setReportNumber(reportNumber);
}

// Records after a run: every table and the summary filled from the formulas above.
inline void loadFilledInputs() {
  loadEmptyInputs();
  for (int t = 0; t <= engine::tableWalk; ++t)
    for (int c = 0; c < engine::sizeCodeCount; ++c) engine::resultTables.table[t][c] = tableEntry(t, c);
  for (int k = 0; k < 14; ++k)
    for (int j = 0; j < 17; ++j) engine::resultTables.table[engine::tableWalkMatrix][k * 17 + j] = walkCell(k, j);
  engine::summaryValues.memReadRate = 123456;
  engine::summaryValues.memWriteRate = 98765;
  engine::summaryValues.mmxReadRate = 234567;
  engine::summaryValues.mmxWriteRate = 50;
  engine::summaryValues.sseReadRate = 12345678;
  engine::summaryValues.sseWriteRate = 0;
  engine::summaryValues.peakRate = 456789;
  engine::runParameters.latencyStep = 16;
}

} // namespace report_fixture
