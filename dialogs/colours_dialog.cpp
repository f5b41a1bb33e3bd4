// The Colors dialog's changes to the colour table, kept apart from its window so they can be
// checked without one.
#include "dialogs/colours_dialog.h"

#include "dialogs/colour_table.h"
#include "dialogs/settings.h"

namespace dialogs {

static_assert(colourRowCount == colourSlotCount, "one row per colour");

uint32_t rowColour(int row) { return colourTable[colourRowSlots[row]]; }

void storeRowColour(int row, uint32_t colour) {
  colourTable[colourRowSlots[row]] = colour;
  coloursChanged = true;
}

void restoreDefaultColours() {
  resetColours();
  coloursChanged = true;
}

} // namespace dialogs
