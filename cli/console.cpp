// Windows-1252 to UTF-8 for the terminal.
#include "cli/console.h"

#include "platform/windows1252.h"

namespace cli {

std::string utf8FromWindows1252(const char* text) { return platform::utf8FromWindows1252(text); }

void printLine(std::FILE* stream, const char* text1252) {
  const std::string line = platform::utf8FromWindows1252(text1252);
  std::fputs(line.c_str(), stream);
  std::fputc('\n', stream);
}

} // namespace cli
