// The Report command: picks the first free report number, creates the page under it (never
// over an existing page), then writes the picture, the page and the table. When the page cannot
// be created the command stops at its message: opening a missing page or writing a table under
// an older report's number would only overwrite that report's data. A page that cannot be
// written whole is removed, so its number is free for the next command.
#include <cstring>
#include <string>

#include "app/panel.h"
#include "engine/working_memory.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "report/csv_report.h"
#include "report/picture.h"
#include "report/report.h"

namespace report {

ReportFiles reportFiles;
ReportFailure lastReportFailure;

namespace {

constexpr const char htmlFailure[] = "Couldn't create HTML file.";
constexpr const char allNumbersTaken[] = "every number from 00 to 99 is taken";

// "twrep_NN.xxx" with NN written over the two digits after "twrep_".
void putNumber(char* name, int number) {
  name[6] = static_cast<char>('0' + number / 10);
  name[7] = static_cast<char>('0' + number % 10);
}

} // namespace

void showFileFailure(const char* message, const char* fileName, const char* reason) {
  lastReportFailure = {fileName, reason};
  app::showPanelError(message);
}

void setReportNumber(int number) {
  reportFiles.reportNumber = number;
  putNumber(reportFiles.pageName, number);
  putNumber(reportFiles.pictureName, number);
  putNumber(reportFiles.tableName, number);
}

int chooseReportNumber() {
  char name[13];
  std::memcpy(name, reportFiles.pageName, sizeof name);
  for (int number = 0; number <= lastReportNumber; ++number) {
    putNumber(name, number);
    const platform::FileHandle page =
        platform::openExistingFile(name, platform::FileShare::readWrite);
    if (page == platform::invalidFile) return number;
    platform::closeFile(page);
  }
  return -1;   // 00..99 all taken: a three-digit name would not fit the names
}

ReportOutcome writeReportSet(bool openPage) {
  ReportOutcome outcome;
  const int number = chooseReportNumber();
  char pageName[13];
  std::memcpy(pageName, reportFiles.pageName, sizeof pageName);
  if (number < 0) {
    putNumber(pageName, lastReportNumber);
    showFileFailure(htmlFailure, pageName, allNumbersTaken);
    return outcome;
  }
  putNumber(pageName, number);
  const platform::FileHandle page =
      platform::createNewFile(pageName, platform::FileShare::readWrite);
  if (page == platform::invalidFile) {
    showFileFailure(htmlFailure, pageName, platform::lastFileErrorText());
    return outcome;
  }
  setReportNumber(number);

  drawReportLegend();
  outcome.pictureWritten = writeChartPicture(reportFiles.pictureName);

  const uint32_t length = buildHtmlReport();
  outcome.pageWritten =
      platform::writeFileBytes(page, engine::workingMemory.reportBuffer, length);
  platform::closeFile(page);
  if (!outcome.pageWritten) {
    // A cut-off page would hold its number for good; without it the next command takes the
    // number again and replaces this command's picture and table.
    const std::string reason = platform::lastFileErrorText();
    platform::removeFile(pageName);
    showFileFailure(htmlFailure, pageName, reason.c_str());
  }

  // Whether the desktop could open the page is not reported.
  if (openPage && outcome.pageWritten)
    outcome.pageOpened = platform::openDocument(reportFiles.pageName);
  outcome.tableWritten = writeCsvReport(reportFiles.tableName);
  return outcome;
}

ReportOutcome runReport(bool openPage) {
  reportFiles.reportTime = platform::readLocalTime();
  return writeReportSet(openPage);
}

} // namespace report
