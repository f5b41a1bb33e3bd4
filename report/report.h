// The Report command: a numbered set of three files in the current directory, the HTML page
// "twrep_NN.htm", the chart picture "twrep_NN.bmp" and the table "twrep_NN.csv", written from
// what the last run left in the result records. The page is built in the first half of the
// report buffer; the table in the second half.
#pragma once
#include <cstdint>
#include <string>

#include "platform/shell.h"

namespace report {

// The current numbered names; NN is rewritten by every Report command.
struct ReportFiles {
  char pageName[13] = "twrep_01.htm";
  char pictureName[13] = "twrep_01.bmp";
  char tableName[13] = "twrep_01.csv";
  int reportNumber = -1;               // 0..99 once a command chose one
  platform::LocalTime reportTime;      // local time at the start of the last command
};
extern ReportFiles reportFiles;

// Highest report number; with all of 00..99 taken no page can be created.
constexpr int lastReportNumber = 99;

// What a Report command wrote; a file that could not be written had its message shown.
struct ReportOutcome {
  bool pageWritten = false;
  bool pictureWritten = false;
  bool tableWritten = false;
  bool pageOpened = false;
};

// The last report file that could not be created or written, and the system's reason; the
// command line prints them after the message, the window's message box shows the message alone.
struct ReportFailure {
  std::string fileName;
  std::string reason;
};
extern ReportFailure lastReportFailure;
// Keeps the file and reason in lastReportFailure, then shows the message.
void showFileFailure(const char* message, const char* fileName, const char* reason);

// The Report command: time, number, picture, page, (open), table, in that order. The command
// ends after "Couldn't create HTML file." when the page cannot be created, so no other file is
// written and nothing is opened. A page that cannot be written whole is removed and not opened;
// the table is still written. openPage asks the desktop to show the page.
ReportOutcome runReport(bool openPage);
// The same, with the time already in reportFiles.reportTime (so a page can be reproduced).
ReportOutcome writeReportSet(bool openPage);

// The first number NN whose page "twrep_NN.htm" cannot be opened, or -1 when 00..99 all exist.
int chooseReportNumber();
// Puts NN into the three names.
void setReportNumber(int number);

// The page for the current records into the first half of the report buffer; returns its
// length in bytes. The Memory Walk box decides between the bandwidth and the walk form.
uint32_t buildHtmlReport();
// The operating system's name at the text cursor ("Windows XP\x99", "Linux 6.1.0", "Unknown").
void appendOsName();

} // namespace report
