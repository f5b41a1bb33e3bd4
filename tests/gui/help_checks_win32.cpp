// End-to-end checks of "&Russian Help" and "&English Help": the program asks the shell to open
// a bare file name, so the help file is found in the program's current directory; the shell
// hands it to the help viewer, whose window carries the title compiled into the file.
#include "tests/gui/help_checks_win32.h"

#include <string>

#include "tests/gui/probe_win32.h"

namespace help_checks {
namespace {

using probe::check;

constexpr UINT russianHelp = 1811, englishHelp = 1812, exitCommand = 1000;

// The end of the Title line of each file's project. The Russian title begins with a Cyrillic
// word, which Wine's viewer decodes in the system's code page rather than the file's, so only
// its Latin end is compared.
struct HelpFile {
  UINT command;
  const char* name;
  const wchar_t* titleEnd;
};
const HelpFile helpFiles[] = {
    {englishHelp, "tw32eng.chm", L"Tidewell 32 Help"},
    {russianHelp, "tw32rus.chm", L" Tidewell 32"},
};

struct ViewerSearch {
  DWORD programPid;
  const wchar_t* titleEnd;
  HWND found;
};

bool endsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A visible top-level window of another process whose title ends as the help file's.
BOOL CALLBACK matchViewer(HWND window, LPARAM data) {
  ViewerSearch& s = *reinterpret_cast<ViewerSearch*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  wchar_t title[128] = L"";
  GetWindowTextW(window, title, 128);
  if (pid == s.programPid || !IsWindowVisible(window) || !endsWith(title, s.titleEnd))
    return TRUE;
  s.found = window;
  return FALSE;
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

void checkHelpFile(HWND main, DWORD pid, const HelpFile& file) {
  PostMessageA(main, WM_COMMAND, file.command, 0);
  ViewerSearch s = {pid, file.titleEnd, nullptr};
  const bool shown = probe::waitFor([&] {
    EnumWindows(matchViewer, reinterpret_cast<LPARAM>(&s));
    return s.found != nullptr;
  }, 20000);
  check(shown, std::string("command ") + std::to_string(file.command) + " opens " + file.name +
                   " in the help viewer");
  if (!shown) return;
  const HWND viewer = s.found;
  PostMessageA(viewer, WM_CLOSE, 0, 0);
  probe::waitFor([viewer] { return !IsWindow(viewer); }, 10000);
}

}  // namespace

void run(const std::string& exe, const std::string& workDir) {
  const std::string dir = workDir + "\\help";
  CreateDirectoryA(dir.c_str(), nullptr);
  for (const HelpFile& file : helpFiles) {
    const std::string from = folderOf(exe) + "\\" + file.name;
    check(CopyFileA(from.c_str(), (dir + "\\" + file.name).c_str(), FALSE) != 0,
          std::string(file.name) + " lies beside the program", from);
  }
  PROCESS_INFORMATION pi = {};
  const HWND main = probe::launchReady(exe, dir, "Tidewell32_Class", pi);
  if (check(main != nullptr, "main window ready for the help checks")) {
    for (const HelpFile& file : helpFiles) checkHelpFile(main, pi.dwProcessId, file);
    PostMessageA(main, WM_COMMAND, exitCommand, 0);
  }
  const long code = probe::finish(pi, 15000);
  check(code == 0, "the program ends after the help checks", std::to_string(code));
}

}  // namespace help_checks
