#include "tests/gui/probe_win32.h"

#include <cstdio>
#include <vector>

namespace probe {

Tally tally;

bool check(bool ok, const std::string& what, const std::string& detail) {
  if (ok) {
    ++tally.passed;
    std::printf("ok   %s\n", what.c_str());
  } else {
    ++tally.failed;
    std::printf("FAIL %s%s%s\n", what.c_str(), detail.empty() ? "" : ": ", detail.c_str());
  }
  std::fflush(stdout);
  return ok;
}

bool checkEqual(const std::string& what, const std::string& expected, const std::string& actual) {
  return check(expected == actual, what, "expected \"" + expected + "\", got \"" + actual + "\"");
}

LRESULT send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT fallback) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result))
    return fallback;
  return static_cast<LRESULT>(result);
}

bool responds(HWND window, UINT timeoutMs) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

std::string text(HWND window) {
  char buffer[512] = "";
  send(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

std::string listItem(HWND combo, int i) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, i, 0, SMTO_NORMAL, 10000, &length) ||
      length >= 64)
    return "";
  wchar_t wide[64] = L"";
  DWORD_PTR unused = 0;
  SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide), SMTO_NORMAL, 10000,
                      &unused);
  char item[128] = "";
  WideCharToMultiByte(1252, 0, wide, -1, item, sizeof item, nullptr, nullptr);
  return item;
}

std::string className(HWND window) {
  char buffer[128] = "";
  GetClassNameA(window, buffer, sizeof buffer);
  return buffer;
}

RECT windowRect(HWND window) {
  RECT r = {};
  GetWindowRect(window, &r);
  return r;
}

RECT rectIn(HWND parent, HWND child) {
  RECT r = windowRect(child);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string describe(const RECT& r) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "(%ld, %ld) %ld x %ld", r.left, r.top, r.right - r.left,
                r.bottom - r.top);
  return buffer;
}

bool waitFor(const std::function<bool()>& done, DWORD timeoutMs,
             const PROCESS_INFORMATION* program) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start >= timeoutMs) return done();
    if (program) {
      if (WaitForSingleObject(program->hProcess, 0) == WAIT_OBJECT_0) return done();
      dismissMessageBoxes(program->dwProcessId);
    }
    Sleep(10);
  }
}

namespace {

struct Search {
  DWORD pid;
  const char* windowClass;
  HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM data) {
  Search& search = *reinterpret_cast<Search*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search.pid && lstrcmpiA(className(window).c_str(), search.windowClass) == 0) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

// The text of a message box: its static child with id 0xFFFF.
std::string messageBoxText(HWND box) {
  HWND item = GetDlgItem(box, 0xFFFF);
  return item ? text(item) : std::string();
}

}  // namespace

HWND findWindowOf(DWORD pid, const char* windowClass) {
  Search search = {pid, windowClass, nullptr};
  EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void dismissMessageBoxes(DWORD pid) {
  while (HWND box = findWindowOf(pid, "#32770")) {
    if (!IsWindowVisible(box)) return;
    check(false, "no message box", "\"" + text(box) + "\" says \"" + messageBoxText(box) + "\"");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    waitFor([box] { return !IsWindow(box); }, 3000);
    if (IsWindow(box)) return;
  }
}

bool launch(const std::string& commandLine, const std::string& dir, PROCESS_INFORMATION& pi) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                        &si, &pi) != 0;
}

long finish(PROCESS_INFORMATION& pi, DWORD timeoutMs) {
  long code = -1;
  if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0) {
    DWORD exitCode = 0;
    GetExitCodeProcess(pi.hProcess, &exitCode);
    code = static_cast<long>(exitCode);
  } else {
    TerminateProcess(pi.hProcess, 99);
    WaitForSingleObject(pi.hProcess, 5000);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  pi = {};
  return code;
}

bool saveWindowPicture(HWND window, const std::string& path) {
  const RECT r = windowRect(window);
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return false;
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  header.biSizeImage = stride * static_cast<DWORD>(height);

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                     DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, picture);
  const bool copied = BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  bool written = false;
  if (copied && bits) {
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;   // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
      written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                std::fwrite(&header, sizeof header, 1, out) == 1 &&
                std::fwrite(bits, header.biSizeImage, 1, out) == 1;
      written = std::fclose(out) == 0 && written;
    }
  }
  SelectObject(memory, old);
  DeleteObject(picture);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return written;
}

HWND launchReady(const std::string& exe, const std::string& dir, const char* mainClass,
                 PROCESS_INFORMATION& pi) {
  if (!launch("\"" + exe + "\"", dir, pi)) return nullptr;
  HWND main = nullptr;
  waitFor([&] {
    if (!main) main = findWindowOf(pi.dwProcessId, mainClass);
    return main && IsWindowEnabled(main) && responds(main, 500);
  }, 60000, &pi);
  return main && IsWindowEnabled(main) ? main : nullptr;
}

std::string readFile(const std::string& path) {
  std::string data;
  if (FILE* in = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) data.append(buffer, n);
    std::fclose(in);
  }
  return data;
}

bool fileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace probe
