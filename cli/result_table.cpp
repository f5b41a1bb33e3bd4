// Columns appear for the series that hold a value in the run's range; an empty series (a test
// that was not selected) gets no column. Latency columns are in cycles, the others in MB/s.
#include "cli/result_table.h"

#include <cstdio>
#include <vector>

#include "chart/result_lines.h"
#include "chart/text/format.h"
#include "engine/results.h"
#include "engine/size_codes.h"
#include "engine/walk.h"

namespace cli {
namespace {

constexpr int columnWidth = 14;   // "Read Latency" and a blank
constexpr int matrixWidth = 9;    // "262144" steps, cells up to 9999,99 cycles

struct Column {
  int table;
  const char* label;
  const char* unit;
};

std::string rightAligned(const std::string& text, int width) {
  return text.size() >= static_cast<std::size_t>(width)
             ? " " + text
             : std::string(width - text.size(), ' ') + text;
}

std::string fixed2(uint32_t value, int intDigits = 6) {
  char field[text::maxNumberChars + 1] = {};
  text::formatFixed2(field, value, intDigits);
  return field;
}

std::vector<Column> measuredColumns(uint32_t low, uint32_t high) {
  std::vector<Column> columns;
  for (int t = 0; t <= engine::tableWalk; ++t) {
    bool any = false;
    for (uint32_t code = low; code <= high; ++code) any |= engine::resultTables.table[t][code] != 0;
    if (!any) continue;
    if (t < engine::tableReadLatency) {
      columns.push_back({t, chart::testLabel(t + 1), "MB/s"});
    } else {
      columns.push_back({t, t == engine::tableReadLatency ? "Read Latency" : "Memory Walk", "Cycles"});
    }
  }
  return columns;
}

std::string walkMatrixText() {
  const uint32_t* cells = engine::resultTables.table[engine::tableWalkMatrix];
  std::string out = "\nMemory Walk Table (cycles per load; rows: block bytes, columns: step bytes)\n";
  out += rightAligned("Block", 10);
  for (uint32_t j = 0; j < engine::walkColumns; ++j) out += rightAligned(std::to_string(4u << j), matrixWidth);
  out += '\n';
  for (uint32_t k = 0; k < engine::walkRows; ++k) {
    out += rightAligned(std::to_string(3584u << k), 10);
    for (uint32_t j = 0; j < engine::walkColumns; ++j) {
      const uint32_t v = cells[k * engine::walkColumns + j];
      out += rightAligned(v ? fixed2(v, 4) : "-", matrixWidth);
    }
    out += '\n';
  }
  return out;
}

} // namespace

std::string resultTableText() {
  const engine::RunParameters& rp = engine::runParameters;
  const uint32_t low = rp.startCode < rp.endCode ? rp.startCode : rp.endCode;
  const uint32_t high = rp.startCode < rp.endCode ? rp.endCode : rp.startCode;
  const std::vector<Column> columns = measuredColumns(low, high);
  if (columns.empty()) return "No value was measured per block size in this run.\n";
  std::string out = rightAligned("Code", 6) + rightAligned("Bytes", 10);
  for (const Column& c : columns) out += rightAligned(c.label, columnWidth);
  out += '\n' + std::string(16, ' ');
  for (const Column& c : columns) out += rightAligned(c.unit, columnWidth);
  out += '\n';
  for (uint32_t code = low; code <= high; ++code) {
    out += rightAligned(std::to_string(code), 6) +
           rightAligned(std::to_string(4u * engine::blockDwords(code)), 10);
    for (const Column& c : columns) {
      const uint32_t v = engine::resultTables.table[c.table][code];
      out += rightAligned(v ? fixed2(v) : "-", columnWidth);
    }
    out += '\n';
  }
  bool walkRun = false;
  for (const Column& c : columns) walkRun |= c.table == engine::tableWalk;
  if (walkRun) out += walkMatrixText();
  return out;
}

} // namespace cli
