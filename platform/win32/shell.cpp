// Win32 shell: GetLocalTime for the clock, ShellExecuteA with the verb "open" for documents.
#include "platform/shell.h"

#include <windows.h>
#include <shellapi.h>

namespace platform {

LocalTime readLocalTime() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  LocalTime t;
  t.year = st.wYear;
  t.month = st.wMonth;
  t.day = st.wDay;
  t.hour = st.wHour;
  t.minute = st.wMinute;
  t.second = st.wSecond;
  return t;
}

bool openDocument(const char* path) {
  // Values above 32 mean the shell accepted the request.
  const HINSTANCE result = ShellExecuteA(nullptr, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace platform
