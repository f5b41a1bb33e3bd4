// How the program is launched: where its windows stand on the screen, and the one keyword the
// command line can hold ("autostart"). Plain text and arithmetic, so the tests run natively.
#pragma once
#include <cstdint>

namespace app {

// Left (or top) coordinate that centres a window of size on a screen extent: both halvings
// truncate separately, so a 1024 x 768 screen puts a 663 x 559 window at (181, 105).
int centreOrigin(uint32_t size, uint32_t screenExtent);

// True when keyword (lower case) stands anywhere in commandLine, in any mix of capital and
// small letters, also inside a longer word; the program's own path is searched too.
bool commandLineHas(const char* commandLine, const char* keyword);

} // namespace app
