// End-to-end checks of the About and Colors dialogs: the program runs once more, in a folder of
// its own so the settings file it writes can be read byte for byte, and the driver opens the
// dialogs with their menu commands, reads their texts, pixels and cursors, clicks the links and
// buttons, and answers the colour picker.
#include "tests/gui/dialogs_checks_win32.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/gui/probe_win32.h"

namespace dialogs_checks {
namespace {

using probe::check;

constexpr UINT aboutCommand = 1900, colorsCommand = 1800, exitCommand = 1000;
constexpr int aboutOk = 1901, colorsOk = 1890, colorsDefault = 1891, changeFirst = 1810;
constexpr int homepageLink = 200, firstMailLink = 201, secondMailLink = 202;
constexpr COLORREF blue = RGB(0, 0, 255);

const char* const iniName = "tidewl32.ini";
// The file with the built-in colours, line by line: [Colors], then blue-green-red digits of
// Read, Write, Copy, the MMX and SSE tests, Read Latency, Memory Walk, Background and Grid.
const char* const defaultIni =
    "[Colors]\r\n0000FFH\r\nFF0000H\r\n00FF00H\r\nFFFFFFH\r\nFF00FFH\r\n00FFFFH\r\n"
    "808000H\r\n800080H\r\n008080H\r\nFFFF00H\r\n0080FFH\r\nC0C0C0H\r\n000000H\r\n";
// Each row's default colour and swatch y, in the dialog's row order.
const COLORREF rowDefaults[13] = {0x0000FF, 0xFF0000, 0x00FF00, 0xFFFFFF, 0xFF00FF,
                                  0x00FFFF, 0x808000, 0x800080, 0x008080, 0xFFFF00,
                                  0x0080FF, 0xC0C0C0, 0x000000};
const int swatchY[13] = {32, 51, 70, 89, 109, 129, 149, 169, 189, 208, 227, 246, 265};
constexpr int backgroundRow = 11;

struct Search {
  DWORD pid;
  std::string title;   // empty: any title
  HWND owner;          // null: any owner
  HWND found;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM data) {
  Search& s = *reinterpret_cast<Search*>(data);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != s.pid || probe::className(window) != "#32770" || !IsWindowVisible(window))
    return TRUE;
  if (!s.title.empty() && probe::text(window) != s.title) return TRUE;
  if (s.owner && GetWindow(window, GW_OWNER) != s.owner) return TRUE;
  s.found = window;
  return FALSE;
}

HWND waitForDialog(DWORD pid, const std::string& title, HWND owner = nullptr) {
  Search s = {pid, title, owner, nullptr};
  probe::waitFor([&] {
    EnumWindows(matchDialog, reinterpret_cast<LPARAM>(&s));
    return s.found != nullptr;
  }, 10000);
  return s.found;
}

bool waitClosed(HWND window) {
  return probe::waitFor([window] { return !IsWindow(window) || !IsWindowVisible(window); }, 10000);
}


COLORREF pixelAt(HWND window, int x, int y) {
  POINT p = {x, y};
  ClientToScreen(window, &p);
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, p.x, p.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

std::string hex(COLORREF colour) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%06lX", static_cast<unsigned long>(colour));
  return buffer;
}

// Longest run of blue pixels along a row of the control's screen rectangle, and the count of
// blue pixels in it.
struct BlueInk {
  int pixels = 0;
  int longestRun = 0;
};

BlueInk blueInk(HWND control) {
  const RECT r = probe::windowRect(control);
  HDC screen = GetDC(nullptr);
  BlueInk ink;
  for (int y = r.top; y < r.bottom; ++y) {
    int run = 0;
    for (int x = r.left; x < r.right; ++x) {
      const bool isBlue = GetPixel(screen, x, y) == blue;
      ink.pixels += isBlue;
      run = isBlue ? run + 1 : 0;
      if (run > ink.longestRun) ink.longestRun = run;
    }
  }
  ReleaseDC(nullptr, screen);
  return ink;
}

// The cursor a control sets when the system tells it the pointer is over it. (Moving the real
// pointer works too under Wine, but its cursor shows only after the next move.)
HCURSOR cursorOver(HWND control) {
  probe::send(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
              MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  CURSORINFO info = {};
  info.cbSize = sizeof info;
  GetCursorInfo(&info);
  return info.hCursor;
}

bool centredOver(HWND window, HWND owner, std::string& detail) {
  const RECT o = probe::windowRect(owner), w = probe::windowRect(window);
  const int width = w.right - w.left, height = w.bottom - w.top;
  const int left = o.left + ((o.right - o.left) / 2 - width / 2);
  const int top = o.top + ((o.bottom - o.top) / 2 - height / 2);
  detail = probe::describe(w) + " over " + probe::describe(o);
  return w.left == left && w.top == top;
}

BOOL CALLBACK collectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

std::vector<HWND> children(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(parent, collectChild, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The texts of the dialog's text controls, in template order, joined by "|".
std::string staticTexts(HWND dialog) {
  std::string joined;
  for (HWND child : children(dialog)) {
    if (probe::className(child) != "Static") continue;
    if ((GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
    joined += (joined.empty() ? "" : "|") + probe::text(child);
  }
  return joined;
}

bool logHolds(const std::string& log, const std::string& line) {
  return probe::waitFor(
      [&] { return probe::readFile(log).find(line) != std::string::npos; }, 10000);
}

void checkLinks(HWND dialog, const std::string& shellLog) {
  HWND links[] = {GetDlgItem(dialog, homepageLink), GetDlgItem(dialog, firstMailLink),
                  GetDlgItem(dialog, secondMailLink)};
  HWND label = nullptr;   // "Tidewell 32", a text that overlaps no link
  for (HWND child : children(dialog))
    if (!label && probe::text(child) == "Tidewell 32") label = child;
  const RECT r = probe::windowRect(links[0]);
  const LPARAM middle = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  bool hit = true;
  for (HWND link : links) hit = hit && probe::send(link, WM_NCHITTEST, 0, middle) == HTCLIENT;
  check(hit && probe::send(label, WM_NCHITTEST, 0, middle) == HTTRANSPARENT,
        "About: the three links take the mouse, the other texts do not");

  probe::responds(dialog);
  Sleep(300);   // painted
  bool underlinedBlue = true;
  std::string ink;
  for (HWND link : links) {
    const BlueInk b = blueInk(link);
    underlinedBlue = underlinedBlue && b.longestRun >= 40;   // the underline of the text
    ink += std::to_string(b.pixels) + "/" + std::to_string(b.longestRun) + " ";
  }
  const BlueInk plain = blueInk(label);
  check(underlinedBlue && plain.pixels == 0,
        "About: link texts underlined in blue, the other texts not", ink + "label " +
        std::to_string(plain.pixels));

  const HCURSOR onLabel = cursorOver(label);
  bool hand = onLabel != nullptr;
  for (HWND link : links) {
    const HCURSOR onLink = cursorOver(link);
    hand = hand && onLink != onLabel && onLink == cursorOver(links[0]);
    hand = hand && cursorOver(label) == onLabel;   // and back to the normal one
  }
  check(hand, "About: over each link the pointer is the link cursor, over other texts not");

  for (HWND link : links) {
    PostMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  }
  if (shellLog.empty()) {
    check(false, "About: the shell is asked to open the links", "TW_SHELL_LOG is not set");
    return;
  }
  check(logHolds(shellLog, "http://tidewell32.example/"),
        "About: a click on the homepage asks the shell to open http://tidewell32.example/");
  check(logHolds(shellLog, "mailto:team@tidewell32.example") &&
            logHolds(shellLog, "mailto:bugs@tidewell32.example"),
        "About: a click on an e-mail address asks the shell to open mailto: and the address",
        probe::readFile(shellLog));
  check(IsWindowVisible(dialog) != FALSE, "About: the dialog stays open after the clicks");
}

void checkAbout(HWND main, DWORD pid, const std::string& shellLog) {
  PostMessageA(main, WM_COMMAND, aboutCommand, 0);
  HWND dialog = waitForDialog(pid, "Tidewell 32 - About");
  if (!check(dialog != nullptr, "About opens its dialog")) return;
  check(GetWindow(dialog, GW_OWNER) == main && !IsWindowEnabled(main),
        "About: owned by the main window, which it disables");
  std::string where;
  check(centredOver(dialog, main, where), "About: centred over the main window", where);
  probe::checkEqual("About: texts",
                    "Tidewell 32|Version 0.90.91, 17-Oct-2002|Homepage:|http://tidewell32.example/|"
                    "By the Tidewell 32 project|Email:|team@tidewell32.example|"
                    "Test conception: Tidewell 32 project|Email:|bugs@tidewell32.example|"
                    "Free software under the MIT licence.",
                    staticTexts(dialog));
  checkLinks(dialog, shellLog);
  PostMessageA(dialog, WM_COMMAND, aboutOk, 0);
  check(waitClosed(dialog) && probe::waitFor([main] { return IsWindowEnabled(main) != FALSE; },
                                             5000),
        "About: \"&Ok\" closes it and gives the main window back");
}

HWND openColors(HWND main, DWORD pid) {
  PostMessageA(main, WM_COMMAND, colorsCommand, 0);
  HWND dialog = waitForDialog(pid, "Tidewell 32 - Colors");
  if (dialog) {
    probe::responds(dialog);
    Sleep(300);   // painted
  }
  return dialog;
}

// Closes the dialog with a command or the close box and waits until the main window is back.
bool closeColors(HWND main, HWND dialog, bool closeBox) {
  if (closeBox)
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  else
    PostMessageA(dialog, WM_COMMAND, colorsOk, 0);
  return waitClosed(dialog) &&
         probe::waitFor([main] { return IsWindowEnabled(main) && probe::responds(main, 500); },
                        5000);
}

// The picker opened by a row's "Change...", owned by the Colors dialog.
HWND openPicker(HWND dialog, DWORD pid, int row) {
  PostMessageA(dialog, WM_COMMAND, changeFirst + row, 0);
  return waitForDialog(pid, "", dialog);
}

void checkSwatches(HWND dialog, const COLORREF* expected, const char* what) {
  std::string wrong;
  for (int row = 0; row < 13; ++row) {
    const COLORREF seen = pixelAt(dialog, 132, swatchY[row]);
    if (seen != expected[row]) wrong += " row " + std::to_string(row + 1) + ": " + hex(seen);
  }
  check(wrong.empty(), what, wrong);
}

void checkColors(HWND main, DWORD pid, const std::string& dir) {
  const std::string ini = dir + "\\" + iniName;
  HWND dialog = openColors(main, pid);
  if (!check(dialog != nullptr, "Colors opens its dialog")) return;
  std::string where;
  check(GetWindow(dialog, GW_OWNER) == main && centredOver(dialog, main, where),
        "Colors: owned by the main window and centred over it", where);
  checkSwatches(dialog, rowDefaults, "Colors: thirteen swatches in the default colours");
  check(closeColors(main, dialog, true) && !probe::fileExists(ini),
        "Colors: closed by the close box without a change, it writes no settings file");
  dialog = openColors(main, pid);
  check(dialog && closeColors(main, dialog, false) && !probe::fileExists(ini),
        "Colors: closed by \"&Ok\" without a change, it writes no settings file");

  dialog = openColors(main, pid);
  if (!dialog) return;
  HWND picker = openPicker(dialog, pid, 0);
  check(picker != nullptr && !IsWindowEnabled(dialog),
        "Colors: \"Change...\" opens the colour picker over the disabled dialog");
  if (picker) {
    PostMessageA(picker, WM_COMMAND, IDCANCEL, 0);
    waitClosed(picker);
    probe::responds(dialog);
    Sleep(200);
  }
  checkSwatches(dialog, rowDefaults, "Colors: cancelling the picker keeps the colour");
  PostMessageA(dialog, WM_COMMAND, colorsDefault, 0);
  check(closeColors(main, dialog, false) && probe::readFile(ini) == defaultIni,
        "Colors: \"&Default\" then \"&Ok\" writes tidewl32.ini byte for byte",
        probe::readFile(ini));

  const COLORREF silver = RGB(192, 192, 192), chosen = RGB(0x20, 0x40, 0x60);
  const int plotX = 70 + 16, plotY = 70 + 16;   // inside the first grid cell
  check(pixelAt(main, plotX, plotY) == silver, "the plotting area starts silver",
        hex(pixelAt(main, plotX, plotY)));
  dialog = openColors(main, pid);
  if (!dialog) return;
  picker = openPicker(dialog, pid, backgroundRow);
  if (!check(picker != nullptr, "Colors: the picker opens for \"Background:\"")) return;
  const char* parts[] = {"32", "64", "96"};   // red, green, blue edit fields
  for (int i = 0; i < 3; ++i)
    probe::send(GetDlgItem(picker, 706 + i), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(parts[i]));
  PostMessageA(picker, WM_COMMAND, IDOK, 0);
  waitClosed(picker);
  probe::responds(dialog);
  Sleep(200);
  COLORREF expected[13];
  for (int row = 0; row < 13; ++row) expected[row] = rowDefaults[row];
  expected[backgroundRow] = chosen;
  checkSwatches(dialog, expected, "Colors: the Background swatch shows the picked colour");
  check(closeColors(main, dialog, false) &&
            probe::readFile(ini).substr(10 + 11 * 9, 9) == "604020H\r\n",
        "Colors: the picked Background colour is saved on its line", probe::readFile(ini));
  Sleep(200);
  check(pixelAt(main, plotX, plotY) == chosen,
        "Colors: the plotting area is redrawn in the new Background colour",
        hex(pixelAt(main, plotX, plotY)));
}

// A settings file that cannot be written: the message box is the Colors dialog's.
void checkWriteFailure(HWND main, DWORD pid, const std::string& dir) {
  const std::string ini = dir + "\\" + iniName;
  DeleteFileA(ini.c_str());
  CreateDirectoryA(ini.c_str(), nullptr);   // a folder in the file's place
  HWND dialog = openColors(main, pid);
  if (!dialog) return;
  PostMessageA(dialog, WM_COMMAND, colorsOk, 0);
  HWND box = waitForDialog(pid, "Tidewell 32", dialog);
  std::string said;
  if (box)
    for (HWND child : children(box))
      if (probe::text(child) == "Couldn't create INI file.") said = probe::text(child);
  check(box && !said.empty(),
        "Colors: a settings file that cannot be written gives \"Couldn't create INI file.\", "
        "owned by the dialog");
  if (box) PostMessageA(box, WM_COMMAND, IDOK, 0);
  check(waitClosed(dialog), "Colors: the dialog closes after the message");
  RemoveDirectoryA(ini.c_str());
}

}  // namespace

void run(const std::string& exe, const std::string& workDir) {
  const std::string dir = workDir + "\\dialogs";
  CreateDirectoryA(dir.c_str(), nullptr);
  const char* log = std::getenv("TW_SHELL_LOG");
  PROCESS_INFORMATION pi = {};
  const HWND main = probe::launchReady(exe, dir, "Tidewell32_Class", pi);
  if (check(main != nullptr, "main window ready for the dialog checks")) {
    checkAbout(main, pi.dwProcessId, log ? log : "");
    checkColors(main, pi.dwProcessId, dir);
    checkWriteFailure(main, pi.dwProcessId, dir);
    PostMessageA(main, WM_COMMAND, exitCommand, 0);
  }
  const long code = probe::finish(pi, 15000);
  check(code == 0, "the program ends after the dialog checks", std::to_string(code));
}

}  // namespace dialogs_checks
