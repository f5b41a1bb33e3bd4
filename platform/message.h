// Seam: one failure message to the user (Windows-1252 text): a stop-icon message box with the
// caption "Tidewell 32" in the GUI, a line on standard error in the command-line program.
#pragma once

namespace platform {
// The window that owns the message boxes from now on (an HWND in the GUI; null: none).
void setMessageOwner(void* window);
void showErrorMessage(const char* text);
} // namespace platform
