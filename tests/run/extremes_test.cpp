// The extremes of a run's bandwidth tables and their tie rules, and the meaning of the list
// selections the run reads.
#include <gtest/gtest.h>

#include "engine/run/run.h"

namespace {

using engine::Extreme;
using engine::ResultTables;

struct Entry {
  int table;
  uint32_t code, value;
};

ResultTables tablesWith(std::initializer_list<Entry> entries) {
  ResultTables t = {};
  for (const Entry& e : entries) t.table[e.table][e.code] = e.value;
  return t;
}

void expectExtreme(const Extreme& e, uint32_t value, uint32_t code, uint32_t test) {
  EXPECT_EQ(e.value, value);
  EXPECT_EQ(e.sizeCode, code);
  EXPECT_EQ(e.testNumber, test);
}

TEST(Extremes, WithinOneTestTheHigherCodeWinsATie) {
  const auto x = engine::findExtremes(tablesWith(
      {{0, 2, 100}, {0, 3, 500}, {0, 7, 500}, {0, 9, 100}, {0, 300, 300}}));
  expectExtreme(x.testMax[1], 500, 7, 1);
  expectExtreme(x.testMin[1], 100, 9, 1);
  expectExtreme(x.overallMax, 500, 7, 1);
  expectExtreme(x.overallMin, 100, 9, 1);
}

TEST(Extremes, AcrossTestsTheLaterTestWinsATie) {
  // Read and SSE Read share the largest value, Write and MMX Copy the smallest.
  const auto x = engine::findExtremes(tablesWith({{0, 5, 900}, {0, 6, 400},
                                                 {1, 10, 50}, {1, 11, 60},
                                                 {5, 0, 50}, {5, 1, 70},
                                                 {6, 1, 900}, {6, 2, 800}}));
  expectExtreme(x.overallMax, 900, 1, 7);
  expectExtreme(x.overallMin, 50, 0, 6);
  expectExtreme(x.testMax[2], 60, 11, 2);
  expectExtreme(x.testMin[7], 800, 2, 7);
}

TEST(Extremes, ZerosAndLatencyTablesTakeNoPart) {
  // One measured value: it is both extremes. Latency and walk tables are ignored even when
  // their values would win.
  const auto x = engine::findExtremes(tablesWith({{3, 150, 4200},
                                                 {engine::tableReadLatency, 1, 1},
                                                 {engine::tableWalk, 2, 0xFFFFFFFF},
                                                 {engine::tableWalkMatrix, 3, 99999}}));
  expectExtreme(x.testMax[4], 4200, 150, 4);
  expectExtreme(x.testMin[4], 4200, 150, 4);
  expectExtreme(x.overallMax, 4200, 150, 4);
  expectExtreme(x.overallMin, 4200, 150, 4);
  expectExtreme(x.testMax[1], 0, 0, 0);

  const auto none = engine::findExtremes(ResultTables{});
  expectExtreme(none.overallMax, 0, 0, 0);
  expectExtreme(none.overallMin, 0, 0, 0);
}

TEST(Extremes, ListSelections) {
  // Steps: 4 shifted left by the index for 0..13, else 4.
  const struct { int index; uint32_t step; } steps[] = {
      {0, 4}, {3, 32}, {4, 64}, {7, 512}, {13, 32768}, {14, 4}, {-1, 4}, {1000, 4}};
  for (const auto& s : steps) EXPECT_EQ(engine::stepFromSelection(s.index), s.step) << s.index;
  // Block sizes: 25 codes per list entry; anything else keeps the code the run had.
  const struct { int index; uint32_t code; } codes[] = {
      {0, 0}, {1, 25}, {8, 200}, {12, 300}, {13, 77}, {-1, 77}};
  for (const auto& c : codes) EXPECT_EQ(engine::codeFromSelection(c.index, 77), c.code) << c.index;
}

} // namespace
