// Test fake of the system colours: four distinct values, none of them a chart colour, so a
// test can tell a frame's highlight from its shadow and from the window background.
#include "platform/syscolours.h"

namespace platform {
uint32_t buttonFaceColour() { return 0x00D4D0C8; }
uint32_t buttonHighlightColour() { return 0x00F0F0F0; }
uint32_t buttonShadowColour() { return 0x00606060; }
uint32_t windowTextColour() { return 0x00101010; }
} // namespace platform
