// The 512-bit AVX-512 kernels: AVX512 Read (1 KB turns of aligned VMOVAPS), AVX512 Write
// (128-byte turns) and AVX512 Copy (512-byte turns), and the 512-bit halves of NT Write and NT
// Copy (VMOVNTPS stores around the caches, one SFENCE after the last pass inside the timed
// interval). Legend as in kernels_int32.cpp. Blocks are multiples of 128 bytes: a long-turn
// pass ends in 128-byte turns of two registers (kernel_frame.h).
// Every address is 64-byte aligned: the test area is 64 KB aligned and every block is a
// multiple of 128 bytes. Built with -mavx512f and holding nothing but these kernels; each ends
// with VZEROUPPER so the SSE code that follows pays no state transition.
#include <immintrin.h>

#include <cstdint>

#include "engine/kernels/kernels_extra.h"
#include "engine/kernels/vector_frames.h"

namespace engine {

namespace {

// passes x (turns.turns 1 KB turns of sixteen VMOVAPS loads, then turns.tailTurns of two);
// with longTurns false, turns.turns turns of two (kernel_frame.h). Four long turns a 4 KB
// pass: with 32 turns of two loads, an Intel server core read 0.84 of its two 64-byte loads a
// cycle at 4 KB and 0.74 at 16 KB, with 1 KB turns 0.95 and 0.93.
template <bool longTurns>
inline void avx512ReadPasses(const uint8_t* base, LongTurns turns, uint32_t passes) {
  const uint8_t* p;
  uint32_t t;
  asm volatile(
      ".macro tw_turn128\n\t"
      "vmovaps 0(%[p]), %%zmm0\n\t"
      "vmovaps 64(%[p]), %%zmm1\n\t"
      "add $128, %[p]\n\t"
      ".endm\n\t"
      TW_LONG_TURN_PASSES(
          "mov %[base], %[p]\n\t",
          TW_LONG_OR_SHORT(
              ".irp off, 0, 64, 128, 192, 256, 320, 384, 448,"
              " 512, 576, 640, 704, 768, 832, 896, 960\n\t"
              "vmovaps \\off(%[p]), %%zmm0\n\t"
              ".endr\n\t"
              "add $1024, %[p]\n\t",
              "tw_turn128\n\t"),
          "tw_turn128\n\t")
      ".purgem tw_turn128\n\t"
      : [p] "=&r"(p), [t] "=&r"(t), [passes] "+r"(passes)
      : [base] "rm"(base), [turns] "rm"(turns.turns), [tail] "rm"(turns.tailTurns),
        [longTurns] "i"(longTurns ? 1 : 0)
      : "memory", "cc", "xmm0", "xmm1");
}

// passes x turns of two stores of one register holding value: VMOVAPS, or VMOVNTPS and a
// closing SFENCE when nonTemporal.
template <bool nonTemporal>
inline void avx512WritePasses(uint8_t* base, uint32_t turns, uint32_t passes, __m512 value) {
  uint8_t* p;
  uint32_t t;
  asm volatile(
      "1:\n\t"
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      ".p2align 5\n\t"  // the turn loop starts on a 32-byte fetch boundary
      "2:\n\t"
      ".irp off, 0, 64\n\t"
      ".if %c[nt]\n\t"
      "vmovntps %[v], \\off(%[p])\n\t"
      ".else\n\t"
      "vmovaps %[v], \\off(%[p])\n\t"
      ".endif\n\t"
      ".endr\n\t"
      "add $128, %[p]\n\t"
      "dec %[t]\n\t"
      "jnz 2b\n\t"
      "dec %[passes]\n\t"
      "jnz 1b\n\t"
      ".if %c[nt]\n\t"
      "sfence\n\t"
      ".endif\n\t"
      : [p] "=&r"(p), [t] "=&r"(t), [passes] "+r"(passes)
      : [base] "rm"(base), [turns] "rm"(turns), [v] "v"(value), [nt] "i"(nonTemporal ? 1 : 0)
      : "memory", "cc");
}

// passes x (turns.turns 512-byte turns of eight times a VMOVAPS load and its store, then
// turns.tailTurns of two; with longTurns false, turns.turns turns of two); the stores VMOVNTPS
// and a closing SFENCE when nonTemporal. With 128-byte turns an Intel server core copied 4 KB
// at 0.79 of its 64 bytes a cycle, with these 1.00.
template <bool nonTemporal, bool longTurns>
inline void avx512CopyPasses(const uint8_t* base, uint8_t* dstBase, LongTurns turns,
                             uint32_t passes) {
  const uint8_t* p;
  uint8_t* q;
  uint32_t t;
  asm volatile(
      ".macro tw_store512 reg, off\n\t"
      ".if %c[nt]\n\t"
      "vmovntps \\reg, \\off(%[q])\n\t"
      ".else\n\t"
      "vmovaps \\reg, \\off(%[q])\n\t"
      ".endif\n\t"
      ".endm\n\t"
      ".macro tw_turn128\n\t"
      "vmovaps 0(%[p]), %%zmm0\n\t"
      "vmovaps 64(%[p]), %%zmm1\n\t"
      "tw_store512 %%zmm0, 0\n\t"
      "tw_store512 %%zmm1, 64\n\t"
      "add $128, %[p]\n\t"
      "add $128, %[q]\n\t"
      ".endm\n\t"
      TW_LONG_TURN_PASSES(
          "mov %[base], %[p]\n\t"
          "mov %[dstBase], %[q]\n\t",
          TW_LONG_OR_SHORT(
              ".irp off, 0, 64, 128, 192, 256, 320, 384, 448\n\t"
              "vmovaps \\off(%[p]), %%zmm0\n\t"
              "tw_store512 %%zmm0, \\off\n\t"
              ".endr\n\t"
              "add $512, %[p]\n\t"
              "add $512, %[q]\n\t",
              "tw_turn128\n\t"),
          "tw_turn128\n\t")
      ".if %c[nt]\n\t"
      "sfence\n\t"
      ".endif\n\t"
      ".purgem tw_turn128\n\t"
      ".purgem tw_store512\n\t"
      : [p] "=&r"(p), [q] "=&r"(q), [t] "=&r"(t), [passes] "+r"(passes)
      : [base] "rm"(base), [dstBase] "rm"(dstBase), [turns] "rm"(turns.turns),
        [tail] "rm"(turns.tailTurns), [nt] "i"(nonTemporal ? 1 : 0),
        [longTurns] "i"(longTurns ? 1 : 0)
      : "memory", "cc", "xmm0", "xmm1");
}

} // namespace

uint32_t avx512ReadKernel(SizeCode code) {
  return longTurnRead<avx512ReadPasses<true>, avx512ReadPasses<false>>(code, 8);
}
uint32_t avx512WriteKernel(SizeCode code) {
  return vectorWrite<avx512WritePasses<false>, false, __m512>(code);
}
uint32_t avx512CopyKernel(SizeCode code) {
  return longTurnCopy<avx512CopyPasses<false, true>, avx512CopyPasses<false, false>, false>(
      code, 4);
}
uint32_t ntWrite512Kernel(SizeCode code) {
  return vectorWrite<avx512WritePasses<true>, true, __m512>(code);
}
uint32_t ntCopy512Kernel(SizeCode code) {
  return longTurnCopy<avx512CopyPasses<true, true>, avx512CopyPasses<true, false>, true>(
      code, 4);
}

} // namespace engine
