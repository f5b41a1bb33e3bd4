// What both front ends do once the start-up checks passed and before anything is measured.
#pragma once

namespace app {

// The calibrated clock, the processor text that names it, and the top of the bandwidth axis
// from the start-up peak estimate for the boxes checked now.
void prepareClockAndScale();

}  // namespace app
