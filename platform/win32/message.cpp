// Failure messages on Windows: a modal message box with the stop icon and the caption
// "Tidewell 32", owned by the window the program named. A console program (the command-line
// build) has no window to own one and may run unattended, so it writes the text to standard
// error instead, as UTF-8 like the native command-line program.
#include "platform/message.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/windows1252.h"

namespace platform {
namespace {

HWND owner = nullptr;

// The subsystem field of this executable's own header: console or windowed.
bool isConsoleProgram() {
  const auto* base = reinterpret_cast<const unsigned char*>(GetModuleHandleA(nullptr));
  if (!base) return false;
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  return nt->OptionalHeader.Subsystem == IMAGE_SUBSYSTEM_WINDOWS_CUI;
}

} // namespace

void setMessageOwner(void* window) { owner = static_cast<HWND>(window); }

void showErrorMessage(const char* text) {
  if (isConsoleProgram()) {
    const std::string line = utf8FromWindows1252(text);
    std::fputs(line.c_str(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
    return;
  }
  MessageBoxA(owner, text, "Tidewell 32", MB_OK | MB_ICONHAND);
}

} // namespace platform
