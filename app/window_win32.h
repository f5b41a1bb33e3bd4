// The Win32 program's shared window state: the module, the command line, the splash and main
// windows, and the handles of the main window's controls. Only the GUI's *_win32.cpp files
// include this header.
#pragma once
#include <windows.h>

#include "app/panel.h"

namespace app {

// Texts and sizes both windows share.
constexpr const char* windowTitle = "Tidewell 32";
constexpr const char* mainClassName = "Tidewell32_Class";
constexpr const char* splashClassName = "Tidewell32_Splash_ClassAbout";
constexpr int mainWindowWidth = 663, mainWindowHeight = 559;    // outer size
constexpr int splashWidth = 200, splashHeight = 133;            // the splash picture's size
constexpr UINT_PTR splashTimer = 800;
constexpr UINT splashTimerInterval = 3000;                      // ms the splash stays at least

// Process-wide shell state, kept for the life of the process.
struct ShellState {
  HINSTANCE instanceHandle = nullptr;
  const char* commandLine = "";     // the whole command line, program path included
  HWND splashWindow = nullptr;
  HWND mainWindow = nullptr;        // null before WM_CREATE and after WM_DESTROY
  HICON appIcon = nullptr;
  bool splashClosed = false;
};
extern ShellState shell;

// The main window's controls, held by handle; null until created.
struct ControlHandles {
  HWND lists[panelListCount] = {};     // startSizeBox, endSizeBox, latencyStepBox, walkStepBox
  HWND boxes[panelBoxCount] = {};      // testBoxes, then the five other check boxes
  HWND fields[panelFieldCount] = {};   // processorField .. minBandwidthField
};
extern ControlHandles controls;

int programMain(HINSTANCE instance, HINSTANCE previous, const char* commandLine, int showCommand);
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK splashWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Closes the splash once and enables window (the main window).
void closeSplash(HWND window);

// Control creation, in the window's order: the lists, buttons and test boxes with the initial
// test choice, then the other boxes (before the chart is prepared); the result fields and the
// labels last.
void createOptionControls(HWND parent);
void createResultControls(HWND parent);
// The picture control of the splash window, showing bitmap 750.
void createSplashPicture(HWND splash);

// WM_COMMAND of the main window: the whole wParam picks the command; others do nothing.
void dispatchCommand(HWND window, WPARAM command);

// Copies the chart canvas's part of the client rectangle area onto dc, leaving the child
// controls' areas alone (the main window does not clip its children itself).
void copyCanvasToWindow(HWND window, HDC dc, const RECT& area);

} // namespace app
