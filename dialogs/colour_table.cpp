// The process-wide colour table and its small operations. The table holds the defaults from
// the start of the process, so anything drawn before the settings file is read (or without
// one) uses them.
#include "dialogs/colour_table.h"

#include "chart/text/format.h"

namespace dialogs {

ColourTable colourTable = defaultColours;

void resetColours() {
  colourTable = defaultColours;
}

int colourSlotForTest(int testNumber) {
  if (testNumber < 1 || testNumber > slotSseCopy + 1) return -1;
  return testNumber - 1;
}

// The hexadecimal writer takes 16 bits at a time, so the blue byte goes first as two digits
// and green and red follow as four.
int formatColourHex(char* dest, uint32_t colour) {
  text::formatHex(dest, (colour >> 16) & 0xFFu, 2);
  text::formatHex(dest + 2, colour & 0xFFFFu, 4);
  return 6;
}

} // namespace dialogs
