// Entry point of the window program: the splash window, the main window and the message loop.
// All preparation happens while the main window is being created (main_window_win32.cpp); the
// splash stands on the screen meanwhile and closes on the splash timer, which only the message
// loop can deliver.
#include "app/launch.h"
#include "app/window_win32.h"
#include "resources/resource.h"

namespace app {

ShellState shell;

namespace {

ATOM registerSplashClass(HBRUSH background) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_BYTEALIGNWINDOW;
  wc.lpfnWndProc = splashWindowProc;
  wc.hInstance = shell.instanceHandle;
  wc.hbrBackground = background;
  wc.lpszClassName = splashClassName;
  return RegisterClassExA(&wc);
}

ATOM registerMainClass() {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_BYTEALIGNWINDOW;
  wc.lpfnWndProc = mainWindowProc;
  wc.hInstance = shell.instanceHandle;
  wc.hIcon = shell.appIcon;
  wc.hIconSm = shell.appIcon;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = mainClassName;
  return RegisterClassExA(&wc);
}

// A top-level window of the given size, centred on the primary screen.
HWND createCentredWindow(DWORD exStyle, const char* className, DWORD style, int width,
                         int height) {
  const int x = centreOrigin(width, static_cast<uint32_t>(GetSystemMetrics(SM_CXSCREEN)));
  const int y = centreOrigin(height, static_cast<uint32_t>(GetSystemMetrics(SM_CYSCREEN)));
  return CreateWindowExA(exStyle, className, windowTitle, style, x, y, width, height, nullptr,
                         nullptr, shell.instanceHandle, nullptr);
}

void showSplash(HBRUSH background) {
  registerSplashClass(background);
  shell.splashWindow =
      createCentredWindow(WS_EX_TOPMOST, splashClassName, WS_POPUP | WS_BORDER, splashWidth,
                          splashHeight);
  ShowWindow(shell.splashWindow, SW_SHOWNORMAL);
  UpdateWindow(shell.splashWindow);
}

// Runs until WM_QUIT; its wParam is the exit code. A failing GetMessageA (-1) ends the loop
// too: going on would spin on the same error for ever.
int messageLoop() {
  MSG msg = {};
  for (;;) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got == -1) return 1;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

} // namespace

int programMain(HINSTANCE instance, HINSTANCE, const char* commandLine, int) {
  shell.instanceHandle = instance;
  shell.commandLine = commandLine ? commandLine : "";
  LOGBRUSH white = {BS_SOLID, RGB(255, 255, 255), 0};
  HBRUSH splashBackground = CreateBrushIndirect(&white);
  showSplash(splashBackground);

  shell.appIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP_ICON));
  registerMainClass();
  // WS_OVERLAPPED gets its title bar from the system; no minimise, maximise or sizing border.
  shell.mainWindow = createCentredWindow(0, mainClassName, WS_OVERLAPPED | WS_SYSMENU,
                                         mainWindowWidth, mainWindowHeight);
  // A start-up check that failed has destroyed the main window already: then there is nothing
  // to show, and the loop ends on the quit message its destruction posted.
  if (shell.mainWindow) {
    SetMenu(shell.mainWindow, LoadMenuA(instance, MAKEINTRESOURCEA(IDM_MAIN_MENU)));
    ShowWindow(shell.mainWindow, SW_SHOWNORMAL);
    UpdateWindow(shell.mainWindow);
  }
  const int exitCode = messageLoop();
  DeleteObject(splashBackground);
  return exitCode;
}

void closeSplash(HWND window) {
  if (shell.splashClosed) return;
  SendMessageA(shell.splashWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
  KillTimer(window, splashTimer);
  shell.splashClosed = true;
  EnableWindow(window, TRUE);
}

LRESULT CALLBACK splashWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      createSplashPicture(window);
      break;
    case WM_PAINT: {
      // The picture control covers the whole window; nothing of the window's own shows.
      PAINTSTRUCT ps;
      BeginPaint(window, &ps);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_DESTROY:
      if (window == shell.splashWindow) shell.splashWindow = nullptr;
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace app

// The module and the command line are taken from the system rather than from the arguments,
// and programMain always shows its windows normally.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return app::programMain(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWDEFAULT);
}
