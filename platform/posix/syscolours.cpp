// The classic 3-D colours, for the pictures the headless program draws without a desktop.
#include "platform/syscolours.h"

namespace platform {
uint32_t buttonFaceColour() { return 0x00C0C0C0; }
uint32_t buttonHighlightColour() { return 0x00FFFFFF; }
uint32_t buttonShadowColour() { return 0x00808080; }
uint32_t windowTextColour() { return 0x00000000; }
} // namespace platform
