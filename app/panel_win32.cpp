// The panel seam over the main window's real controls, and the chart canvas put on the screen:
// painting and every change the chart shows at once copy canvas pixels into the client area.
// A control not created yet (null handle) reads as unchecked and disabled and ignores changes.
#include "app/window_win32.h"
#include "chart/canvas.h"
#include "chart/present.h"

namespace app {
namespace {

HWND boxHandle(PanelBox box) {
  return box >= 0 && box < panelBoxCount ? controls.boxes[box] : nullptr;
}
HWND listHandle(PanelList list) {
  return list >= 0 && list < panelListCount ? controls.lists[list] : nullptr;
}
HWND fieldHandle(PanelField field) {
  return field >= 0 && field < panelFieldCount ? controls.fields[field] : nullptr;
}

// The run raised the cursor display count once; busy off takes that back.
bool cursorRaised = false;

// Keeps painting off the visible child controls: the window has no WS_CLIPCHILDREN.
void excludeChildWindows(HWND window, HDC dc) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
}

} // namespace

bool boxChecked(PanelBox box) {
  HWND h = boxHandle(box);
  return h && SendMessageA(h, BM_GETCHECK, 0, 0) != 0;
}

void setBoxChecked(PanelBox box, bool checked) {
  if (HWND h = boxHandle(box)) SendMessageA(h, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool boxEnabled(PanelBox box) {
  HWND h = boxHandle(box);
  return h && IsWindowEnabled(h);
}

void enableBox(PanelBox box, bool enabled) {
  if (HWND h = boxHandle(box)) EnableWindow(h, enabled);
}

int listSelection(PanelList list) {
  HWND h = listHandle(list);
  return h ? static_cast<int>(SendMessageA(h, CB_GETCURSEL, 0, 0)) : -1;
}

void setListSelection(PanelList list, int index) {
  if (HWND h = listHandle(list)) SendMessageA(h, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool listEnabled(PanelList list) {
  HWND h = listHandle(list);
  return h && IsWindowEnabled(h);
}

void enableList(PanelList list, bool enabled) {
  if (HWND h = listHandle(list)) EnableWindow(h, enabled);
}

void setFieldText(PanelField field, const char* text) {
  if (HWND h = fieldHandle(field)) SetWindowTextA(h, text);
}

const char* fieldText(PanelField field) {
  static char text[256];
  text[0] = '\0';
  if (HWND h = fieldHandle(field)) GetWindowTextA(h, text, sizeof text);
  return text;
}

void setPanelBusy(bool busy) {
  if (shell.mainWindow) EnableWindow(shell.mainWindow, !busy);
  if (busy) {
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    if (!cursorRaised) ShowCursor(TRUE);
    cursorRaised = true;
  } else {
    if (cursorRaised) ShowCursor(FALSE);
    cursorRaised = false;
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  }
}

void updatePanel() {
  if (shell.mainWindow) UpdateWindow(shell.mainWindow);
}

void showPanelError(const char* text) {
  MessageBoxA(shell.mainWindow, text, windowTitle, MB_OK | MB_ICONHAND);
}

// The window shows the chart itself while a run measures.
void showRunProgress(const RunProgress&) {}

void copyCanvasToWindow(HWND window, HDC dc, const RECT& area) {
  const chart::Canvas& c = chart::canvas;
  const int left = area.left < 0 ? 0 : area.left;
  const int top = area.top < 0 ? 0 : area.top;
  const int right = area.right > c.width ? c.width : area.right;
  const int bottom = area.bottom > c.height ? c.height : area.bottom;
  if (left >= right || top >= bottom) return;
  const int saved = SaveDC(dc);
  excludeChildWindows(window, dc);
  // The rows top..bottom as a top-down DIB of their own, so the source origin is plain.
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = c.width;
  info.bmiHeader.biHeight = -(bottom - top);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const uint8_t* rows = c.pixels.data() + static_cast<size_t>(top) * c.stride;
  SetDIBitsToDevice(dc, left, top, right - left, bottom - top, left, 0, 0, bottom - top, rows,
                    &info, DIB_RGB_COLORS);
  RestoreDC(dc, saved);
}

} // namespace app

namespace chart {

// Live plotting and chart refreshes happen while no message is handled: copy at once.
void presentCanvasRegion(int left, int top, int right, int bottom) {
  HWND window = app::shell.mainWindow;
  if (!window) return;
  HDC dc = GetDC(window);
  app::copyCanvasToWindow(window, dc, RECT{left, top, right, bottom});
  ReleaseDC(window, dc);
}

} // namespace chart
