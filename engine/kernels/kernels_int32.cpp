// The 32-bit integer kernels: Read, Write and Copy with 32-byte turns.
// Legend: a "turn" is one unrolled body over consecutive bytes from one advancing pointer p;
// a "pass" walks `turns` turns from the test area's start. Each timed loop is one assembly
// block holding only the accesses, the pointer increment and the two counters; the compiler
// picks the registers, so the same text assembles for i686 and x86-64. The turn loops' text
// lives in engine/kernels/kernel_turns.h, which the plain twins (engine/kernels/twins_*.cpp) share. A pass
// ends by resetting the pointer and the turn count and jumping straight back into the turn
// loop, so the alignment padding in front of it runs once per measurement, not once per pass.
#include <cassert>
#include <cstdint>

#include "engine/kernels/kernel_frame.h"
#include "engine/kernels/kernel_turns.h"
#include "engine/kernels/kernels.h"
#include "engine/run/results.h"
#include "engine/test_area.h"
#include "engine/timer.h"

namespace engine {

namespace {

// passes x turns of eight 4-byte loads into one register.
inline void readPasses(const uint8_t* base, uint32_t turns, uint32_t passes) {
  const uint8_t* p;
  uint32_t t, sink;
  asm volatile(
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      TW_READ_TURN_LOOP
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      "dec %[passes]\n\t"
      "jnz 2b\n\t"
      : [p] "=&r"(p), [t] "=&r"(t), [sink] "=&r"(sink), [passes] "+r"(passes)
      : [base] "rm"(base), [turns] "rm"(turns)
      : "memory", "cc");
}

// passes x turns of eight 4-byte stores of 0.
inline void writePasses(uint8_t* base, uint32_t turns, uint32_t passes) {
  uint8_t* p;
  uint32_t t;
  const uint32_t zero = 0;
  asm volatile(
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      TW_WRITE_TURN_LOOP
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      "dec %[passes]\n\t"
      "jnz 2b\n\t"
      : [p] "=&r"(p), [t] "=&r"(t), [passes] "+r"(passes)
      : [base] "rm"(base), [turns] "rm"(turns), [zero] "r"(zero)
      : "memory", "cc");
}

// passes x turns of four times (two loads, two stores at the same offsets of dst).
inline void copyPasses(const uint8_t* base, uint8_t* dstBase, uint32_t turns, uint32_t passes) {
  const uint8_t* p;
  uint8_t* q;
  uint32_t t, a, b;
  asm volatile(
      "mov %[base], %[p]\n\t"
      "mov %[dstBase], %[q]\n\t"
      "mov %[turns], %[t]\n\t"
      TW_COPY_TURN_LOOP
      "mov %[base], %[p]\n\t"
      "mov %[dstBase], %[q]\n\t"
      "mov %[turns], %[t]\n\t"
      "dec %[passes]\n\t"
      "jnz 2b\n\t"
      : [p] "=&r"(p), [q] "=&r"(q), [t] "=&r"(t), [a] "=&r"(a), [b] "=&r"(b),
        [passes] "+r"(passes)
      : [base] "rm"(base), [dstBase] "rm"(dstBase), [turns] "rm"(turns)
      : "memory", "cc");
}

} // namespace

uint32_t readKernel(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 32);
  const uint8_t* base = kernelBase();
  touchBlock(k.turns * 32);
  timerStart();
  if (k.passes != 0) readPasses(base, k.turns, k.passes);
  if (k.partialTurns != 0) readPasses(base, k.partialTurns, 1);
  return nominalRate(k);
}

uint32_t writeKernel(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 32);
  uint8_t* base = kernelBase();
  touchBlock(k.turns * 32);
  timerStart();
  if (k.passes != 0) writePasses(base, k.turns, k.passes);
  if (k.partialTurns != 0) writePasses(base, k.partialTurns, 1);
  return nominalRate(k);
}

uint32_t copyKernel(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 32);
  uint8_t* base = kernelBase();
  // Behind the source block, or the source itself: then each pair goes back where it was read.
  uint8_t* dst = runParameters.copyToItself ? base : base + k.turns * 32;
  touchBlock(k.turns * 32);   // the source only
  timerStart();
  if (k.passes != 0) copyPasses(base, dst, k.turns, k.passes);
  if (k.partialTurns != 0) copyPasses(base, dst, k.partialTurns, 1);
  return nominalRate(k);
}

} // namespace engine
