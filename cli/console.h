// Output of the command-line program. The program's texts are Windows-1252 bytes; people read
// UTF-8, so every human-readable line is converted on the way out.
#pragma once
#include <cstdio>
#include <string>

namespace cli {
std::string utf8FromWindows1252(const char* text);
void printLine(std::FILE* stream, const char* text1252);   // converted, then '\n'
} // namespace cli
