// The 256-bit AVX kernels: AVX Read and AVX Copy with 512-byte turns of aligned VMOVAPS (a
// pass ends in 128-byte turns, kernel_frame.h), AVX Write with 128-byte turns, and the 256-bit
// halves of NT Write and NT Copy (VMOVNTPS stores around the caches,
// one SFENCE after the last pass inside the timed interval). Legend as in kernels_int32.cpp.
// Every address is 32-byte aligned: the test area is 64 KB aligned and every block is a
// multiple of 128 bytes. Built with -mavx and holding nothing but these kernels; each ends with
// VZEROUPPER so the SSE code that follows pays no state transition.
#include <immintrin.h>

#include <cstdint>

#include "engine/kernels/kernels_extra.h"
#include "engine/kernels/vector_frames.h"

namespace engine {

namespace {

// passes x (turns.turns 512-byte turns of sixteen VMOVAPS loads, then turns.tailTurns of
// four; with longTurns false, turns.turns turns of four). With 128-byte turns an Intel server
// core read 4 KB at 0.89 of its three 32-byte loads a cycle, with these 0.90, the best any turn
// length gave there. No prefetches: on a Zen 4 two PREFETCHT0 a turn a kilobyte ahead cost
// 13 % at 1 MB and 30 % at 4 MB, where on a Zen 3 they had gained 2 %; the stream prefetchers
// serve 256-bit loads alone.
template <bool longTurns>
inline void avxReadPasses(const uint8_t* base, LongTurns turns, uint32_t passes) {
  const uint8_t* p;
  uint32_t t;
  asm volatile(
      ".macro tw_turn128\n\t"
      "vmovaps 0(%[p]), %%ymm0\n\t"
      "vmovaps 32(%[p]), %%ymm1\n\t"
      "vmovaps 64(%[p]), %%ymm2\n\t"
      "vmovaps 96(%[p]), %%ymm3\n\t"
      "add $128, %[p]\n\t"
      ".endm\n\t"
      TW_LONG_TURN_PASSES(
          "mov %[base], %[p]\n\t",
          TW_LONG_OR_SHORT(
              ".irp off, 0, 32, 64, 96, 128, 160, 192, 224,"
              " 256, 288, 320, 352, 384, 416, 448, 480\n\t"
              "vmovaps \\off(%[p]), %%ymm0\n\t"
              ".endr\n\t"
              "add $512, %[p]\n\t",
              "tw_turn128\n\t"),
          "tw_turn128\n\t")
      ".purgem tw_turn128\n\t"
      : [p] "=&r"(p), [t] "=&r"(t), [passes] "+r"(passes)
      : [base] "rm"(base), [turns] "rm"(turns.turns), [tail] "rm"(turns.tailTurns),
        [longTurns] "i"(longTurns ? 1 : 0)
      : "memory", "cc", "xmm0", "xmm1", "xmm2", "xmm3");
}

// passes x turns of four stores of one register holding value: VMOVAPS, or VMOVNTPS and a
// closing SFENCE when nonTemporal.
template <bool nonTemporal>
inline void avxWritePasses(uint8_t* base, uint32_t turns, uint32_t passes, __m256 value) {
  uint8_t* p;
  uint32_t t;
  asm volatile(
      "1:\n\t"
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      ".p2align 5\n\t"  // the turn loop starts on a 32-byte fetch boundary
      "2:\n\t"
      ".irp off, 0, 32, 64, 96\n\t"
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
      : [base] "rm"(base), [turns] "rm"(turns), [v] "x"(value), [nt] "i"(nonTemporal ? 1 : 0)
      : "memory", "cc");
}

// passes x (turns.turns 512-byte turns of sixteen times a VMOVAPS load and its store, then
// turns.tailTurns of four; with longTurns false, turns.turns turns of four); the stores
// VMOVNTPS and a closing SFENCE when nonTemporal. With 128-byte turns an Intel server core
// copied 4 KB at 0.79 of its 64 bytes a cycle, with these 0.92.
template <bool nonTemporal, bool longTurns>
inline void avxCopyPasses(const uint8_t* base, uint8_t* dstBase, LongTurns turns,
                          uint32_t passes) {
  const uint8_t* p;
  uint8_t* q;
  uint32_t t;
  asm volatile(
      ".macro tw_store256 reg, off\n\t"
      ".if %c[nt]\n\t"
      "vmovntps \\reg, \\off(%[q])\n\t"
      ".else\n\t"
      "vmovaps \\reg, \\off(%[q])\n\t"
      ".endif\n\t"
      ".endm\n\t"
      ".macro tw_turn128\n\t"
      "vmovaps 0(%[p]), %%ymm0\n\t"
      "vmovaps 32(%[p]), %%ymm1\n\t"
      "vmovaps 64(%[p]), %%ymm2\n\t"
      "vmovaps 96(%[p]), %%ymm3\n\t"
      "tw_store256 %%ymm0, 0\n\t"
      "tw_store256 %%ymm1, 32\n\t"
      "tw_store256 %%ymm2, 64\n\t"
      "tw_store256 %%ymm3, 96\n\t"
      "add $128, %[p]\n\t"
      "add $128, %[q]\n\t"
      ".endm\n\t"
      TW_LONG_TURN_PASSES(
          "mov %[base], %[p]\n\t"
          "mov %[dstBase], %[q]\n\t",
          TW_LONG_OR_SHORT(
              ".irp off, 0, 32, 64, 96, 128, 160, 192, 224,"
              " 256, 288, 320, 352, 384, 416, 448, 480\n\t"
              "vmovaps \\off(%[p]), %%ymm0\n\t"
              "tw_store256 %%ymm0, \\off\n\t"
              ".endr\n\t"
              "add $512, %[p]\n\t"
              "add $512, %[q]\n\t",
              "tw_turn128\n\t"),
          "tw_turn128\n\t")
      ".if %c[nt]\n\t"
      "sfence\n\t"
      ".endif\n\t"
      ".purgem tw_turn128\n\t"
      ".purgem tw_store256\n\t"
      : [p] "=&r"(p), [q] "=&r"(q), [t] "=&r"(t), [passes] "+r"(passes)
      : [base] "rm"(base), [dstBase] "rm"(dstBase), [turns] "rm"(turns.turns),
        [tail] "rm"(turns.tailTurns), [nt] "i"(nonTemporal ? 1 : 0),
        [longTurns] "i"(longTurns ? 1 : 0)
      : "memory", "cc", "xmm0", "xmm1", "xmm2", "xmm3");
}

} // namespace

uint32_t avxReadKernel(SizeCode code) {
  return longTurnRead<avxReadPasses<true>, avxReadPasses<false>>(code, 4);
}
uint32_t avxWriteKernel(SizeCode code) {
  return vectorWrite<avxWritePasses<false>, false, __m256>(code);
}
uint32_t avxCopyKernel(SizeCode code) {
  return longTurnCopy<avxCopyPasses<false, true>, avxCopyPasses<false, false>, false>(code, 4);
}
uint32_t ntWrite256Kernel(SizeCode code) {
  return vectorWrite<avxWritePasses<true>, true, __m256>(code);
}
uint32_t ntCopy256Kernel(SizeCode code) {
  return longTurnCopy<avxCopyPasses<true, true>, avxCopyPasses<true, false>, true>(code, 4);
}

} // namespace engine
