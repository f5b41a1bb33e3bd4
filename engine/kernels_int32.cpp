// The 32-bit integer kernels: Read, Write and Copy with 32-byte turns.
// Legend: a "turn" is one unrolled body over consecutive bytes from one advancing pointer p;
// a "pass" walks `turns` turns from the test area's start. Each timed loop is one assembly
// block holding only the accesses, the pointer increment and the two counters; the compiler
// picks the registers, so the same text assembles for i686 and x86-64.
#include <cassert>
#include <cstdint>

#include "engine/kernel_frame.h"
#include "engine/kernels.h"
#include "engine/results.h"
#include "engine/test_area.h"
#include "engine/timer.h"

namespace engine {

namespace {

// passes x turns of eight 4-byte loads into one register.
inline void readPasses(const uint8_t* base, uint32_t turns, uint32_t passes) {
  const uint8_t* p;
  uint32_t t, sink;
  asm volatile(
      "1:\n\t"
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      ".p2align 5\n\t"  // the turn loop starts on a 32-byte fetch boundary
      "2:\n\t"
      "movl 0(%[p]), %[sink]\n\t"
      "movl 4(%[p]), %[sink]\n\t"
      "movl 8(%[p]), %[sink]\n\t"
      "movl 12(%[p]), %[sink]\n\t"
      "movl 16(%[p]), %[sink]\n\t"
      "movl 20(%[p]), %[sink]\n\t"
      "movl 24(%[p]), %[sink]\n\t"
      "movl 28(%[p]), %[sink]\n\t"
      "add $32, %[p]\n\t"
      "dec %[t]\n\t"
      "jnz 2b\n\t"
      "dec %[passes]\n\t"
      "jnz 1b\n\t"
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
      "1:\n\t"
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      ".p2align 5\n\t"  // the turn loop starts on a 32-byte fetch boundary
      "2:\n\t"
      "movl %[zero], 0(%[p])\n\t"
      "movl %[zero], 4(%[p])\n\t"
      "movl %[zero], 8(%[p])\n\t"
      "movl %[zero], 12(%[p])\n\t"
      "movl %[zero], 16(%[p])\n\t"
      "movl %[zero], 20(%[p])\n\t"
      "movl %[zero], 24(%[p])\n\t"
      "movl %[zero], 28(%[p])\n\t"
      "add $32, %[p]\n\t"
      "dec %[t]\n\t"
      "jnz 2b\n\t"
      "dec %[passes]\n\t"
      "jnz 1b\n\t"
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
      "1:\n\t"
      "mov %[base], %[p]\n\t"
      "mov %[dstBase], %[q]\n\t"
      "mov %[turns], %[t]\n\t"
      ".p2align 5\n\t"  // the turn loop starts on a 32-byte fetch boundary
      "2:\n\t"
      "movl 0(%[p]), %[a]\n\t"
      "movl 4(%[p]), %[b]\n\t"
      "movl %[a], 0(%[q])\n\t"
      "movl %[b], 4(%[q])\n\t"
      "movl 8(%[p]), %[a]\n\t"
      "movl 12(%[p]), %[b]\n\t"
      "movl %[a], 8(%[q])\n\t"
      "movl %[b], 12(%[q])\n\t"
      "movl 16(%[p]), %[a]\n\t"
      "movl 20(%[p]), %[b]\n\t"
      "movl %[a], 16(%[q])\n\t"
      "movl %[b], 20(%[q])\n\t"
      "movl 24(%[p]), %[a]\n\t"
      "movl 28(%[p]), %[b]\n\t"
      "movl %[a], 24(%[q])\n\t"
      "movl %[b], 28(%[q])\n\t"
      "add $32, %[p]\n\t"
      "add $32, %[q]\n\t"
      "dec %[t]\n\t"
      "jnz 2b\n\t"
      "dec %[passes]\n\t"
      "jnz 1b\n\t"
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
  return nominalRate();
}

uint32_t writeKernel(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 32);
  uint8_t* base = kernelBase();
  touchBlock(k.turns * 32);
  timerStart();
  if (k.passes != 0) writePasses(base, k.turns, k.passes);
  if (k.partialTurns != 0) writePasses(base, k.partialTurns, 1);
  return nominalRate();
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
  return nominalRate();
}

} // namespace engine
