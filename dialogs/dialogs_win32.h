// The dialog procedures of the About and Colors dialogs, for the commands that open them with
// DialogBoxParamA (owner: the main window). Only the GUI's *_win32.cpp files include this.
#pragma once
#include <windows.h>

namespace dialogs {

// Template "About": program name, version, homepage and e-mail links.
INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Template "BasicSettings": the thirteen colours, "&Default" and "&Ok"; saves on closing.
INT_PTR CALLBACK colorsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Moves window, keeping its size, so that its centre lies on owner's centre.
void centreOverOwner(HWND window, HWND owner);

} // namespace dialogs
