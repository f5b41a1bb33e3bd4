// The report page: both forms byte for byte against golden files made by an independent writer
// (tests/data/report/make_golden.py), the page of a program that has not run yet, the summary's
// width lines, and the operating system names.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/panel.h"
#include "chart/text/format.h"
#include "report/os_name.h"
#include "report/report.h"
#include "report_fixture.h"
#include "temp_dir.h"

namespace {

std::string builtPage() {
  const uint32_t length = report::buildHtmlReport();
  return std::string(engine::workingMemory.reportBuffer, length);
}

std::string golden(const char* name) {
  return testing_support::readWholeFile(std::string(TW_TEST_DATA_DIR) + "/report/" + name);
}

int occurrences(const std::string& text, const std::string& piece) {
  int count = 0;
  for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
    ++count;
  return count;
}

TEST(HtmlReport, BandwidthFormMatchesGolden) {
  report_fixture::loadFilledInputs();
  const std::string expected = golden("bandwidth_page.htm");
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(builtPage(), expected);
}

TEST(HtmlReport, MemoryWalkFormMatchesGolden) {
  report_fixture::loadFilledInputs();
  app::setBoxChecked(app::boxMemoryWalk, true);
  const std::string page = builtPage();
  EXPECT_EQ(page, golden("walk_page.htm"));
  // No bandwidth table, and the same picture as the bandwidth form.
  EXPECT_EQ(page.find("Bandwidth Table"), std::string::npos);
  EXPECT_NE(page.find("<img src=\"twrep_07.bmp\">"), std::string::npos);
  EXPECT_LT(page.size(), 27u * 1024u);
}

TEST(HtmlReport, PageBeforeAnyRunHasEmptySummaryAndDashedFields) {
  report_fixture::loadEmptyInputs();
  const std::string page = builtPage();
  EXPECT_NE(page.find("Coppermine</p>\r\n<p>\r\n</p>\r\n<p><b>Bandwidth Graph:"), std::string::npos);
  EXPECT_EQ(occurrences(page, "    --- "), 13 * 10);
  // The step field of an unrun program shows the initial step of 4 bytes.
  EXPECT_NE(page.find("size=\"1\">Step    4 Bytes</font>"), std::string::npos);
}

TEST(HtmlReport, OneWidthLinePerMeasuredWidth) {
  struct Case {
    uint32_t memRead, mmxRead, sseRead, peak;
    int widthLines;
    bool peakLine;
  } cases[] = {
      {100000, 0, 0, 0, 1, false},   // a processor without MMX or SSE
      {100000, 200000, 0, 300000, 2, true},
      {100000, 200000, 300000, 0, 3, false},
      {0, 0, 0, 300000, 0, true},
  };
  for (const Case& c : cases) {
    report_fixture::loadEmptyInputs();
    engine::summaryValues.memReadRate = c.memRead;
    engine::summaryValues.mmxReadRate = c.mmxRead;
    engine::summaryValues.sseReadRate = c.sseRead;
    engine::summaryValues.peakRate = c.peak;
    const std::string page = builtPage();
    EXPECT_EQ(occurrences(page, "-bit Bandwidth: </b>Read: "), c.widthLines);
    EXPECT_EQ(occurrences(page, "Memory Peak Bandwidth"), c.peakLine ? 1 : 0);
  }
}

TEST(HtmlReport, ValueFieldsShowHundredthsWithComma) {
  report_fixture::loadEmptyInputs();
  engine::resultTables.table[engine::tableRead][0] = 50;
  engine::resultTables.table[engine::tableMmxRead][0] = 123456;
  engine::resultTables.table[engine::tableSseRead][0] = 12345678;   // needs six digits
  const std::string page = builtPage();
  EXPECT_NE(page.find("size=\"1\">    0,50</font><br>"), std::string::npos);
  EXPECT_NE(page.find("size=\"1\"> 1234,56</font><br>"), std::string::npos);
  EXPECT_NE(page.find("size=\"1\">123456,78</font><br>"), std::string::npos);
}

std::string osName(const platform::OsVersion& version) {
  char buffer[128] = {};
  text::outputCursor.position = buffer;
  report::appendOsNameOf(version);
  return std::string(buffer, text::outputCursor.position);
}

TEST(HtmlReport, OperatingSystemNames) {
  struct Case {
    uint32_t major, minor, platformId;
    const char* servicePack;
    const char* selfName;
    const char* name;
  } cases[] = {
      {0, 0, 0, "", "", "Unknown"},
      {4, 0, 2, "", "", "Windows NT\x99" "4.0"},
      {4, 0, 1, " C", "", "Windows 95\x99OSR2"},
      {4, 0, 1, " B", "", "Windows 95\x99"},
      {4, 0, 1, "", "", "Windows 95\x99"},
      {4, 10, 1, " A", "", "Windows 98\x99SE"},
      {4, 10, 1, "", "", "Windows 98\x99"},
      {4, 90, 1, "", "", "Windows Me\x99"},
      {3, 51, 2, "", "", "Windows NT\x99" "3.51"},
      {5, 0, 2, "", "", "Windows 2000\x99"},
      {5, 1, 2, "", "", "Windows XP\x99"},
      {0x70005, 0x30001, 2, "", "", "Windows XP\x99"},   // only the low 16 bits count
      {6, 2, 2, "", "", "Windows Unknown"},
      {6, 1, 0, "", "Linux 6.1.0", "Linux 6.1.0"},
  };
  for (const Case& c : cases) {
    platform::OsVersion v;
    v.major = c.major;
    v.minor = c.minor;
    v.platformId = c.platformId;
    std::memcpy(v.servicePack, c.servicePack, std::strlen(c.servicePack));
    std::strncpy(v.selfName, c.selfName, sizeof v.selfName - 1);
    EXPECT_EQ(osName(v), c.name) << c.major << "." << c.minor;
  }
}

} // namespace
