// End-to-end driver of the window program, run under Wine in the same desktop as the program:
// starts Tidewell32.exe twice (plainly, then with /AUTOSTART), finds its windows and checks,
// through messages only, what a user would see and do. Prints one line per check and, last,
// "N passed, M failed"; exits 0 only when nothing failed.
//
//   gui_driver PROGRAM.exe WORK_DIR SCREENSHOT.bmp
//
// WORK_DIR must hold no report files: the program runs there and writes its reports there.
#include <cpuid.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/gui/dialogs_checks_win32.h"
#include "tests/gui/help_checks_win32.h"
#include "tests/gui/layout_win32.h"
#include "tests/gui/probe_win32.h"

namespace {

using layout::Box;
using probe::check;

const char* const mainClass = "Tidewell32_Class";
const char* const splashClass = "Tidewell32_Splash_ClassAbout";
const char* const title = "Tidewell 32";

struct Options {
  std::string exe, dir, screenshot;
};

struct Features {
  bool mmx = false, sse = false;
};

Features hostFeatures() {
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  Features f;
  if (__get_cpuid(1, &eax, &ebx, &ecx, &edx)) {
    f.mmx = (edx >> 23) & 1;
    f.sse = (edx >> 25) & 1;
  }
  return f;
}

bool sameRect(const RECT& r, int x, int y, int width, int height) {
  return r.left == x && r.top == y && r.right - r.left == width && r.bottom - r.top == height;
}

bool startsWith(const std::string& s, const std::string& head) {
  return s.compare(0, head.size(), head) == 0;
}

bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

void checkSplash(HWND splash) {
  if (!check(splash != nullptr, "splash window appears")) return;
  probe::checkEqual("splash title", title, probe::text(splash));
  const RECT r = probe::windowRect(splash);
  check(sameRect(r, 412, 318, 200, 133), "splash is 200 x 133 at (412, 318)", probe::describe(r));
  check(GetWindowLongPtrA(splash, GWL_EXSTYLE) & WS_EX_TOPMOST, "splash is topmost");
  const LONG_PTR style = GetWindowLongPtrA(splash, GWL_STYLE);
  check((style & (WS_POPUP | WS_BORDER | WS_CAPTION)) == (WS_POPUP | WS_BORDER),
        "splash is a bordered pop-up");
  HWND picture = GetDlgItem(splash, 0xFFFF);
  check(picture && (GetWindowLongPtrA(picture, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP &&
            probe::send(picture, STM_GETIMAGE, IMAGE_BITMAP, 0, 0) != 0,
        "splash shows its picture in a bitmap control");
}

// Watches the splash until it closes: the main window must stay disabled while it stands
// and be enabled after it. Answers the main window.
HWND watchSplash(const PROCESS_INFORMATION& pi, HWND splash, DWORD launched) {
  const DWORD pid = pi.dwProcessId;
  HWND main = nullptr;
  bool enabledEarly = false;
  DWORD mainShown = 0;
  probe::waitFor([&] {
    if (!main) main = probe::findWindowOf(pid, mainClass);
    if (main && !mainShown && IsWindowVisible(main)) mainShown = GetTickCount();
    const bool enabled = main && IsWindowEnabled(main);   // read before the splash: it closes first
    if (!IsWindow(splash)) return true;
    enabledEarly = enabledEarly || enabled;
    return false;
  }, 30000, &pi);
  const DWORD closed = GetTickCount();
  check(!IsWindow(splash) && closed - launched >= 3000,
        "splash closes no sooner than 3 s after the start",
        std::to_string(closed - launched) + " ms");
  // Its timer runs from the main window's creation, which ends before the window is shown;
  // the bound leaves seconds of room for a busy machine.
  check(mainShown && closed - mainShown <= 8000,
        "splash closes within 8 s of the main window showing",
        mainShown ? std::to_string(closed - mainShown) + " ms" : "main window never seen shown");
  check(!enabledEarly, "main window disabled while the splash stands");
  if (!main) main = probe::findWindowOf(pid, mainClass);
  check(main && probe::waitFor([main] { return IsWindowEnabled(main) != FALSE; }, 2000, &pi),
        "main window enabled once the splash has closed");
  return main;
}

void checkMainWindow(HWND main) {
  probe::checkEqual("main window title", title, probe::text(main));
  const RECT r = probe::windowRect(main);
  check(sameRect(r, 181, 105, 663, 559), "main window is 663 x 559 at (181, 105)",
        probe::describe(r));
  const LONG_PTR style = GetWindowLongPtrA(main, GWL_STYLE);
  check((style & WS_SYSMENU) && (style & WS_CAPTION) == WS_CAPTION &&
            !(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME | WS_POPUP | WS_CHILD)),
        "main window: caption and close box only, fixed size");
  check(IsWindowVisible(main) && GetMenu(main) != nullptr, "main window visible with its menu");
}

void click(const layout::Controls& c, Box box) { probe::send(c.box[box], BM_CLICK); }

// Clicks on the boxes and what the option rules make of them.
void checkOptionRules(const layout::Controls& c, const Features& host) {
  layout::Snapshot expect = layout::initialSnapshot(host.mmx, host.sse);
  layout::checkSnapshot("initial check boxes and lists on this processor", expect,
                        layout::takeSnapshot(c));
  auto step = [&](const char* what) {
    layout::checkSnapshot(what, expect, layout::takeSnapshot(c));
  };

  click(c, layout::copy);
  expect.checked[layout::copy] = expect.boxEnabled[layout::copyToItself] = true;
  step("checking Copy offers Copy to itself");
  click(c, layout::copyToItself);
  expect.checked[layout::copyToItself] = true;
  step("Copy to itself toggles only itself");
  click(c, layout::copy);
  expect.checked[layout::copy] = expect.boxEnabled[layout::copyToItself] = false;
  step("unchecking the last copy test disables Copy to itself, keeping its check");
  click(c, layout::copy);
  expect.checked[layout::copy] = expect.boxEnabled[layout::copyToItself] = true;
  step("checking Copy again enables Copy to itself, still checked");

  click(c, layout::readLatency);
  expect.checked[layout::readLatency] = expect.listEnabled[layout::latencyStep] = true;
  step("Read Latency offers its step list");
  click(c, layout::readLatency);
  expect.checked[layout::readLatency] = expect.listEnabled[layout::latencyStep] = false;
  step("unchecking Read Latency takes the step list away");
  click(c, layout::iterations);
  expect.checked[layout::iterations] = true;
  step("4x Iterations toggles only itself");

  if (host.sse) {
    click(c, layout::sseCopy);
    expect.checked[layout::sseCopy] = true;
  }
  click(c, layout::read);
  expect.checked[layout::read] = !expect.checked[layout::read];
  click(c, layout::memoryWalk);
  for (int b = layout::read; b <= layout::copyToItself; ++b)
    expect.checked[b] = expect.boxEnabled[b] = false;
  expect.checked[layout::readLatency] = expect.boxEnabled[layout::readLatency] = false;
  expect.checked[layout::memoryWalk] = true;
  expect.listEnabled[layout::startSize] = expect.listEnabled[layout::endSize] = false;
  expect.listEnabled[layout::walkStep] = true;
  step("Memory Walk on: every other test unchecked and disabled, only the walk step list");

  click(c, layout::memoryWalk);
  expect = layout::initialSnapshot(host.mmx, host.sse);
  for (bool& checked : expect.checked) checked = false;
  expect.checked[layout::iterations] = true;
  step("Memory Walk off: the supported tests enabled, all unchecked");

  click(c, layout::logY);
  expect.checked[layout::logY] = true;
  step("Log Y Axis checks");
  click(c, layout::logY);
  click(c, layout::iterations);
  expect.checked[layout::logY] = expect.checked[layout::iterations] = false;
  step("Log Y Axis and 4x Iterations uncheck");
}

// Start on 4 KB .. 8 KB with Read alone; the result fields are filled and the window is
// enabled again at the end.
void checkStart(HWND main, const layout::Controls& c, const PROCESS_INFORMATION& pi) {
  click(c, layout::read);
  probe::send(c.list[layout::endSize], CB_SETCURSEL, 1);   // "8 KB"
  const layout::Snapshot before = layout::takeSnapshot(c);
  const std::string processor = probe::text(c.field[layout::processor]);

  PostMessageA(main, WM_COMMAND, 550, 0);
  check(probe::waitFor([main] { return !IsWindowEnabled(main); }, 10000, &pi),
        "Start disables the window");
  check(probe::waitFor([main] { return IsWindowEnabled(main) && probe::responds(main, 500); },
                       90000, &pi),
        "the run ends with the window enabled");

  const std::string speed = probe::text(c.field[layout::memorySpeed]);
  check(startsWith(speed, "Latency: ") && endsWith(speed, " MB/s") &&
            speed.find(" Cycles, Peak Bandwidth: ") != std::string::npos,
        "memory speed line filled", speed);
  for (layout::Field f : {layout::maxBandwidth, layout::minBandwidth}) {
    const std::string line = probe::text(c.field[f]);
    const size_t at = line.rfind("Block Size: ");
    const long kb = at == std::string::npos ? 0 : std::strtol(line.c_str() + at + 12, nullptr, 10);
    check(startsWith(line, "Read: ") && line.find(" MB/s (") != std::string::npos &&
              line.find(" Cycles), ") != std::string::npos && endsWith(line, " KB") &&
              kb >= 4 && kb <= 8,
          f == layout::maxBandwidth ? "maximal bandwidth line: Read within 4..8 KB"
                                    : "minimal bandwidth line: Read within 4..8 KB",
          line);
  }
  probe::checkEqual("processor line unchanged by the run", processor,
                    probe::text(c.field[layout::processor]));
  layout::checkSnapshot("the run leaves the boxes and lists as they were", before,
                        layout::takeSnapshot(c));
}

void checkReport(HWND main, const std::string& dir, const PROCESS_INFORMATION& pi,
                 const char* number) {
  const std::string base = dir + "\\twrep_" + number;
  PostMessageA(main, WM_COMMAND, 551, 0);
  const bool done = probe::waitFor(
      [&] { return probe::fileExists(base + ".csv") && probe::responds(main, 500); }, 30000, &pi);
  const std::string page = probe::readFile(base + ".htm");
  const std::string picture = probe::readFile(base + ".bmp");
  const std::string table = probe::readFile(base + ".csv");
  const std::string name = std::string("twrep_") + number;
  check(done && page.find(name + ".bmp") != std::string::npos,
        "Report writes " + name + ".htm showing its picture");
  check(picture.size() > 54 && startsWith(picture, "BM"), "Report writes " + name + ".bmp");
  check(startsWith(table, "BlockSize;"), "Report writes " + name + ".csv");
  check(IsWindowEnabled(main) != FALSE, "window enabled after Report");
}

// A menu command that opens a modal dialog owned by the main window; its close box ends it.
void checkDialog(HWND main, DWORD pid, WPARAM command, const char* dialogTitle) {
  PostMessageA(main, WM_COMMAND, command, 0);
  HWND dialog = nullptr;
  probe::waitFor([&] {
    dialog = probe::findWindowOf(pid, "#32770");
    return dialog && IsWindowVisible(dialog);
  }, 10000);
  const std::string what = std::string("command ") + std::to_string(command) + " opens \"" +
                           dialogTitle + "\"";
  if (!check(dialog != nullptr, what)) return;
  check(probe::text(dialog) == dialogTitle && GetWindow(dialog, GW_OWNER) == main &&
            !IsWindowEnabled(main),
        what + ", modal over the main window", "title \"" + probe::text(dialog) + "\"");
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  check(probe::waitFor([&] { return !IsWindow(dialog) && IsWindowEnabled(main); }, 10000),
        std::string("\"") + dialogTitle + "\" closes with its close box");
}

void runPlainStart(const Options& o, const Features& host) {
  check(!probe::fileExists(o.dir + "\\twrep_00.htm"), "work directory holds no report yet");
  PROCESS_INFORMATION pi = {};
  const DWORD launched = GetTickCount();
  if (!check(probe::launch("\"" + o.exe + "\"", o.dir, pi), "program starts", o.exe)) return;
  const DWORD pid = pi.dwProcessId;

  HWND splash = nullptr;
  probe::waitFor([&] { return (splash = probe::findWindowOf(pid, splashClass)) != nullptr; },
                 20000, &pi);
  checkSplash(splash);
  HWND main = splash ? watchSplash(pi, splash, launched) : nullptr;
  if (check(main != nullptr, "main window appears")) {
    checkMainWindow(main);
    const layout::Controls controls = layout::checkControls(main);
    checkOptionRules(controls, host);
    checkStart(main, controls, pi);
    check(probe::saveWindowPicture(main, o.screenshot), "screenshot after the run", o.screenshot);
    checkReport(main, o.dir, pi, "00");
    checkReport(main, o.dir, pi, "01");
    checkDialog(main, pid, 1900, "Tidewell 32 - About");
    checkDialog(main, pid, 1800, "Tidewell 32 - Colors");
    PostMessageA(main, WM_COMMAND, 1000, 0);
  }
  const long code = probe::finish(pi, 15000);
  check(code == 0, "Exit ends the program with exit code 0", std::to_string(code));
}

void runAutostart(const Options& o) {
  PROCESS_INFORMATION pi = {};
  const std::string commandLine = "\"" + o.exe + "\" /AUTOSTART";
  if (!check(probe::launch(commandLine, o.dir, pi), "program starts with /AUTOSTART")) return;
  const DWORD pid = pi.dwProcessId;
  HWND main = nullptr;
  probe::waitFor([&] {
    if (!main) main = probe::findWindowOf(pid, mainClass);
    return main && IsWindowVisible(main);
  }, 90000, &pi);
  if (check(main && IsWindowVisible(main), "autostart: main window appears")) {
    const bool enabled = IsWindowEnabled(main) != FALSE;
    const std::string speed = probe::text(layout::findResultField(main, layout::memorySpeed));
    const std::string highest = probe::text(layout::findResultField(main, layout::maxBandwidth));
    check(startsWith(speed, "Latency: ") && highest.find(" MB/s (") != std::string::npos,
          "autostart: the run is done when the window is first shown", speed + " / " + highest);
    check(enabled, "autostart: window enabled when first shown");
    HWND splash = probe::findWindowOf(pid, splashClass);
    probe::waitFor([splash] { return !splash || !IsWindow(splash); }, 30000, &pi);
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);   // the close box
  }
  const long code = probe::finish(pi, 15000);
  check(code == 0, "close box ends the program with exit code 0", std::to_string(code));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: gui_driver PROGRAM.exe WORK_DIR SCREENSHOT.bmp\n");
    return 2;
  }
  const Options options = {argv[1], argv[2], argv[3]};
  layout::checkResources(options.exe);
  runPlainStart(options, hostFeatures());
  runAutostart(options);
  dialogs_checks::run(options.exe, options.dir);
  help_checks::run(options.exe, options.dir);
  std::printf("%d passed, %d failed\n", probe::tally.passed, probe::tally.failed);
  return probe::tally.failed ? 1 : 0;
}
