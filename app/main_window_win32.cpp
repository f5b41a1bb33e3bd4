// The main window's procedure: its creation prepares the whole program (start-up checks,
// working memory, colours, controls, clock, processor text, chart scale, result fields, and
// the autostart run), painting copies the chart canvas, the splash timer ends the splash, and
// destruction gives the working memory back and ends the message loop.
#include "app/clock_and_scale.h"
#include "app/launch.h"
#include "app/option_rules.h"
#include "app/startup.h"
#include "app/window_win32.h"
#include "chart/axes.h"
#include "chart/canvas.h"
#include "chart/frame.h"
#include "dialogs/settings.h"
#include "engine/run/run.h"
#include "engine/working_memory.h"
#include "platform/message.h"

namespace app {
namespace {

// A check failed: the splash goes first so the message is not hidden behind it, then the main
// window closes inside its own creation, which ends the program with exit code 0.
void refuseToStart(HWND window, const StartupStatus& status) {
  SendMessageA(shell.splashWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
  reportStartupFailure(status);
  SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// The clock, the processor text, and the top of the bandwidth axis from the start-up peak
// estimate; the X axis shows block sizes until Memory Walk is chosen.
void prepareChart() {
  prepareClockAndScale();
  chart::setBlockSizeAxis(4);
}

// Returns false when the program must not go on (the window is then destroyed already).
bool createMainWindow(HWND window) {
  shell.mainWindow = window;
  platform::setMessageOwner(window);
  EnableWindow(window, FALSE);   // until the splash closes
  SetTimer(window, splashTimer, splashTimerInterval, nullptr);
  const StartupStatus status = runStartupChecks();
  if (!status.ok()) {
    refuseToStart(window, status);
    return false;
  }
  dialogs::readSettings();
  createOptionControls(window);
  prepareChart();
  createResultControls(window);
  // The run happens before the window is first shown, and enables it when it ends.
  if (commandLineHas(shell.commandLine, "autostart")) engine::runTest();
  return true;
}

void paintWindow(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  // The whole client picture is drawn again from the records; only the damaged part is copied.
  chart::paintMainWindow(chart::canvas, checkedBoxes());
  copyCanvasToWindow(window, dc, ps.rcPaint);
  EndPaint(window, &ps);
}

void destroyMainWindow() {
  engine::freeWorkingMemory();
  shell.mainWindow = nullptr;
  controls = ControlHandles{};
  platform::setMessageOwner(nullptr);
  PostQuitMessage(0);
}

} // namespace

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      // -1 makes CreateWindowExA answer null after a refused start.
      if (!createMainWindow(window)) return -1;
      break;
    case WM_COMMAND:
      dispatchCommand(window, wParam);
      break;
    case WM_PAINT:
      paintWindow(window);
      return 0;
    case WM_TIMER:
      if (wParam == splashTimer) closeSplash(window);
      break;
    case WM_DESTROY:
      destroyMainWindow();
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace app
