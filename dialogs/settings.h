// The settings file "tidewl32.ini" in the current directory: the thirteen colours of the colour
// table under a "[Colors]" header, one six-digit hexadecimal line each, read once at start-up
// and written when the Colors dialog closes after a change.
#pragma once
#include <cstdint>

namespace dialogs {

constexpr const char* settingsFileName = "tidewl32.ini";
// Longest stretch of the file the reader looks at; the rest is never read.
constexpr uint32_t settingsReadLimit = 65535;
// Length of the file as the writer makes it: the header line and thirteen colour lines.
constexpr uint32_t settingsFileBytes = 127;

// Set by every change or reset in the Colors dialog, never cleared: the file is written only
// once the user has touched a colour.
extern bool coloursChanged;

// Reads the colours from the settings file into the colour table; a missing or malformed file,
// or anything but a regular file, leaves the slots it does not name as they are. Returns how
// many colours were taken.
int readSettings();
// Takes the colours from settings text of the given length (any bytes); used by readSettings.
int applySettingsText(const char* bytes, uint32_t length);

enum class SettingsWrite { notNeeded, written, failed };
// Writes the 127-byte file when coloursChanged is set, replacing a plain file or making a new
// one; shows "Couldn't create INI file." when the name is not a plain file or the new file
// cannot be created, written or put in place, and the previous file then stays as it was.
SettingsWrite writeSettings();
// The 127 bytes of the file for the current colour table, NUL-terminated (128 bytes needed).
void buildSettingsText(char* destination);

} // namespace dialogs
