// The frame every bandwidth kernel shares: how many turns one pass and the partial pass make,
// where the test area starts, and the rate for the nominal volume. Used only by the kernel files.
#pragma once
#include <cstdint>

#include "engine/size_codes.h"

namespace engine {

struct KernelTurns {
  uint32_t turns = 0;          // turns of one whole pass over the block
  uint32_t passes = 0;         // whole passes (at most 16,384)
  uint32_t partialTurns = 0;   // turns of the partial pass from the block's start; 0: none
};

// Turns of turnBytes (32, 64, 128 or 256) for the block of a code and the current volume.
KernelTurns kernelTurns(SizeCode code, uint32_t turnBytes);

// The test area's first byte (workingMemory.testBase).
uint8_t* kernelBase();

// Rate in hundredths of MB/s for the nominal 16 << iterationShift megabytes since timerStart.
uint32_t nominalRate();

} // namespace engine
