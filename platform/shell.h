// Seam: the desktop shell and the local clock. Opening a document hands it to the user's
// viewer (the browser for a report page) and does not wait for it.
#pragma once
#include <cstdint>

namespace platform {

// Local calendar time, as the system clock and time zone give it.
struct LocalTime {
  uint16_t year = 0;
  uint16_t month = 0;    // 1..12
  uint16_t day = 0;      // 1..31
  uint16_t hour = 0, minute = 0, second = 0;
};
LocalTime readLocalTime();

// Asks the desktop to open the document with its viewer; false when there is no desktop to ask
// or it refused at once. The caller may ignore the result.
bool openDocument(const char* path);

} // namespace platform
