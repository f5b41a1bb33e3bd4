// Failure messages on POSIX systems: the message text on standard error, as UTF-8, since the
// program's texts are Windows-1252 bytes and terminals read UTF-8. There is no window to own
// a message, so the owner is not kept.
#include "platform/message.h"

#include <cstdio>
#include <string>

#include "platform/windows1252.h"

namespace platform {

void setMessageOwner(void*) {}

void showErrorMessage(const char* text) {
  const std::string line = utf8FromWindows1252(text);
  std::fputs(line.c_str(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

} // namespace platform
