// Plain text helpers over NUL-terminated Windows-1252 bytes: length, upper-casing, the append
// cursor in which reports and the settings file are assembled, and the checked-box counter.
#include "chart/text/format.h"

namespace text {

OutputCursor outputCursor;
uint32_t checkedCount = 0;

unsigned textLength(const char* textStart) {
  unsigned length = 0;
  while (textStart[length] != '\0') ++length;
  return length;
}

// Only ASCII letters: the Windows-1252 letters above 0x7F are never part of a number.
void upperCase(char* textStart) {
  for (char* p = textStart; *p != '\0'; ++p) {
    if (*p >= 'a' && *p <= 'z') *p = static_cast<char>(*p - 'a' + 'A');
  }
}

void appendBytes(const char* bytes, unsigned count) {
  char* cursor = outputCursor.position;
  for (unsigned i = 0; i < count; ++i) cursor[i] = bytes[i];
  outputCursor.position = cursor + count;
}

void appendText(const char* textStart) {
  appendBytes(textStart, textLength(textStart));
}

void countChecked(uint32_t checkState) {
  if ((checkState & 0xFFu) != 0) ++checkedCount;
}

} // namespace text
