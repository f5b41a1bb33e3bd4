// The 256-bit AVX kernels: AVX Read and AVX Copy with 512-byte turns of aligned VMOVAPS (a
// pass ends in 128-byte turns, kernel_frame.h), AVX Write with 128-byte turns, and the 256-bit
// halves of NT Write and NT Copy (VMOVNTPS stores around the caches,
// one SFENCE after the last pass inside the timed interval). Legend as in kernels_int32.cpp.
// Every address is 32-byte aligned: the test area is 64 KB aligned and every block is a
// multiple of 128 bytes. Built with -mavx and holding nothing but these kernels; each ends with
// VZEROUPPER so the SSE code that follows pays no state transition.
#include <immintrin.h>

#include <cstdint>

#include "engine/kernels/kernel_frame.h"
#include "engine/kernels/kernels_extra.h"
#include "engine/run/results.h"
#include "engine/test_area.h"
#include "engine/timer.h"

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

template <bool nonTemporal>
uint32_t avxWrite(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 128);
  uint8_t* base = kernelBase();
  // The stored value is the first 32 bytes of the block, loaded before the read-in.
  const __m256 value = _mm256_load_ps(reinterpret_cast<const float*>(base));
  touchBlock(k.turns * 128);
  if (nonTemporal) flushStoreTarget(base, nullptr, k.turns * 128);
  timerStart();
  if (k.passes != 0) avxWritePasses<nonTemporal>(base, k.turns, k.passes, value);
  if (k.partialTurns != 0) avxWritePasses<nonTemporal>(base, k.partialTurns, 1, value);
  return nominalRateThenClearUpper(k);
}

template <bool nonTemporal, bool longTurns>
uint32_t avxCopy(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 128);
  uint8_t* base = kernelBase();
  uint8_t* dst = runParameters.copyToItself ? base : base + k.turns * 128;
  touchBlock(k.turns * 128);   // the source only
  if (nonTemporal) flushStoreTarget(dst, base, k.turns * 128);
  const PassTurns t = passTurnsOf(k, longTurns ? 4 : 1);
  timerStart();
  if (k.passes != 0) avxCopyPasses<nonTemporal, longTurns>(base, dst, t.pass, k.passes);
  if (k.partialTurns != 0) avxCopyPasses<nonTemporal, longTurns>(base, dst, t.partial, 1);
  return nominalRateThenClearUpper(k);
}

template <bool nonTemporal>
uint32_t avxCopy(SizeCode code) {
  return longTurnsPay(blockBytes(code)) ? avxCopy<nonTemporal, true>(code)
                                        : avxCopy<nonTemporal, false>(code);
}

template <bool longTurns>
uint32_t avxRead(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 128);
  const uint8_t* base = kernelBase();
  touchBlock(k.turns * 128);
  const PassTurns t = passTurnsOf(k, longTurns ? 4 : 1);
  timerStart();
  if (k.passes != 0) avxReadPasses<longTurns>(base, t.pass, k.passes);
  if (k.partialTurns != 0) avxReadPasses<longTurns>(base, t.partial, 1);
  return nominalRateThenClearUpper(k);
}

} // namespace

uint32_t avxReadKernel(SizeCode code) {
  return longTurnsPay(blockBytes(code)) ? avxRead<true>(code) : avxRead<false>(code);
}

uint32_t avxWriteKernel(SizeCode code) { return avxWrite<false>(code); }
uint32_t avxCopyKernel(SizeCode code) { return avxCopy<false>(code); }
uint32_t ntWrite256Kernel(SizeCode code) { return avxWrite<true>(code); }
uint32_t ntCopy256Kernel(SizeCode code) { return avxCopy<true>(code); }

} // namespace engine
