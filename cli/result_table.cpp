// Columns appear for the series that hold a value in the run's range; an empty series (a test
// that was not selected) gets no column. Latency columns are in cycles, the others in MB/s.
// Blocks past 16 MB and Random Latency (in ns) come from the series of the whole range; with
// repeated samples each series also gets columns of its lowest, highest and spread (per cent).
// Each value is followed by one mark character: '*' for a point measured again because it fell
// below half of its neighbour, else a blank (dropped at the end of a line).
#include "cli/result_table.h"

#include <cstdio>
#include <vector>

#include "chart/result_lines.h"
#include "chart/text/format.h"
#include "engine/run/results.h"
#include "engine/run/run_extras.h"
#include "engine/run/series.h"
#include "engine/timer.h"
#include "engine/size_codes.h"
#include "engine/latency/walk.h"

namespace cli {
namespace {

constexpr int columnWidth = 14;   // a blank, "Read Latency" and the mark
constexpr int matrixWidth = 9;    // "262144" steps, cells up to 9999,99 cycles, and the mark

enum class Show { median, low, high, spread };

struct Column {
  int table;   // a series number: tables 0..10, or seriesRandomLatency
  const char* label;
  const char* unit;
  Show show = Show::median;
  int extra = -1;   // the command line's extra kernel (engine::extraTables), or -1
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
std::string markedValue(int table, uint32_t entry, int width, int intDigits) {
  const uint32_t v = engine::resultTables.table[table][entry];
  return rightAligned(v ? fixed2(v, intDigits) : "-", width - 1) +
         (engine::pointRuns.remeasured[table][entry] ? '*' : ' ');
}

// Hundredths of ns for hundredths of counter ticks.
uint32_t nanoseconds(uint32_t ticks) {
  const uint32_t clock10k = engine::timer.clock10k;
  return clock10k ? static_cast<uint32_t>(uint64_t(ticks) * 100000u / clock10k) : 0;
}

// The window's tables up to 16 MB (what --repeat 1 always printed), the series past it.
uint32_t medianAt(int series, uint32_t code) {
  if (series < engine::seriesRandomLatency && code <= engine::maxSizeCode) {
    return engine::resultTables.table[series][code];
  }
  return engine::seriesResults.point[series][code].median;
}

std::string cell(const Column& c, uint32_t code) {
  if (c.extra >= 0 && c.show == Show::median) {
    const uint32_t v = engine::extraTables.point[c.extra][code].median;
    return rightAligned(v ? fixed2(v, 6) : "-", columnWidth - 1) +
           (engine::extraTables.remeasured[c.extra][code] ? '*' : ' ');
  }
  if (c.extra < 0 && c.show == Show::median && c.table < engine::seriesRandomLatency &&
      code <= engine::maxSizeCode) {
    return markedValue(c.table, code, columnWidth, 6);
  }
  const engine::SeriesPoint& p = c.extra >= 0 ? engine::extraTables.point[c.extra][code]
                                              : engine::seriesResults.point[c.table][code];
  uint32_t v = c.show == Show::low ? p.low : c.show == Show::high ? p.high : p.median;
  if (c.show == Show::spread) v = engine::spreadHundredthsOfPercent(p);
  else if (c.table == engine::seriesRandomLatency) v = nanoseconds(v);
  const bool measured = p.median != 0;
  return rightAligned(measured ? fixed2(v, 6) : "-", columnWidth - 1) + ' ';
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

// A measured column, and with repeated samples its lowest, highest and spread beside it.
void appendColumn(std::vector<Column>& columns, const Column& c) {
  columns.push_back(c);
  if (engine::runRequest.repeatCount < 2) return;
  columns.push_back({c.table, "min", c.unit, Show::low, c.extra});
  columns.push_back({c.table, "max", c.unit, Show::high, c.extra});
  columns.push_back({c.table, "spread", "%", Show::spread, c.extra});
}

// The command line's extra kernels that hold a value in the range, after the nine tests.
void appendExtraColumns(std::vector<Column>& columns, uint32_t low, uint32_t high) {
  for (uint32_t k = 0; k < engine::extraKernelCount; ++k) {
    bool any = false;
    for (uint32_t code = low; code <= high; ++code) {
      any |= engine::extraTables.point[k][code].median != 0;
    }
    if (any) {
      appendColumn(columns, {-1, engine::extraKernelTable[k].label, "MB/s", Show::median,
                             static_cast<int>(k)});
    }
  }
}

std::vector<Column> measuredColumns(uint32_t low, uint32_t high) {
  std::vector<Column> columns;
  for (int t = 0; t < engine::seriesCount; ++t) {
    if (t == engine::tableReadLatency) appendExtraColumns(columns, low, high);
    bool any = false;
    for (uint32_t code = low; code <= high; ++code) any |= medianAt(t, code) != 0;
    if (!any) continue;
    Column c{t, "Random Lat.", "ns"};
    if (t < engine::tableReadLatency) c = {t, chart::testLabel(t + 1), "MB/s"};
    else if (t < engine::seriesRandomLatency)
      c = {t, t == engine::tableReadLatency ? "Read Latency" : "Memory Walk", "Cycles"};
    appendColumn(columns, c);
  }
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
      line += markedValue(engine::tableWalkMatrix, k * engine::walkColumns + j, matrixWidth, 4);
    }
    out += trimmed(line) + '\n';
  }
  return out;
}

} // namespace

std::string resultTableText() {
  const engine::RunParameters& rp = engine::runParameters;
  const engine::RunRequest& request = engine::runRequest;
  // A Memory Walk run always covers 4 KB .. 16 MB, whatever range was asked.
  const bool ownRange = request.ownRange && !(rp.startCode == 0 && rp.endCode == engine::maxSizeCode &&
                                              engine::resultTables.table[engine::tableWalk][0] != 0);
  const uint32_t start = ownRange ? request.startCode : rp.startCode;
  const uint32_t end = ownRange ? request.endCode : rp.endCode;
  const uint32_t low = start < end ? start : end;
  const uint32_t high = start < end ? end : start;
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
                       rightAligned(std::to_string(engine::blockBytes(code)), 10);
    for (const Column& c : columns) line += cell(c, code);
    out += trimmed(line) + '\n';
  }
  bool walkRun = false;
  for (const Column& c : columns) walkRun |= c.table == engine::tableWalk;
  if (walkRun) out += walkMatrixText();
  if (anyRemeasured()) out += "\n* measured again: it fell below half of the point before it\n";
  return out;
}

} // namespace cli
