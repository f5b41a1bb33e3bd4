// Window placement and the command-line keyword.
#include "app/launch.h"

namespace app {

int centreOrigin(uint32_t size, uint32_t screenExtent) {
  return static_cast<int>(screenExtent >> 1) - static_cast<int>(size >> 1);
}

bool commandLineHas(const char* commandLine, const char* keyword) {
  if (!commandLine || !keyword) return false;
  // Each position is tried as a start, so a keyword right behind one of its own beginnings
  // ("aautostart") is found as well. Only A..Z are folded; other bytes compare as they are.
  for (const char* start = commandLine; *start; ++start) {
    const char* c = start;
    const char* k = keyword;
    while (*k && *c) {
      const char folded = (*c >= 'A' && *c <= 'Z') ? static_cast<char>(*c | 0x20) : *c;
      if (folded != *k) break;
      ++c;
      ++k;
    }
    if (!*k) return true;
  }
  return false;
}

} // namespace app
