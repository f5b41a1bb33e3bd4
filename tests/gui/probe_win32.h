// Helpers of the end-to-end driver: reading and poking another process's windows through
// messages that never hang the driver, waiting with a deadline, and the tally of checks.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace probe {

// Counts checks and prints one line per check: "ok   what" or "FAIL what: detail".
struct Tally {
  int passed = 0;
  int failed = 0;
};
extern Tally tally;
bool check(bool ok, const std::string& what, const std::string& detail = "");
// check(expected == actual), printing both when they differ.
bool checkEqual(const std::string& what, const std::string& expected, const std::string& actual);

// SendMessageTimeout that waits up to 10 s even for a thread that has not read its messages
// for a while (one busy in a run); answers fallback when the window did not answer.
LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
             LRESULT fallback = -999);
// True when the window's thread answers a WM_NULL within the timeout: it is idle again.
bool responds(HWND window, UINT timeoutMs = 2000);
std::string text(HWND window);   // WM_GETTEXT: also works for another process's edit controls
std::string className(HWND window);
// Item i of another process's combo box. Asked for in UTF-16: Wine passes only the first
// character of the 8-bit form from one process to another.
std::string listItem(HWND combo, int i);
// The window's outer rectangle, or its rectangle in the client coordinates of parent.
RECT windowRect(HWND window);
RECT rectIn(HWND parent, HWND child);
std::string describe(const RECT& r);   // "(x, y) w x h"

// Polls every 10 ms until done answers true or timeoutMs passes; answers the last answer.
// With a program: stops early when it has ended, and between polls reports its message boxes
// as failures and dismisses them.
bool waitFor(const std::function<bool()>& done, DWORD timeoutMs,
             const PROCESS_INFORMATION* program = nullptr);
// Closes every message box shown by process pid, failing one check per box with its text.
void dismissMessageBoxes(DWORD pid);

// The top-level window of the given class that belongs to process pid, or null.
HWND findWindowOf(DWORD pid, const char* windowClass);

// Starts a program with the given command line in directory dir.
bool launch(const std::string& commandLine, const std::string& dir, PROCESS_INFORMATION& pi);
// Waits for the process to end and answers its exit code; terminates it (answer -1) when it
// has not ended within timeoutMs.
long finish(PROCESS_INFORMATION& pi, DWORD timeoutMs);

// Starts the program in dir and waits until its main window (class mainClass) is enabled and
// answers; answers that window, or null when it did not get there within a minute.
HWND launchReady(const std::string& exe, const std::string& dir, const char* mainClass,
                 PROCESS_INFORMATION& pi);

// The whole file, or "" when it cannot be read.
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);

// Copies the window as it stands on the screen into a 24-bit BMP file.
bool saveWindowPicture(HWND window, const std::string& path);

}  // namespace probe
