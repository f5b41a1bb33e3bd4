// The 128-bit SSE kernels: SSE Read, SSE Write and SSE Copy with 64-byte turns of aligned
// MOVAPS. Legend as in kernels_int32.cpp. Every address is 16-byte aligned: testBase is 64 KB
// aligned and every block is a multiple of 128 bytes, the copy destinations included. This file
// is built with -mmmx -msse and holds nothing but these kernels.
#include <xmmintrin.h>

#include <cstdint>

#include "engine/kernels/kernel_frame.h"
#include "engine/kernels/kernel_turns.h"
#include "engine/kernels/kernels.h"
#include "engine/run/results.h"
#include "engine/test_area.h"
#include "engine/timer.h"

namespace engine {

namespace {

// passes x turns of four MOVAPS loads into xmm0..xmm3.
inline void sseReadPasses(const uint8_t* base, uint32_t turns, uint32_t passes) {
  const uint8_t* p;
  uint32_t t;
  asm volatile(
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      TW_SSE_READ_TURN_LOOP
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      "dec %[passes]\n\t"
      "jnz 2b\n\t"
      : [p] "=&r"(p), [t] "=&r"(t), [passes] "+r"(passes)
      : [base] "rm"(base), [turns] "rm"(turns)
      : "memory", "cc", "xmm0", "xmm1", "xmm2", "xmm3");
}

// passes x turns of four MOVAPS stores of one register holding value.
inline void sseWritePasses(uint8_t* base, uint32_t turns, uint32_t passes, __m128 value) {
  uint8_t* p;
  uint32_t t;
  asm volatile(
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      TW_SSE_WRITE_TURN_LOOP
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      "dec %[passes]\n\t"
      "jnz 2b\n\t"
      : [p] "=&r"(p), [t] "=&r"(t), [passes] "+r"(passes)
      : [base] "rm"(base), [turns] "rm"(turns), [v] "x"(value)
      : "memory", "cc");
}

// passes x turns of four MOVAPS loads into xmm0..xmm3, then the four stores.
inline void sseCopyPasses(const uint8_t* base, uint8_t* dstBase, uint32_t turns,
                          uint32_t passes) {
  const uint8_t* p;
  uint8_t* q;
  uint32_t t;
  asm volatile(
      "mov %[base], %[p]\n\t"
      "mov %[dstBase], %[q]\n\t"
      "mov %[turns], %[t]\n\t"
      TW_SSE_COPY_TURN_LOOP
      "mov %[base], %[p]\n\t"
      "mov %[dstBase], %[q]\n\t"
      "mov %[turns], %[t]\n\t"
      "dec %[passes]\n\t"
      "jnz 2b\n\t"
      : [p] "=&r"(p), [q] "=&r"(q), [t] "=&r"(t), [passes] "+r"(passes)
      : [base] "rm"(base), [dstBase] "rm"(dstBase), [turns] "rm"(turns)
      : "memory", "cc", "xmm0", "xmm1", "xmm2", "xmm3");
}

} // namespace

uint32_t sseReadKernel(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 64);
  const uint8_t* base = kernelBase();
  clearMmxState();
  touchBlock(k.turns * 64);
  timerStart();
  if (k.passes != 0) sseReadPasses(base, k.turns, k.passes);
  if (k.partialTurns != 0) sseReadPasses(base, k.partialTurns, 1);
  return nominalRateThenClearMmx(k);
}

uint32_t sseWriteKernel(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 64);
  uint8_t* base = kernelBase();
  clearMmxState();
  // The stored value is the first 16 bytes of the test area, loaded before the read-in.
  const __m128 value = _mm_load_ps(reinterpret_cast<const float*>(base));
  touchBlock(k.turns * 64);
  timerStart();
  if (k.passes != 0) sseWritePasses(base, k.turns, k.passes, value);
  if (k.partialTurns != 0) sseWritePasses(base, k.partialTurns, 1, value);
  return nominalRateThenClearMmx(k);
}

uint32_t sseCopyKernel(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 64);
  uint8_t* base = kernelBase();
  uint8_t* dst = runParameters.copyToItself ? base : base + k.turns * 64;
  clearMmxState();
  touchBlock(k.turns * 64);   // the source only
  timerStart();
  if (k.passes != 0) sseCopyPasses(base, dst, k.turns, k.passes);
  if (k.partialTurns != 0) sseCopyPasses(base, dst, k.partialTurns, 1);
  return nominalRateThenClearMmx(k);
}

} // namespace engine
