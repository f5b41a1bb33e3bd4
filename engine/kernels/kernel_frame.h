// The frame every bandwidth kernel shares: how many turns one pass and the partial pass make,
// where the test area starts, and the rate for the nominal volume; and the pass loop of the
// plain twins. Used only by the kernel and twin files.
#pragma once
#include <cstdint>

#include "engine/size_codes.h"

namespace engine {

struct KernelTurns {
  uint32_t turns = 0;          // turns of one whole pass over the block
  uint32_t passes = 0;         // whole passes (at most 16,384)
  uint32_t partialTurns = 0;   // turns of the partial pass from the block's start; 0: none
  uint32_t wholeBlockBytes = 0;   // a block larger than the volume: its bytes; else 0
};

// Turns of turnBytes (32, 64, 128 or 256) for the block of a code and the current volume. A
// block larger than the volume (past 16 MB, only the command line's) is moved once whole: a
// volume-sized part of it would leave the write-backs of its stores in the last-level cache,
// outside the timed interval, and its writes would look faster than memory.
KernelTurns kernelTurns(SizeCode code, uint32_t turnBytes);

// A pass of 128-byte turns made of long turns (a multiple of 128 bytes) and the
// 128-byte turns left over. Long turns leave a pass few loop iterations: on an Intel server
// core, loops of 32 and more 128-byte turns a pass lost 10-25 % of the first-level cache's
// rate to the loop itself, where 256-byte to 1 KB turns reached 0.92-1.00 of its load and
// store slots; a Zen 4 showed no difference between such shapes.
struct LongTurns {
  uint32_t turns = 0;       // long turns; 0 when the pass is shorter than one
  uint32_t tailTurns = 0;   // 128-byte turns after them, fewer than a long turn holds
};

// The whole pass and the partial pass of k in long turns of turnsPerLongTurn of k's turns;
// 1 keeps k's own turns with no tail.
struct PassTurns {
  LongTurns pass, partial;
};
constexpr PassTurns passTurnsOf(const KernelTurns& k, uint32_t turnsPerLongTurn) {
  return {{k.turns / turnsPerLongTurn, k.turns % turnsPerLongTurn},
          {k.partialTurns / turnsPerLongTurn, k.partialTurns % turnsPerLongTurn}};
}

// Long turns pay inside the first-level cache. Past it the vector reads and the copies of
// 128-byte turns were 1.5-3 % faster on the same Intel core (avx512-read at 256 KB 173,500
// against 170,900 MB/s), so their blocks larger than any first-level data cache keep those;
// read64 runs long turns everywhere (a third faster in the second level there).
constexpr uint32_t longTurnsUpToBytes = 48 * 1024;
constexpr bool longTurnsPay(uint32_t blockBytes) { return blockBytes <= longTurnsUpToBytes; }

// The pass loop of a long-turn kernel, for its single assembly block: per pass, setPointers
// (p, and q for a copy, from their bases), %[turns] long turns of longTurn, then %[tail]
// 128-byte turns of tailTurn; either count may be 0. Each body moves its own pointers.
#define TW_LONG_TURN_PASSES(setPointers, longTurn, tailTurn) \
  "1:\n\t" setPointers                                       \
  "mov %[turns], %[t]\n\t"                                   \
  "test %[t], %[t]\n\t"                                      \
  "jz 3f\n\t"                                                \
  ".p2align 5\n\t" /* the turn loop on a fetch boundary */   \
  "2:\n\t" longTurn                                          \
  "dec %[t]\n\t"                                             \
  "jnz 2b\n\t"                                               \
  "3:\n\t"                                                   \
  "mov %[tail], %[t]\n\t"                                    \
  "test %[t], %[t]\n\t"                                      \
  "jz 5f\n\t"                                                \
  "4:\n\t" tailTurn                                          \
  "dec %[t]\n\t"                                             \
  "jnz 4b\n\t"                                               \
  "5:\n\t"                                                   \
  "dec %[passes]\n\t"                                        \
  "jnz 1b\n\t"

// The longTurn of a kernel whose large blocks run 128-byte turns (longTurnsPay): longTurn when
// its operand %[longTurns] is 1, else shortTurn, with passTurnsOf(k, 1).
#define TW_LONG_OR_SHORT(longTurn, shortTurn) \
  ".if %c[longTurns]\n\t" longTurn ".else\n\t" shortTurn ".endif\n\t"

// The test area's first byte: workingMemory.testBase, or the thread's own area (threadArea).
uint8_t* kernelBase();

// Rate in hundredths of MB/s since timerStart for the nominal 16 << iterationShift megabytes,
// or for the whole block of a block larger than that.
uint32_t nominalRate(const KernelTurns& k);

// Before the timer of a non-temporal kernel: the lines its stores go to leave the caches
// (flushRegion), so the rate is that of stores streaming past them. source is a copy's block,
// nullptr for a write; a copy to itself flushes nothing, since its loads bring each line back
// just before the line is stored.
void flushStoreTarget(uint8_t* target, const uint8_t* source, uint32_t bytes);

// The command line's read128 prefetches ahead of its loads in blocks larger than
// prefetchPastBytes, prefetchDistance bytes ahead. From the second-level cache on, the
// hardware's stream prefetchers alone left 128-bit reads of 1 and 4 MB 11-13 % below the same
// loads with a prefetch a kilobyte ahead on a Zen 3 (nearer gave less, farther no more; on a
// Zen 4 it gains at 1 MB and costs 5 % at 4 MB, which sse-read beside it shows); inside the
// first-level cache a prefetch only takes a load slot (256-bit reads of 16 KB lost almost a
// quarter).
constexpr uint32_t prefetchPastBytes = 256 * 1024;
constexpr uint32_t prefetchDistance = 1024;
constexpr bool prefetchesAhead(uint32_t blockBytes) { return blockBytes > prefetchPastBytes; }

// EMMS: empties the MMX state so the x87 unit works again. The MMX and SSE kernels run it
// before the read-in and once more after the measurement, since compiled code that follows
// uses the x87 unit for double arithmetic on i686.
inline void clearMmxState() { asm volatile("emms" ::: "memory"); }

// The end of an MMX or SSE kernel: the rate, then EMMS once the time has been taken.
inline uint32_t nominalRateThenClearMmx(const KernelTurns& k) {
  const uint32_t rate = nominalRate(k);
  clearMmxState();
  return rate;
}

// The counted loop of a plain twin: passes runs of turnLoop(args...), passes > 0. A function of
// its own, so that its arguments stay in registers and the turn loop is compiled once (inlined
// into the twin, the compiler peeled the first pass into a second copy of the loop).
template <auto turnLoop, typename... Args>
__attribute__((noinline)) void passesOf(uint32_t passes, Args... args) {
  do {
    turnLoop(args...);
  } while (--passes != 0);
}

} // namespace engine
