// The 64-bit MMX kernels: MMX Read, MMX Write and MMX Copy with 64-byte turns of MOVQ.
// Legend as in kernels_int32.cpp: a turn is one unrolled 64-byte body from the advancing
// pointer p, a pass walks `turns` turns from the test area's start. This file is built with
// -mmmx and holds nothing but these kernels.
//
// EMMS runs before the block is read in, and once more after the measurement has ended: the
// x87 unit shares its registers with MMX, and compiled code uses it for double arithmetic on
// i686 right after a kernel returns; left in MMX state it would compute garbage.
#include <cstdint>

#include "engine/kernels/kernel_frame.h"
#include "engine/kernels/kernel_turns.h"
#include "engine/kernels/kernels.h"
#include "engine/run/results.h"
#include "engine/test_area.h"
#include "engine/timer.h"

namespace engine {

namespace {

// passes x turns of eight MOVQ loads into mm0.
inline void mmxReadPasses(const uint8_t* base, uint32_t turns, uint32_t passes) {
  const uint8_t* p;
  uint32_t t;
  asm volatile(
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      TW_MMX_READ_TURN_LOOP
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      "dec %[passes]\n\t"
      "jnz 2b\n\t"
      : [p] "=&r"(p), [t] "=&r"(t), [passes] "+r"(passes)
      : [base] "rm"(base), [turns] "rm"(turns)
      : "memory", "cc", "mm0");
}

// passes x turns of eight MOVQ stores of whatever mm0 holds.
inline void mmxWritePasses(uint8_t* base, uint32_t turns, uint32_t passes) {
  uint8_t* p;
  uint32_t t;
  asm volatile(
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      TW_MMX_WRITE_TURN_LOOP
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      "dec %[passes]\n\t"
      "jnz 2b\n\t"
      : [p] "=&r"(p), [t] "=&r"(t), [passes] "+r"(passes)
      : [base] "rm"(base), [turns] "rm"(turns)
      : "memory", "cc", "mm0");
}

// passes x turns of eight MOVQ loads and stores, software-pipelined two loads ahead through
// mm0, mm1, mm2 in rotation.
inline void mmxCopyPasses(const uint8_t* base, uint8_t* dstBase, uint32_t turns,
                          uint32_t passes) {
  const uint8_t* p;
  uint8_t* q;
  uint32_t t;
  asm volatile(
      "mov %[base], %[p]\n\t"
      "mov %[dstBase], %[q]\n\t"
      "mov %[turns], %[t]\n\t"
      TW_MMX_COPY_TURN_LOOP
      "mov %[base], %[p]\n\t"
      "mov %[dstBase], %[q]\n\t"
      "mov %[turns], %[t]\n\t"
      "dec %[passes]\n\t"
      "jnz 2b\n\t"
      : [p] "=&r"(p), [q] "=&r"(q), [t] "=&r"(t), [passes] "+r"(passes)
      : [base] "rm"(base), [dstBase] "rm"(dstBase), [turns] "rm"(turns)
      : "memory", "cc", "mm0", "mm1", "mm2");
}

} // namespace

uint32_t mmxReadKernel(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 64);
  const uint8_t* base = kernelBase();
  clearMmxState();
  touchBlock(k.turns * 64);
  timerStart();
  if (k.passes != 0) mmxReadPasses(base, k.turns, k.passes);
  if (k.partialTurns != 0) mmxReadPasses(base, k.partialTurns, 1);
  return nominalRateThenClearMmx(k);
}

uint32_t mmxWriteKernel(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 64);
  uint8_t* base = kernelBase();
  clearMmxState();
  touchBlock(k.turns * 64);
  timerStart();
  if (k.passes != 0) mmxWritePasses(base, k.turns, k.passes);
  if (k.partialTurns != 0) mmxWritePasses(base, k.partialTurns, 1);
  return nominalRateThenClearMmx(k);
}

uint32_t mmxCopyKernel(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 64);
  uint8_t* base = kernelBase();
  uint8_t* dst = runParameters.copyToItself ? base : base + k.turns * 64;
  clearMmxState();
  touchBlock(k.turns * 64);   // the source only
  timerStart();
  if (k.passes != 0) mmxCopyPasses(base, dst, k.turns, k.passes);
  if (k.partialTurns != 0) mmxCopyPasses(base, dst, k.partialTurns, 1);
  return nominalRateThenClearMmx(k);
}

} // namespace engine
