// POSIX shell: localtime_r for the clock; xdg-open, started detached, for documents, and only
// when a graphical session exists (a server or a test run has none, and must not spawn a
// browser).
#include "platform/shell.h"

#include <cstdlib>
#include <ctime>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

LocalTime readLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  LocalTime t;
  t.year = static_cast<uint16_t>(parts.tm_year + 1900);
  t.month = static_cast<uint16_t>(parts.tm_mon + 1);
  t.day = static_cast<uint16_t>(parts.tm_mday);
  t.hour = static_cast<uint16_t>(parts.tm_hour);
  t.minute = static_cast<uint16_t>(parts.tm_min);
  t.second = static_cast<uint16_t>(parts.tm_sec);
  return t;
}

namespace {
bool desktopPresent() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}
} // namespace

bool openDocument(const char* path) {
  if (!desktopPresent()) return false;
  // xdg-open may stay until the viewer exits; it is waited for only to reap it when it returns
  // at once with a failure, so the caller is never held up by the browser.
  char program[] = "xdg-open";
  char* argv[] = {program, const_cast<char*>(path), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, program, nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  if (waitpid(child, &status, WNOHANG) == child)
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return true;
}

} // namespace platform
