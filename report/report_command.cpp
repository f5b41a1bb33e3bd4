// The Report command: picks the first free report number, creates the page under it (never
// over an existing page), then writes the picture, the page and the table. When the page cannot
// be created the command stops at its message: opening a missing page or writing a table under
// an older report's number would only overwrite that report's data.
#include <cstring>

#include "app/panel.h"
#include "engine/working_memory.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "report/csv_report.h"
#include "report/picture.h"
#include "report/report.h"

namespace report {

ReportFiles reportFiles;

namespace {

constexpr const char htmlFailure[] = "Couldn't create HTML file.";

// "twrep_NN.xxx" with NN written over the two digits after "twrep_".
void putNumber(char* name, int number) {
  name[6] = static_cast<char>('0' + number / 10);
  name[7] = static_cast<char>('0' + number % 10);
}

} // namespace

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
  platform::FileHandle page = platform::invalidFile;
  if (number >= 0) {
    putNumber(pageName, number);
    page = platform::createNewFile(pageName, platform::FileShare::readWrite);
  }
  if (page == platform::invalidFile) {
    app::showPanelError(htmlFailure);
    return outcome;
  }
  setReportNumber(number);

  drawReportLegend();
  outcome.pictureWritten = writeChartPicture(reportFiles.pictureName);

  const uint32_t length = buildHtmlReport();
  outcome.pageWritten =
      platform::writeFileBytes(page, engine::workingMemory.reportBuffer, length);
  if (!outcome.pageWritten) app::showPanelError(htmlFailure);
  platform::closeFile(page);

  // The page exists now (whole, or as far as it could be written), so the viewer has
  // something to show; whether the desktop could open it is not reported.
  if (openPage) outcome.pageOpened = platform::openDocument(reportFiles.pageName);
  outcome.tableWritten = writeCsvReport(reportFiles.tableName);
  return outcome;
}

ReportOutcome runReport(bool openPage) {
  reportFiles.reportTime = platform::readLocalTime();
  return writeReportSet(openPage);
}

} // namespace report
