// Block-size codes and the transfer volume of one bandwidth measurement. A code indexes every
// per-size result; 25 codes make one doubling, code 0 is 4 KB and code 300 is 16 MB. Pure
// arithmetic: nothing here touches memory or the timer.
#pragma once
#include <cassert>
#include <cstdint>

namespace engine {

using SizeCode = uint32_t;

constexpr SizeCode maxSizeCode = 300;          // 16 MB, the largest block of the window
constexpr SizeCode summaryLatencyCode = 325;   // 32 MB, the summary latency
// 1 GB: the largest block the command line measures, far past any last-level cache and still
// a 32-bit count of bytes.
constexpr SizeCode maxRunCode = 450;
constexpr uint32_t codesPerDoubling = 25;

// True for the codes the engine accepts: 0..450 (325 among them).
constexpr bool validSizeCode(SizeCode code) { return code <= maxRunCode; }

// Block size in bytes of a code (1 GB at most).
constexpr uint32_t blockBytes(SizeCode code);

// Block size in 4-byte units: (1,024 + 41 x (code mod 25)) << (code / 25), rounded down to a
// multiple of 32 units (128 bytes) so every kernel's turn divides it.
constexpr uint32_t blockDwords(SizeCode code) {
  return ((1024u + 41u * (code % codesPerDoubling)) << (code / codesPerDoubling)) & ~31u;
}

constexpr uint32_t blockBytes(SizeCode code) { return 4u * blockDwords(code); }

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
