// Windows-1252 text to UTF-8, for the places where the program's own texts leave for a
// terminal or a pipe instead of a Windows control. Shared by both platform libraries.
#pragma once
#include <cstdint>
#include <string>

namespace platform {

// Code points of 0x80..0x9F in Windows-1252; 0 where the code page leaves the byte undefined.
inline constexpr uint16_t windows1252HighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// Undefined bytes become U+FFFD; every other byte maps to one code point.
inline std::string utf8FromWindows1252(const char* text) {
  std::string out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    uint32_t cp = *p;
    if (cp >= 0x80 && cp < 0xA0) {
      cp = windows1252HighControls[cp - 0x80] ? windows1252HighControls[cp - 0x80] : 0xFFFD;
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

} // namespace platform
