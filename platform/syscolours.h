// Seam: the system's 3-D colours that the chart's etched frames, the window background and the
// axis labels are drawn in. The GUI asks the system on every call, so a change of the desktop's
// colour scheme shows at the next repaint; elsewhere the classic grey, white and dark grey.
#pragma once
#include <cstdint>

namespace platform {
uint32_t buttonFaceColour();        // COLORREF of COLOR_BTNFACE: window and label background
uint32_t buttonHighlightColour();   // COLOR_BTNHIGHLIGHT: the light line of an etched frame
uint32_t buttonShadowColour();      // COLOR_BTNSHADOW: the dark line of an etched frame
uint32_t windowTextColour();        // COLOR_WINDOWTEXT: the text of static labels
} // namespace platform
