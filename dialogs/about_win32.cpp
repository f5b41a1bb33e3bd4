// The About dialog: name, version, and three static texts made into links (underlined blue,
// hand cursor, a click hands the address to the shell). A link is an ordinary static control
// whose window procedure is replaced; the previous one is kept in the control's user data.
#include <windows.h>

#include <cstring>

#include "dialogs/dialogs_win32.h"
#include "platform/shell.h"
#include "report/report_text.h"
#include "resources/resource.h"

namespace dialogs {
namespace {

constexpr COLORREF linkColour = 0x00FF0000;   // blue
constexpr int linkTextBytes = 32;             // a link's text, terminator included

HCURSOR handCursor = nullptr;                 // loaded at the first opening, kept
char linkTextBuffer[linkTextBytes];
char mailtoBuffer[7 + linkTextBytes + 1] = "mailto:";
HFONT linkFont = nullptr;                     // the dialog font underlined; made per opening

void openLink(HWND link) {
  GetWindowTextA(link, linkTextBuffer, linkTextBytes);
  // Any text starting "http" opens the one homepage; every other text is an e-mail address.
  if (std::strncmp(linkTextBuffer, "http", 4) == 0) {
    platform::openDocument(report::homepageAddress);
    return;
  }
  std::memcpy(mailtoBuffer + 7, linkTextBuffer, linkTextBytes);
  platform::openDocument(mailtoBuffer);
}

// Blue text on the menu colour; the null brush leaves the background unpainted.
LRESULT linkColours(HDC dc) {
  SelectObject(dc, linkFont);   // the static control puts its own font back after drawing
  SetTextColor(dc, linkColour);
  SetBkColor(dc, GetSysColor(COLOR_MENU));
  return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

LRESULT CALLBACK linkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
      return linkColours(reinterpret_cast<HDC>(wParam));
    case WM_NCHITTEST:
      return HTCLIENT;   // a static control is otherwise transparent to the mouse
    case WM_LBUTTONDOWN:
      openLink(link);
      return 0;
    case WM_SETCURSOR:
      SetCursor(handCursor);
      return 0;
  }
  const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(link, GWLP_USERDATA));
  return CallWindowProcA(previous, link, message, wParam, lParam);
}

// The link is also given the underlined font as its own: some static controls select their
// font after asking for their colours, which would drop the one chosen there.
void makeLink(HWND dialog, int id) {
  HWND link = GetDlgItem(dialog, id);
  if (linkFont == nullptr) {
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(link, WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfUnderline = TRUE;
    linkFont = CreateFontIndirectA(&font);
  }
  SendMessageA(link, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont), FALSE);
  // The previous procedure is stored before the new one can receive anything.
  SetWindowLongPtrA(link, GWLP_USERDATA, GetWindowLongPtrA(link, GWLP_WNDPROC));
  SetWindowLongPtrA(link, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(linkProc));
}

} // namespace

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      makeLink(dialog, IDC_LINK_HOMEPAGE);
      makeLink(dialog, IDC_LINK_MAIL_1);
      makeLink(dialog, IDC_LINK_MAIL_2);
      if (handCursor == nullptr)
        handCursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
      centreOverOwner(dialog, GetWindow(dialog, GW_OWNER));
      return 0;
    case WM_CTLCOLORSTATIC:
      // Each static control chooses its own colours: the links through linkProc, the other
      // texts as their class does.
      return SendMessageA(reinterpret_cast<HWND>(lParam), WM_CTLCOLORSTATIC, wParam, lParam);
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return 0;
    case WM_COMMAND:
      if (wParam == IDC_ABOUT_OK) EndDialog(dialog, 0);
      return 0;
    case WM_DESTROY:
      if (linkFont != nullptr) DeleteObject(linkFont);
      linkFont = nullptr;
      return 0;
  }
  return 0;
}

} // namespace dialogs
