// The command line's report options after a measurement: which files each option writes, the
// names printed, and the exit status and the line on standard error when a file cannot be
// written.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/panel_memory.h"
#include "cli/modes.h"
#include "report_fixture.h"
#include "temp_dir.h"

namespace {

using testing_support::fileExists;

struct OutputCase {
  const char* what;
  bool report;
  const char* csvPath;
  const char* blocked;          // a directory made under this name first, or ""
  int status;
  const char* printed;          // standard output
  const char* failure;          // the one line on standard error, up to the system's reason
  const char* existing[3];      // files present afterwards
  const char* missing[3];       // files that must not exist
};

TEST(ReportOutput, OptionsWriteTheirFilesAndGiveTheStatus) {
  const OutputCase cases[] = {
      {"nothing asked", false, "", "", cli::exitOk, "", "", {}, {"twrep_00.htm", "twrep_00.csv"}},
      {"the report set", true, "", "", cli::exitOk, "twrep_00.htm\ntwrep_00.bmp\ntwrep_00.csv\n",
       "", {"twrep_00.htm", "twrep_00.bmp", "twrep_00.csv"}, {}},
      {"the table alone", false, "run.csv", "", cli::exitOk, "run.csv\n", "", {"run.csv"},
       {"twrep_00.htm", "twrep_00.bmp"}},
      {"a table that cannot be written", false, "run.csv", "run.csv", cli::exitReportFailed, "",
       "tidewell32: Couldn't create CSV file. (run.csv: ", {}, {"twrep_00.htm"}},
      {"a page that cannot be created", true, "", "twrep_00.htm", cli::exitReportFailed, "",
       "tidewell32: Couldn't create HTML file. (twrep_00.htm: ", {},
       {"twrep_00.bmp", "twrep_00.csv"}},
      {"a picture that cannot be written", true, "", "twrep_00.bmp", cli::exitReportFailed,
       "twrep_00.htm\ntwrep_00.csv\n", "tidewell32: Couldn't create BMP file. (twrep_00.bmp: ",
       {"twrep_00.htm", "twrep_00.csv"}, {}},
  };
  for (const OutputCase& c : cases) {
    SCOPED_TRACE(c.what);
    testing_support::ScopedTempDir dir;
    report_fixture::loadEmptyInputs();
    if (*c.blocked) std::filesystem::create_directory(c.blocked);
    cli::CliOptions options;
    options.report = c.report;
    options.csvPath = c.csvPath;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = cli::writeRequestedReports(options);
    const std::string printed = testing::internal::GetCapturedStdout();
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(printed, c.printed);
    // One line: the message, then the file and the system's reason in brackets.
    EXPECT_EQ(errors.rfind(c.failure, 0), 0u) << errors;
    if (*c.failure) {
      EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
      EXPECT_GT(errors.size(), std::strlen(c.failure) + 3) << errors;   // a reason, ")\n"
      EXPECT_EQ(errors.substr(errors.size() - 2), ")\n") << errors;
    } else {
      EXPECT_EQ(errors, "");
    }
    for (const char* name : c.existing) {
      if (name) {
        EXPECT_TRUE(fileExists(name)) << name;
      }
    }
    for (const char* name : c.missing) {
      if (name) {
        EXPECT_FALSE(fileExists(name)) << name;
      }
    }
    EXPECT_EQ(app::memoryPanel.errorSink, nullptr);   // the sink the run had is back
  }
}

} // namespace
