// Read128, the command line's 128-bit read: the window's SSE Read loads (four MOVAPS a line)
// in 256-byte turns, with a PREFETCHT0 of each line prefetchDistance bytes ahead in blocks past
// the second-level cache (kernel_frame.h), where the window's fixed loop leaves the stream
// prefetchers alone to bring the lines in. Legend as in kernels_int32.cpp; alignment as in
// kernels_sse.cpp. Built with -mmmx -msse; nothing else here.
#include <xmmintrin.h>

#include <cstdint>

#include "engine/kernels/kernel_frame.h"
#include "engine/kernels/kernels_extra.h"
#include "engine/run/results.h"
#include "engine/test_area.h"
#include "engine/timer.h"

namespace engine {

namespace {

// passes x (turns.turns 256-byte turns of sixteen MOVAPS loads, then turns.tailTurns of eight;
// with longTurns false, turns.turns 64-byte turns of four, the window's SSE Read loop, which
// reads the second level 2 % faster than 128-byte turns), each line's PREFETCHT0 before its
// loads when prefetch. With the window's 64-byte turns an Intel server core read 4 KB at 0.77 of its
// three 16-byte loads a cycle, with these 0.97.
template <bool prefetch, bool longTurns>
inline void read128Passes(const uint8_t* base, LongTurns turns, uint32_t passes) {
  const uint8_t* p;
  uint32_t t;
  asm volatile(
      ".macro tw_line128 off\n\t"
      ".if %c[prefetch]\n\t"
      "prefetcht0 %c[ahead]+\\off(%[p])\n\t"
      ".endif\n\t"
      "movaps \\off(%[p]), %%xmm0\n\t"
      "movaps \\off+16(%[p]), %%xmm1\n\t"
      "movaps \\off+32(%[p]), %%xmm2\n\t"
      "movaps \\off+48(%[p]), %%xmm3\n\t"
      ".endm\n\t"
      TW_LONG_TURN_PASSES(
          "mov %[base], %[p]\n\t",
          TW_LONG_OR_SHORT(
              "tw_line128 0\n\t"
              "tw_line128 64\n\t"
              "tw_line128 128\n\t"
              "tw_line128 192\n\t"
              "add $256, %[p]\n\t",
              "tw_line128 0\n\t"
              "add $64, %[p]\n\t"),
          "tw_line128 0\n\t"
          "tw_line128 64\n\t"
          "add $128, %[p]\n\t")
      ".purgem tw_line128\n\t"
      : [p] "=&r"(p), [t] "=&r"(t), [passes] "+r"(passes)
      : [base] "rm"(base), [turns] "rm"(turns.turns), [tail] "rm"(turns.tailTurns),
        [prefetch] "i"(prefetch ? 1 : 0), [ahead] "i"(prefetchDistance),
        [longTurns] "i"(longTurns ? 1 : 0)
      : "memory", "cc", "xmm0", "xmm1", "xmm2", "xmm3");
}

template <bool prefetch, bool longTurns>
uint32_t read128(SizeCode code) {
  const uint32_t turnBytes = longTurns ? 128 : 64;   // the unit of k's turns
  const KernelTurns k = kernelTurns(code, turnBytes);
  const uint8_t* base = kernelBase();
  touchBlock(k.turns * turnBytes);
  const PassTurns t = passTurnsOf(k, longTurns ? 2 : 1);
  timerStart();
  if (k.passes != 0) read128Passes<prefetch, longTurns>(base, t.pass, k.passes);
  if (k.partialTurns != 0) read128Passes<prefetch, longTurns>(base, t.partial, 1);
  return nominalRate(k);
}

} // namespace

// Long turns inside the first-level cache, prefetches past the second (never both).
uint32_t read128Kernel(SizeCode code) {
  const uint32_t bytes = blockBytes(code);
  if (prefetchesAhead(bytes)) return read128<true, false>(code);
  return longTurnsPay(bytes) ? read128<false, true>(code) : read128<false, false>(code);
}

} // namespace engine
