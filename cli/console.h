// Output of the command-line program. The program's texts are Windows-1252 bytes; people read
// UTF-8, so every human-readable line is converted on the way out. Standard output is checked
// at the end of every mode: output that was lost is a failure of the program.
#pragma once
#include <cstdio>
#include <string>

namespace cli {
std::string utf8FromWindows1252(const char* text);
void printLine(std::FILE* stream, const char* text1252);   // converted, then '\n'

// Flushes standard output; false once anything written to it was lost, now or earlier. The
// reason of the first loss is kept for reportStandardOutputLoss.
bool flushStandardOutput();
// One line on standard error: standard output lost what was written to it, and why.
void reportStandardOutputLoss();
} // namespace cli
