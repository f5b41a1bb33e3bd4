// The plain twins of the nine test kernels: each runs its kernel's turn loop
// (engine/kernels/kernel_turns.h) over the same block and volume from a counted loop, timed once
// around the whole volume, with nothing else. A kernel that falls behind its twin loses time
// to its frame, not to its instructions. Same arguments, result and requirements as the kernel.
#pragma once
#include <cstdint>

#include "engine/kernels/kernels.h"

namespace engine {

uint32_t readTwin(SizeCode code);
uint32_t writeTwin(SizeCode code);
uint32_t copyTwin(SizeCode code);
uint32_t mmxReadTwin(SizeCode code);
uint32_t mmxWriteTwin(SizeCode code);
uint32_t mmxCopyTwin(SizeCode code);
uint32_t sseReadTwin(SizeCode code);
uint32_t sseWriteTwin(SizeCode code);
uint32_t sseCopyTwin(SizeCode code);

// The twin of kernelTable[i], i < testKernelCount.
constexpr KernelFunction kernelTwins[testKernelCount] = {
    readTwin,    writeTwin,    copyTwin,
    mmxReadTwin, mmxWriteTwin, mmxCopyTwin,
    sseReadTwin, sseWriteTwin, sseCopyTwin,
};

} // namespace engine
