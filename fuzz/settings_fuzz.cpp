// libFuzzer target: the settings reader. Its promises: it takes at most the thirteen colours,
// each a 24-bit colour, whatever the bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "dialogs/colour_table.h"
#include "dialogs/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  dialogs::resetColours();
  const uint32_t length = size > dialogs::settingsReadLimit ? dialogs::settingsReadLimit
                                                            : static_cast<uint32_t>(size);
  const int taken = dialogs::applySettingsText(reinterpret_cast<const char*>(data), length);
  if (taken < 0 || taken > dialogs::colourSlotCount) std::abort();
  for (uint32_t colour : dialogs::colourTable) {
    if (colour > 0xFFFFFFu) std::abort();
  }
  return 0;
}
