// Columns appear for the series that hold a value in the run's range; an empty series (a test
// that was not selected) gets no column. Latency columns are in cycles, the others in MB/s.
// Each value is followed by one mark character: '*' for a point measured again because it fell
// below half of its neighbour, else a blank (dropped at the end of a line).
#include "cli/result_table.h"

#include <cstdio>
#include <vector>

#include "chart/result_lines.h"
#include "chart/text/format.h"
#include "engine/results.h"
#include "engine/run_extras.h"
#include "engine/size_codes.h"
#include "engine/walk.h"

namespace cli {
namespace {

constexpr int columnWidth = 14;   // a blank, "Read Latency" and the mark
constexpr int matrixWidth = 9;    // "262144" steps, cells up to 9999,99 cycles, and the mark

struct Column {
  const uint32_t* values;    // by size code
  const bool* remeasured;    // by size code
  const char* label;
  const char* unit;
  bool walk;                 // the Memory Walk curve: the matrix follows the table
};

std::string rightAligned(const std::string& text, int width) {
  return text.size() >= static_cast<std::size_t>(width)
             ? " " + text
             : std::string(width - text.size(), ' ') + text;
}

std::string fixed2(uint32_t value, int intDigits) {
  char field[text::maxNumberChars + 1] = {};
  text::formatFixed2(field, value, intDigits);
  return field;
}

// A value right-aligned in width - 1 characters and its mark; "-" when nothing was measured.
std::string markedValue(uint32_t v, bool remeasured, int width, int intDigits) {
  return rightAligned(v ? fixed2(v, intDigits) : "-", width - 1) + (remeasured ? '*' : ' ');
}

Column tableColumn(int t, const char* label, const char* unit) {
  return {engine::resultTables.table[t], engine::pointRuns.remeasured[t], label, unit,
          t == engine::tableWalk};
}

// Without the blanks a line may end in.
std::string trimmed(std::string line) {
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

bool anyRemeasured() {
  for (const auto& table : engine::pointRuns.remeasured) {
    for (const bool again : table) {
      if (again) return true;
    }
  }
  for (const auto& table : engine::extraTables.remeasured) {
    for (const bool again : table) {
      if (again) return true;
    }
  }
  return false;
}

bool anyValue(const uint32_t* values, uint32_t low, uint32_t high) {
  for (uint32_t code = low; code <= high; ++code) {
    if (values[code] != 0) return true;
  }
  return false;
}

// The nine tests, the command line's extra kernels, then the latency curves.
std::vector<Column> measuredColumns(uint32_t low, uint32_t high) {
  std::vector<Column> columns;
  for (int t = 0; t < engine::tableReadLatency; ++t) {
    if (anyValue(engine::resultTables.table[t], low, high))
      columns.push_back(tableColumn(t, chart::testLabel(t + 1), "MB/s"));
  }
  for (uint32_t k = 0; k < engine::extraKernelCount; ++k) {
    if (anyValue(engine::extraTables.table[k], low, high))
      columns.push_back({engine::extraTables.table[k], engine::extraTables.remeasured[k],
                         engine::extraKernelTable[k].label, "MB/s", false});
  }
  if (anyValue(engine::resultTables.table[engine::tableReadLatency], low, high))
    columns.push_back(tableColumn(engine::tableReadLatency, "Read Latency", "Cycles"));
  if (anyValue(engine::resultTables.table[engine::tableWalk], low, high))
    columns.push_back(tableColumn(engine::tableWalk, "Memory Walk", "Cycles"));
  return columns;
}

std::string walkMatrixText() {
  std::string out = "\nMemory Walk Table (cycles per load; rows: block bytes, columns: step bytes)\n";
  std::string line = rightAligned("Block", 10);
  for (uint32_t j = 0; j < engine::walkColumns; ++j) {
    line += rightAligned(std::to_string(4u << j), matrixWidth - 1) + ' ';
  }
  out += trimmed(line) + '\n';
  for (uint32_t k = 0; k < engine::walkRows; ++k) {
    line = rightAligned(std::to_string(3584u << k), 10);
    for (uint32_t j = 0; j < engine::walkColumns; ++j) {
      const uint32_t cell = k * engine::walkColumns + j;
      line += markedValue(engine::resultTables.table[engine::tableWalkMatrix][cell],
                          engine::pointRuns.remeasured[engine::tableWalkMatrix][cell],
                          matrixWidth, 4);
    }
    out += trimmed(line) + '\n';
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
  std::string labels = rightAligned("Code", 6) + rightAligned("Bytes", 10);
  std::string units(16, ' ');
  for (const Column& c : columns) {
    labels += rightAligned(c.label, columnWidth - 1) + ' ';
    units += rightAligned(c.unit, columnWidth - 1) + ' ';
  }
  std::string out = trimmed(labels) + '\n' + trimmed(units) + '\n';
  for (uint32_t code = low; code <= high; ++code) {
    std::string line = rightAligned(std::to_string(code), 6) +
                       rightAligned(std::to_string(4u * engine::blockDwords(code)), 10);
    for (const Column& c : columns) {
      line += markedValue(c.values[code], c.remeasured[code], columnWidth, 6);
    }
    out += trimmed(line) + '\n';
  }
  bool walkRun = false;
  for (const Column& c : columns) walkRun |= c.walk;
  if (walkRun) out += walkMatrixText();
  if (anyRemeasured()) out += "\n* measured again: it fell below half of the point before it\n";
  return out;
}

} // namespace cli
