// The Report command as a whole: the numbering of the report set, and what is written and kept
// when a file cannot be created or written. The page is never opened here.
#include <gtest/gtest.h>

#include <string>

#include "app/panel_memory.h"
#include "chart/canvas.h"
#include "report/report.h"
#include "report_fixture.h"
#include "temp_dir.h"

namespace {

using testing_support::fileExists;
using testing_support::readWholeFile;
using testing_support::writeWholeFile;

class ReportCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    report_fixture::loadEmptyInputs();
    chart::resizeCanvas(chart::canvas, chart::clientWidth, chart::clientHeight, 0x00C0C0C0);
  }
  bool setExists(const char* nn) {
    const std::string base = std::string("twrep_") + nn;
    return fileExists(base + ".htm") && fileExists(base + ".bmp") && fileExists(base + ".csv");
  }
  testing_support::ScopedTempDir dir;
};

TEST_F(ReportCommand, NumbersCountUpAndFillTheFirstGap) {
  report::ReportOutcome first = report::runReport(false);
  EXPECT_TRUE(first.pageWritten && first.pictureWritten && first.tableWritten);
  EXPECT_FALSE(first.pageOpened);
  EXPECT_TRUE(setExists("00"));
  EXPECT_EQ(report::reportFiles.reportNumber, 0);

  report::runReport(false);
  EXPECT_TRUE(setExists("01"));
  EXPECT_STREQ(report::reportFiles.tableName, "twrep_01.csv");

  // Pages 00 and 02 present, 01 missing: 01 is used again.
  std::filesystem::remove("twrep_01.htm");
  writeWholeFile("twrep_02.htm", "older page");
  report::runReport(false);
  EXPECT_EQ(report::reportFiles.reportNumber, 1);
  EXPECT_EQ(readWholeFile("twrep_02.htm"), "older page");
  // The page embeds the picture of its own number.
  EXPECT_NE(readWholeFile("twrep_01.htm").find("<img src=\"twrep_01.bmp\">"), std::string::npos);
  EXPECT_EQ(app::memoryPanel.errorCount, 0u);
}

TEST_F(ReportCommand, WholeSetHasItsSizes) {
  report::runReport(false);
  EXPECT_EQ(readWholeFile("twrep_00.bmp").size(), 468150u);
  const std::string table = readWholeFile("twrep_00.csv");
  int lineEnds = 0;
  for (std::size_t at = table.find("\r\n"); at != std::string::npos; at = table.find("\r\n", at + 2))
    ++lineEnds;
  EXPECT_EQ(lineEnds, 302);
  const std::string page = readWholeFile("twrep_00.htm");
  EXPECT_EQ(page.substr(page.size() - 9), "</html>\r\n");
}

TEST_F(ReportCommand, AllNumbersTakenWritesNothing) {
  for (int n = 0; n <= 99; ++n) {
    const std::string nn = std::to_string(n / 10) + std::to_string(n % 10);
    writeWholeFile("twrep_" + nn + ".htm", "page " + nn);
  }
  const report::ReportOutcome outcome = report::runReport(false);
  EXPECT_FALSE(outcome.pageWritten || outcome.pictureWritten || outcome.tableWritten);
  EXPECT_STREQ(app::memoryPanel.lastError, "Couldn't create HTML file.");
  EXPECT_FALSE(fileExists("twrep_100.htm"));
  EXPECT_FALSE(fileExists("twrep_99.bmp"));
  EXPECT_FALSE(fileExists("twrep_99.csv"));
  EXPECT_EQ(readWholeFile("twrep_99.htm"), "page 99");
}

TEST_F(ReportCommand, PageThatCannotBeCreatedEndsTheCommand) {
  // An earlier report 05 and a directory where page 00 would go.
  writeWholeFile("twrep_05.htm", "page 05");
  writeWholeFile("twrep_05.csv", "table 05");
  report::setReportNumber(5);
  std::filesystem::create_directory("twrep_00.htm");
  const report::ReportOutcome outcome = report::runReport(false);
  EXPECT_FALSE(outcome.pageWritten || outcome.pictureWritten || outcome.tableWritten);
  EXPECT_EQ(app::memoryPanel.errorCount, 1u);
  EXPECT_STREQ(app::memoryPanel.lastError, "Couldn't create HTML file.");
  EXPECT_EQ(readWholeFile("twrep_05.csv"), "table 05");   // the earlier table is kept
  EXPECT_FALSE(fileExists("twrep_00.bmp"));
  EXPECT_FALSE(fileExists("twrep_00.csv"));
}

TEST_F(ReportCommand, PictureOrTableFailureLetsTheRestGoOn) {
  struct Case {
    const char* blocked;         // name made a directory, so it cannot be written
    const char* message;
    bool picture, table;
  } cases[] = {
      {"twrep_00.bmp", "Couldn't create BMP file.", false, true},
      {"twrep_01.csv", "Couldn't create CSV file.", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.blocked);
    app::memoryPanel.errorCount = 0;
    std::filesystem::create_directory(c.blocked);
    const report::ReportOutcome outcome = report::runReport(false);
    EXPECT_TRUE(outcome.pageWritten);
    EXPECT_EQ(outcome.pictureWritten, c.picture);
    EXPECT_EQ(outcome.tableWritten, c.table);
    EXPECT_EQ(app::memoryPanel.errorCount, 1u);
    EXPECT_STREQ(app::memoryPanel.lastError, c.message);
  }
}

TEST_F(ReportCommand, LinksAreNeverFollowed) {
  // The picture and the table replace a link by a file of their own; the page is created only
  // where nothing of its name exists, so a link dangling there ends the command.
  writeWholeFile("victim.txt", "victim");
  std::error_code error;
  std::filesystem::create_symlink("victim.txt", "twrep_00.bmp", error);
  if (error) GTEST_SKIP() << "no symbolic links here";
  std::filesystem::create_symlink("victim.txt", "twrep_00.csv", error);
  const report::ReportOutcome outcome = report::runReport(false);
  EXPECT_TRUE(outcome.pageWritten && outcome.pictureWritten && outcome.tableWritten);
  EXPECT_EQ(readWholeFile("victim.txt"), "victim");
  for (const char* name : {"twrep_00.bmp", "twrep_00.csv"})
    EXPECT_FALSE(std::filesystem::is_symlink(name)) << name;
  EXPECT_EQ(readWholeFile("twrep_00.bmp").size(), 468150u);

  std::filesystem::create_symlink("elsewhere.htm", "twrep_01.htm");
  EXPECT_FALSE(report::runReport(false).pageWritten);
  EXPECT_STREQ(app::memoryPanel.lastError, "Couldn't create HTML file.");
  EXPECT_FALSE(fileExists("elsewhere.htm"));
  EXPECT_EQ(report::lastReportFailure.fileName, "twrep_01.htm");
}

#if !defined(_WIN32)
TEST_F(ReportCommand, FilesThatCannotBeWrittenAreRemovedAndTheTableStillComes) {
  // The picture (468,150 bytes) and the page (about 16 KB) outgrow the limit, the table
  // (7,590 bytes) does not. A page created but not written whole does not end the command; it
  // is removed, so its number stays free. The stale picture of that number is kept.
  writeWholeFile("twrep_00.bmp", "stale picture");
  report::ReportOutcome outcome;
  {
    testing_support::FileSizeLimit limit(10000);
    if (!limit.active()) GTEST_SKIP() << "file size limit not available";
    outcome = report::runReport(false);
  }
  EXPECT_FALSE(outcome.pictureWritten);
  EXPECT_FALSE(outcome.pageWritten);
  EXPECT_TRUE(outcome.tableWritten);
  EXPECT_EQ(app::memoryPanel.errorCount, 2u);
  EXPECT_STREQ(app::memoryPanel.lastError, "Couldn't create HTML file.");
  EXPECT_EQ(report::lastReportFailure.fileName, "twrep_00.htm");
  EXPECT_FALSE(report::lastReportFailure.reason.empty());
  EXPECT_EQ(testing_support::directoryListing(), "twrep_00.bmp\ntwrep_00.csv\n");
  EXPECT_EQ(readWholeFile("twrep_00.bmp"), "stale picture");
  EXPECT_EQ(readWholeFile("twrep_00.csv").size(), 7590u);

  EXPECT_TRUE(report::runReport(false).pageWritten);
  EXPECT_EQ(report::reportFiles.reportNumber, 0);
  EXPECT_EQ(readWholeFile("twrep_00.bmp").size(), 468150u);
}
#endif

} // namespace
