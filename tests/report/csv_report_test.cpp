// The CSV table: golden tables of an unrun program and of a filled run (made by the independent
// writer tests/data/report/make_golden.py), the block sizes and empty fields of known lines, and
// replacing a file of the same name.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "engine/run/run_extras.h"
#include "report/csv_report.h"
#include "report_fixture.h"
#include "temp_dir.h"

namespace {

std::string builtTable() {
  char* const text = engine::workingMemory.reportBuffer + engine::reportBufferHalf;
  const uint32_t length = report::buildCsvText(text);
  return std::string(text, length);
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    result.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "the text ends with CR LF";
  return result;
}

std::string golden(const char* name) {
  return testing_support::readWholeFile(std::string(TW_TEST_DATA_DIR) + "/report/" + name);
}

TEST(CsvReport, TableBeforeAnyRun) {
  report_fixture::loadEmptyInputs();
  const std::string table = builtTable();
  EXPECT_EQ(table, golden("empty_table.csv"));
  const std::vector<std::string> l = lines(table);
  ASSERT_EQ(l.size(), 302u);
  EXPECT_EQ(l[0], "BlockSize;Read;Write;Copy;MMXRead;MMXWrite;MMXCopy;SSERead;SSEWrite;SSECopy;"
                  "Read Latency;;Step Size;Memory Walk");
  EXPECT_EQ(l[1], "4096;;;;;;;;;;;;4;;");
  // Block sizes of codes 1, 2, 25 and 300; strides of a 4-byte step at 8 KB and 16 MB.
  EXPECT_EQ(l[2].substr(0, 5), "4224;");
  EXPECT_EQ(l[3].substr(0, 5), "4352;");
  EXPECT_EQ(l[26], "8192;;;;;;;;;;;;8;;");
  EXPECT_EQ(l[301], "16777216;;;;;;;;;;;;16384;;");
}

TEST(CsvReport, TableOfAFilledRun) {
  report_fixture::loadFilledInputs();
  const std::string table = builtTable();
  EXPECT_EQ(table, golden("filled_table.csv"));
  const std::vector<std::string> l = lines(table);
  ASSERT_EQ(l.size(), 302u);
  // Code 25: Read is 0,50 MB/s; code 50: Read Latency 3,25 cycles (the eleventh field).
  EXPECT_EQ(l[26].substr(0, 9), "8192;,50;");
  std::vector<std::string> fields;
  std::stringstream row(l[51]);
  for (std::string f; std::getline(row, f, ';');) fields.push_back(f);
  ASSERT_GE(fields.size(), 11u);
  EXPECT_EQ(fields[10], "3,25");
}

TEST(CsvReport, ExtraKernelsThatHoldAValueFollowAsNamedColumns) {
  report_fixture::loadFilledInputs();
  engine::extraTables = {};
  const std::string plain = builtTable();
  const std::vector<std::string> p = lines(plain);
  struct Case {
    std::vector<uint32_t> kernels;
    uint32_t value;
    const char* names;
    const char* field;
  } cases[] = {
      {{3, engine::memcpyKernelIndex}, 12345678, ";AVXRead;memcpy", "123456,78;"},
      // Every kernel at every size at the largest value outgrows the report buffer's half.
      {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 0xFFFFFFFFu,
       ";Read64;Write64;Copy64;AVXRead;AVXWrite;AVXCopy;AVX512Read;AVX512Write;AVX512Copy;"
       "NTWrite;NTCopy;MOVSBCopy;memcpy",
       "42949672,95;"},
  };
  for (const Case& c : cases) {
    engine::extraTables = {};
    for (uint32_t k : c.kernels) {
      for (engine::SeriesPoint& p : engine::extraTables.point[k]) p.median = c.value;
    }
    char* const text = report::csvBuffer();
    const std::string table(text, report::buildCsvText(text));
    const std::vector<std::string> l = lines(table);
    ASSERT_EQ(l.size(), 302u);
    EXPECT_EQ(l[0], p[0] + c.names);
    std::string fields;
    for (std::size_t i = 0; i < c.kernels.size(); ++i) fields += c.field;
    EXPECT_EQ(l[1], p[1] + fields);
    EXPECT_EQ(l[301], p[301] + fields);
  }
  engine::extraTables = {};
}

TEST(CsvReport, WritesAndReplacesTheFile) {
  testing_support::ScopedTempDir dir;
  report_fixture::loadEmptyInputs();
  testing_support::writeWholeFile("twrep_07.csv", std::string(50000, 'x'));
  ASSERT_TRUE(report::writeCsvReport("twrep_07.csv"));
  EXPECT_EQ(testing_support::readWholeFile("twrep_07.csv"), golden("empty_table.csv"));
  // Two reports with no run between them write the same table.
  ASSERT_TRUE(report::writeCsvReport("twrep_08.csv"));
  EXPECT_EQ(testing_support::readWholeFile("twrep_08.csv"),
            testing_support::readWholeFile("twrep_07.csv"));
}

} // namespace
