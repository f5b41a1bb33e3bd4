// The 128-bit halves of NT Write and NT Copy, for processors with SSE but not AVX: 128-byte
// turns of MOVNTPS stores, which go to memory around the caches, and one SFENCE after the last
// pass, inside the timed interval, so the rate includes the stores reaching memory; what they
// store to is flushed from the caches first (flushStoreTarget). Legend as in
// kernels_int32.cpp; alignment as in kernels_sse.cpp. Built with -mmmx -msse; nothing else here.
#include <xmmintrin.h>

#include <cstdint>

#include "engine/kernels/kernel_frame.h"
#include "engine/kernels/kernels_extra.h"
#include "engine/run/results.h"
#include "engine/test_area.h"
#include "engine/timer.h"

namespace engine {

namespace {

// passes x turns of eight MOVNTPS stores of one register holding value, then SFENCE.
inline void ntWrite128Passes(uint8_t* base, uint32_t turns, uint32_t passes, __m128 value) {
  uint8_t* p;
  uint32_t t;
  asm volatile(
      "1:\n\t"
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      ".p2align 5\n\t"  // the turn loop starts on a 32-byte fetch boundary
      "2:\n\t"
      ".irp off, 0, 16, 32, 48, 64, 80, 96, 112\n\t"
      "movntps %[v], \\off(%[p])\n\t"
      ".endr\n\t"
      "add $128, %[p]\n\t"
      "dec %[t]\n\t"
      "jnz 2b\n\t"
      "dec %[passes]\n\t"
      "jnz 1b\n\t"
      "sfence\n\t"
      : [p] "=&r"(p), [t] "=&r"(t), [passes] "+r"(passes)
      : [base] "rm"(base), [turns] "rm"(turns), [v] "x"(value)
      : "memory", "cc");
}

// passes x turns of four MOVAPS loads into xmm0..xmm3 and their four MOVNTPS stores, twice;
// then SFENCE.
inline void ntCopy128Passes(const uint8_t* base, uint8_t* dstBase, uint32_t turns,
                            uint32_t passes) {
  const uint8_t* p;
  uint8_t* q;
  uint32_t t;
  asm volatile(
      "1:\n\t"
      "mov %[base], %[p]\n\t"
      "mov %[dstBase], %[q]\n\t"
      "mov %[turns], %[t]\n\t"
      ".p2align 5\n\t"  // the turn loop starts on a 32-byte fetch boundary
      "2:\n\t"
      ".irp off, 0, 64\n\t"
      "movaps \\off(%[p]), %%xmm0\n\t"
      "movaps \\off+16(%[p]), %%xmm1\n\t"
      "movaps \\off+32(%[p]), %%xmm2\n\t"
      "movaps \\off+48(%[p]), %%xmm3\n\t"
      "movntps %%xmm0, \\off(%[q])\n\t"
      "movntps %%xmm1, \\off+16(%[q])\n\t"
      "movntps %%xmm2, \\off+32(%[q])\n\t"
      "movntps %%xmm3, \\off+48(%[q])\n\t"
      ".endr\n\t"
      "add $128, %[p]\n\t"
      "add $128, %[q]\n\t"
      "dec %[t]\n\t"
      "jnz 2b\n\t"
      "dec %[passes]\n\t"
      "jnz 1b\n\t"
      "sfence\n\t"
      : [p] "=&r"(p), [q] "=&r"(q), [t] "=&r"(t), [passes] "+r"(passes)
      : [base] "rm"(base), [dstBase] "rm"(dstBase), [turns] "rm"(turns)
      : "memory", "cc", "xmm0", "xmm1", "xmm2", "xmm3");
}

} // namespace

uint32_t ntWrite128Kernel(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 128);
  uint8_t* base = kernelBase();
  // The stored value is the first 16 bytes of the block, loaded before the read-in.
  const __m128 value = _mm_load_ps(reinterpret_cast<const float*>(base));
  touchBlock(k.turns * 128);
  flushStoreTarget(base, nullptr, k.turns * 128);
  timerStart();
  if (k.passes != 0) ntWrite128Passes(base, k.turns, k.passes, value);
  if (k.partialTurns != 0) ntWrite128Passes(base, k.partialTurns, 1, value);
  return nominalRate(k);
}

uint32_t ntCopy128Kernel(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 128);
  uint8_t* base = kernelBase();
  uint8_t* dst = runParameters.copyToItself ? base : base + k.turns * 128;
  touchBlock(k.turns * 128);   // the source only
  flushStoreTarget(dst, base, k.turns * 128);
  timerStart();
  if (k.passes != 0) ntCopy128Passes(base, dst, k.turns, k.passes);
  if (k.partialTurns != 0) ntCopy128Passes(base, dst, k.partialTurns, 1);
  return nominalRate(k);
}

} // namespace engine
