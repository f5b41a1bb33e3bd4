// Block-size codes and the transfer volume of one bandwidth measurement. A code indexes every
// per-size result; 25 codes make one doubling, code 0 is 4 KB and code 300 is 16 MB. Pure
// arithmetic: nothing here touches memory or the timer.
#pragma once
#include <cassert>
#include <cstdint>

namespace engine {

using SizeCode = uint32_t;

constexpr SizeCode maxSizeCode = 300;          // 16 MB, the largest selectable block
constexpr SizeCode summaryLatencyCode = 325;   // 32 MB, only for the summary latency
constexpr uint32_t codesPerDoubling = 25;

// True for the codes the engine accepts: 0..300 and 325.
constexpr bool validSizeCode(SizeCode code) {
  return code <= maxSizeCode || code == summaryLatencyCode;
}

// Block size in 4-byte units: (1,024 + 41 x (code mod 25)) << (code / 25), rounded down to a
// multiple of 32 units (128 bytes) so every kernel's turn divides it.
constexpr uint32_t blockDwords(SizeCode code) {
  return ((1024u + 41u * (code % codesPerDoubling)) << (code / codesPerDoubling)) & ~31u;
}

// Nominal volume of one bandwidth measurement in 4-byte units: 16 MB, an eighth of it while the
// placement search runs, then times 2^iterationShift.
constexpr uint32_t transferDwords(bool reduced, uint32_t iterationShift) {
  return (reduced ? 4194304u / 8u : 4194304u) << iterationShift;
}

struct TransferPlan {
  uint32_t passes = 0;      // whole passes over the block
  uint32_t remainder = 0;   // 4-byte units left over for the partial pass
};

// Passes and remainder of a given volume over a block (both in 4-byte units).
constexpr TransferPlan transferPlanFor(uint32_t volumeDwords, uint32_t sizeDwords) {
  return TransferPlan{volumeDwords / sizeDwords, volumeDwords % sizeDwords};
}

// The plan for the current volume: reads testArea.reducedTransfer and
// runParameters.iterationShift.
TransferPlan transferPlan(uint32_t sizeDwords);

} // namespace engine
