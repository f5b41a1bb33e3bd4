// The line-read kernels behind the peak bandwidth: one 4-byte load per 32, 64 or 128 bytes of
// a 16 MB block, no read-in, no partial pass. Each reports the nominal volume of the whole
// block: when the stride is at most the cache line, every line is still fetched, so the rate
// is the bus's; once the stride passes the line size the rate jumps, which is what the
// line-size probe looks for. Legend as in kernels_int32.cpp.
#include <cassert>
#include <cstdint>

#include "engine/kernels/kernel_frame.h"
#include "engine/kernels/kernels.h"
#include "engine/timer.h"

namespace engine {

namespace {

// passes x turns of loads at 0, 32, 64, 96 of each 128 bytes.
inline void line32Passes(const uint8_t* base, uint32_t turns, uint32_t passes) {
  const uint8_t* p;
  uint32_t t, sink;
  asm volatile(
      "1:\n\t"
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      ".p2align 5\n\t"  // the turn loop starts on a 32-byte fetch boundary
      "2:\n\t"
      "movl 0(%[p]), %[sink]\n\t"
      "movl 32(%[p]), %[sink]\n\t"
      "movl 64(%[p]), %[sink]\n\t"
      "movl 96(%[p]), %[sink]\n\t"
      "add $128, %[p]\n\t"
      "dec %[t]\n\t"
      "jnz 2b\n\t"
      "dec %[passes]\n\t"
      "jnz 1b\n\t"
      : [p] "=&r"(p), [t] "=&r"(t), [sink] "=&r"(sink), [passes] "+r"(passes)
      : [base] "rm"(base), [turns] "rm"(turns)
      : "memory", "cc");
}

// passes x turns of loads at 0 and stride of each 2 x stride bytes (line64: 64, line128: 128).
template <int stride>
inline void twoLinePasses(const uint8_t* base, uint32_t turns, uint32_t passes) {
  const uint8_t* p;
  uint32_t t, sink;
  asm volatile(
      "1:\n\t"
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      ".p2align 5\n\t"  // the turn loop starts on a 32-byte fetch boundary
      "2:\n\t"
      "movl 0(%[p]), %[sink]\n\t"
      "movl %c[stride](%[p]), %[sink]\n\t"
      "add %[turnBytes], %[p]\n\t"
      "dec %[t]\n\t"
      "jnz 2b\n\t"
      "dec %[passes]\n\t"
      "jnz 1b\n\t"
      : [p] "=&r"(p), [t] "=&r"(t), [sink] "=&r"(sink), [passes] "+r"(passes)
      : [base] "rm"(base), [turns] "rm"(turns), [stride] "i"(stride),
        [turnBytes] "i"(2 * stride)
      : "memory", "cc");
}

// The frame: whole passes only; the block must be a multiple of the turn. A volume smaller
// than the block (the placement search's) gives no pass and no time.
template <void (*passesOf)(const uint8_t*, uint32_t, uint32_t)>
uint32_t lineKernel(SizeCode code, uint32_t turnBytes) {
  const KernelTurns k = kernelTurns(code, turnBytes);
  assert(blockDwords(code) * 4 % turnBytes == 0);
  timerStart();
  if (k.passes != 0) passesOf(kernelBase(), k.turns, k.passes);
  return nominalRate(k);
}

} // namespace

uint32_t lineRead32Kernel(SizeCode code) { return lineKernel<line32Passes>(code, 128); }
uint32_t lineRead64Kernel(SizeCode code) { return lineKernel<twoLinePasses<64>>(code, 128); }
uint32_t lineRead128Kernel(SizeCode code) { return lineKernel<twoLinePasses<128>>(code, 256); }

} // namespace engine
