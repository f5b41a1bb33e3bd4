// The Colors dialog: one row per colour with its swatch and a "Change..." button that opens the
// system colour picker, "&Default" for the built-in colours, and "&Ok" or the close box, which
// save the colours when any was changed. The main window redraws itself once the dialog is gone.
#include <windows.h>
#include <commdlg.h>

#include "dialogs/colours_dialog.h"
#include "dialogs/dialogs_win32.h"
#include "dialogs/settings.h"
#include "platform/message.h"
#include "resources/resource.h"

namespace dialogs {
namespace {

// The picker's sixteen custom colours, kept with what the user defines there for the life of
// the process (not saved); black at first.
COLORREF customColours[16] = {};

// The colour the picker ends with; the given one when the picker is cancelled or fails. The
// picker is owned by the Colors dialog, which stays disabled while it is open, so no second
// picker and no closing of the dialog can come between a pick and its row.
COLORREF chooseColour(HWND owner, COLORREF colour) {
  CHOOSECOLORA choice = {};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = owner;
  choice.rgbResult = colour;
  choice.lpCustColors = customColours;
  choice.Flags = CC_RGBINIT | CC_FULLOPEN;
  return ChooseColorA(&choice) ? choice.rgbResult : colour;
}

void drawSwatch(HDC dc, int row) {
  HPEN pen = CreatePen(PS_SOLID, 2, rowColour(row));
  HGDIOBJ previous = SelectObject(dc, pen);
  MoveToEx(dc, swatchLeft, swatchY[row], nullptr);
  LineTo(dc, swatchRight, swatchY[row]);
  SelectObject(dc, previous);
  DeleteObject(pen);
}

// Drawn at once on the dialog, outside painting.
void drawSwatchNow(HWND dialog, int row) {
  HDC dc = GetDC(dialog);
  drawSwatch(dc, row);
  ReleaseDC(dialog, dc);
}

void paintSwatches(HWND dialog) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(dialog, &paint);
  for (int row = 0; row < colourRowCount; ++row) drawSwatch(dc, row);
  EndPaint(dialog, &paint);
}

// Saved while the dialog still stands, so "Couldn't create INI file." is owned by it.
void closeDialog(HWND dialog) {
  platform::setMessageOwner(dialog);
  writeSettings();
  platform::setMessageOwner(GetWindow(dialog, GW_OWNER));
  EndDialog(dialog, 0);
}

void command(HWND dialog, WPARAM id) {
  if (id == IDC_COLORS_OK) {
    closeDialog(dialog);
  } else if (id == IDC_COLORS_DEFAULT) {
    restoreDefaultColours();
    for (int row = 0; row < colourRowCount; ++row) drawSwatchNow(dialog, row);
  } else if (id >= WPARAM{IDC_CHANGE_FIRST} && id <= WPARAM{IDC_CHANGE_LAST}) {
    const int row = static_cast<int>(id - IDC_CHANGE_FIRST);
    storeRowColour(row, chooseColour(dialog, rowColour(row)));
    drawSwatchNow(dialog, row);
  }
}

} // namespace

// Halves are taken on whole pixels, each rounded down.
void centreOverOwner(HWND window, HWND owner) {
  RECT own, mine;
  GetWindowRect(owner, &own);
  GetWindowRect(window, &mine);
  const int width = mine.right - mine.left, height = mine.bottom - mine.top;
  const int left = own.left + ((own.right - own.left) / 2 - width / 2);
  const int top = own.top + ((own.bottom - own.top) / 2 - height / 2);
  MoveWindow(window, left, top, width, height, TRUE);
}

// Every message it handles answers 0; the static labels keep the dialog's own colours.
INT_PTR CALLBACK colorsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      centreOverOwner(dialog, GetWindow(dialog, GW_OWNER));
      return 0;
    case WM_CLOSE:
      closeDialog(dialog);
      return 0;
    case WM_COMMAND:
      command(dialog, wParam);
      return 0;
    case WM_PAINT:
      paintSwatches(dialog);
      return 0;
  }
  return 0;
}

} // namespace dialogs
