// The desktop's 3-D colours, read from the system on every call.
#include <windows.h>

#include "platform/syscolours.h"

namespace platform {
uint32_t buttonFaceColour() { return GetSysColor(COLOR_BTNFACE); }
uint32_t buttonHighlightColour() { return GetSysColor(COLOR_BTNHIGHLIGHT); }
uint32_t buttonShadowColour() { return GetSysColor(COLOR_BTNSHADOW); }
uint32_t windowTextColour() { return GetSysColor(COLOR_WINDOWTEXT); }
} // namespace platform
