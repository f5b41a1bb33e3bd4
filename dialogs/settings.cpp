// Reading and writing "tidewl32.ini". The reader is deliberately lenient: it looks for "[Colo"
// anywhere, then takes any line that starts with an upper-case hexadecimal digit as the next
// colour, until the data or the section ends. The writer always writes the same 127-byte layout,
// as a whole new file that replaces the old one.
#include "dialogs/settings.h"

#include <cstring>

#include "chart/text/format.h"
#include "dialogs/colour_table.h"
#include "platform/files.h"
#include "platform/message.h"

namespace dialogs {

bool coloursChanged = false;

namespace {

constexpr int colourCount = colourSlotCount;
constexpr const char* iniFailure = "Couldn't create INI file.";

// The scan may look up to six bytes past the last line start, and a line start can sit right at
// the end of the data: the zero bytes after the data cover that, so nothing beyond the buffer
// is ever read, whatever the file holds.
constexpr uint32_t scanPadding = 16;
char settingsScratch[settingsReadLimit + scanPadding];

// Position just after the "[" of the first "[Colo", or nullptr when the text has none before
// its first zero byte.
const char* findColourSection(const char* text) {
  for (const char* p = text; *p != 0; ++p)
    if (p[0] == '[' && std::strncmp(p + 1, "Colo", 4) == 0) return p + 1;
  return nullptr;
}

} // namespace

int applySettingsText(const char* bytes, uint32_t length) {
  if (length > settingsReadLimit) length = settingsReadLimit;
  if (bytes != settingsScratch) std::memmove(settingsScratch, bytes, length);
  std::memset(settingsScratch + length, 0, sizeof settingsScratch - length);

  const char* position = findColourSection(settingsScratch);
  if (position == nullptr) return 0;
  int taken = 0;
  for (; taken < colourCount; ++taken) {
    const text::ColourScan scan = text::nextColourValue(position);
    if (!scan.found) break;
    colourTable[colourRowSlots[taken]] = scan.colour;
    position = scan.next;
  }
  return taken;
}

int readSettings() {
  // A directory, device or FIFO of that name is no settings file: reading one could wait for
  // ever or take what a device makes up.
  const platform::FileHandle file =
      platform::openExistingRegularFile(settingsFileName, platform::FileShare::readWrite);
  if (file == platform::invalidFile) return 0;   // no file: the colours stay as they are
  // The data goes straight into the scan buffer; its tail of zeros ends every scan.
  std::memset(settingsScratch, 0, sizeof settingsScratch);
  const int32_t got = platform::readFileBytes(file, settingsScratch, settingsReadLimit);
  platform::closeFile(file);
  if (got <= 0) return 0;
  return applySettingsText(settingsScratch, static_cast<uint32_t>(got));
}

void buildSettingsText(char* destination) {
  text::outputCursor.position = destination;
  text::appendText("[Colors]\r\n");
  for (int slot : colourRowSlots) {
    char line[10] = {};
    formatColourHex(line, colourTable[slot]);   // six digits: blue, green, red
    std::memcpy(line + 6, "H\r\n", 4);
    text::appendText(line);
  }
  *text::outputCursor.position = 0;
}

// The new text goes into a file of its own beside the old one, which then takes the old one's
// name: a write that fails halfway leaves the previous colours in place. A name that is not a
// plain file (a link, a directory, a device) is never written through or replaced.
SettingsWrite writeSettings() {
  if (!coloursChanged) return SettingsWrite::notNeeded;
  char textBytes[settingsFileBytes + 1];
  buildSettingsText(textBytes);
  if (platform::pathKind(settingsFileName) == platform::PathKind::other ||
      !platform::replaceFile(settingsFileName, platform::FileShare::readWrite, textBytes,
                             settingsFileBytes)) {
    platform::showErrorMessage(iniFailure);
    return SettingsWrite::failed;
  }
  return SettingsWrite::written;
}

} // namespace dialogs
