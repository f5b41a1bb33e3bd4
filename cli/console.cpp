// Windows-1252 to UTF-8 for the terminal, and the check of standard output.
#include "cli/console.h"

#include <cerrno>
#include <cstring>

#include "platform/windows1252.h"

namespace cli {

namespace {
// errno of the first failed flush of standard output; 0 while none failed. The C library drops
// the lost bytes with the failure, so a later flush cannot tell the reason any more.
int standardOutputError = 0;
} // namespace

std::string utf8FromWindows1252(const char* text) { return platform::utf8FromWindows1252(text); }

void printLine(std::FILE* stream, const char* text1252) {
  const std::string line = platform::utf8FromWindows1252(text1252);
  std::fputs(line.c_str(), stream);
  std::fputc('\n', stream);
}

bool flushStandardOutput() {
  errno = 0;
  if (std::fflush(stdout) != 0 && standardOutputError == 0)
    standardOutputError = errno != 0 ? errno : EIO;
  return std::ferror(stdout) == 0;
}

void reportStandardOutputLoss() {
  std::string line = "tidewell32: Couldn't write to standard output.";
  if (standardOutputError != 0) line += std::string(" (") + std::strerror(standardOutputError) + ")";
  std::fprintf(stderr, "%s\n", line.c_str());
  std::fflush(stderr);
}

} // namespace cli
