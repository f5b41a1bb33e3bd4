// Read128, the command line's 128-bit read: the window's SSE Read loop (four MOVAPS a 64-byte
// turn) with a PREFETCHT0 of the turn's line prefetchDistance bytes ahead in blocks past the
// second-level cache (kernel_frame.h), where the window's fixed loop leaves the stream
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

// passes x turns of four MOVAPS loads into xmm0..xmm3, first the prefetch when prefetch.
template <bool prefetch>
inline void read128Passes(const uint8_t* base, uint32_t turns, uint32_t passes) {
  const uint8_t* p;
  uint32_t t;
  asm volatile(
      "1:\n\t"
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      ".p2align 5\n\t"  // the turn loop starts on a 32-byte fetch boundary
      "2:\n\t"
      ".if %c[prefetch]\n\t"
      "prefetcht0 %c[ahead](%[p])\n\t"
      ".endif\n\t"
      "movaps 0(%[p]), %%xmm0\n\t"
      "movaps 16(%[p]), %%xmm1\n\t"
      "movaps 32(%[p]), %%xmm2\n\t"
      "movaps 48(%[p]), %%xmm3\n\t"
      "add $64, %[p]\n\t"
      "dec %[t]\n\t"
      "jnz 2b\n\t"
      "dec %[passes]\n\t"
      "jnz 1b\n\t"
      : [p] "=&r"(p), [t] "=&r"(t), [passes] "+r"(passes)
      : [base] "rm"(base), [turns] "rm"(turns), [prefetch] "i"(prefetch ? 1 : 0),
        [ahead] "i"(prefetchDistance)
      : "memory", "cc", "xmm0", "xmm1", "xmm2", "xmm3");
}

template <bool prefetch>
uint32_t read128(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 64);
  const uint8_t* base = kernelBase();
  touchBlock(k.turns * 64);
  timerStart();
  if (k.passes != 0) read128Passes<prefetch>(base, k.turns, k.passes);
  if (k.partialTurns != 0) read128Passes<prefetch>(base, k.partialTurns, 1);
  return nominalRate(k);
}

} // namespace

uint32_t read128Kernel(SizeCode code) {
  return prefetchesAhead(blockBytes(code)) ? read128<true>(code) : read128<false>(code);
}

} // namespace engine
