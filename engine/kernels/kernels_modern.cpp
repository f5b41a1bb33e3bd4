// The extra kernels that need no vector instruction-set flag: 64-bit general-register Read64
// and Copy64 with 256-byte turns (a pass ends in 128-byte turns, kernel_frame.h) and Write64
// with 64-byte turns (x86-64 builds only; an i686 build has no 64-bit registers and its entries
// are never run), Copy32 (the window's Copy in 128-byte turns), MOVSB Copy (one REP MOVSB per
// pass), memcpy (one C library call per pass), and the choice of width for the non-temporal
// kernels. Legend as in kernels_int32.cpp.
#include <cstring>

#include "engine/kernels/kernel_frame.h"
#include "engine/kernels/kernels_extra.h"
#include "engine/run/results.h"
#include "engine/test_area.h"
#include "engine/timer.h"

namespace engine {

namespace {

#if defined(__x86_64__)
// passes x (turns.turns 256-byte turns of 32 8-byte loads into one register, then
// turns.tailTurns of sixteen). With 64-byte turns an Intel server core read 4 KB at 0.91 of its
// three loads a cycle, with these 0.99.
inline void read64Passes(const uint8_t* base, LongTurns turns, uint32_t passes) {
  const uint8_t* p;
  uint32_t t;
  uint64_t sink;
  asm volatile(
      ".macro tw_line64 line\n\t"
      ".irp off, 0, 8, 16, 24, 32, 40, 48, 56\n\t"
      "movq \\line+\\off(%[p]), %[sink]\n\t"
      ".endr\n\t"
      ".endm\n\t"
      TW_LONG_TURN_PASSES(
          "mov %[base], %[p]\n\t",
          "tw_line64 0\n\t"
          "tw_line64 64\n\t"
          "tw_line64 128\n\t"
          "tw_line64 192\n\t"
          "add $256, %[p]\n\t",
          "tw_line64 0\n\t"
          "tw_line64 64\n\t"
          "add $128, %[p]\n\t")
      ".purgem tw_line64\n\t"
      : [p] "=&r"(p), [t] "=&r"(t), [sink] "=&r"(sink), [passes] "+r"(passes)
      : [base] "rm"(base), [turns] "rm"(turns.turns), [tail] "rm"(turns.tailTurns)
      : "memory", "cc");
}

// passes x turns of eight 8-byte stores of value.
inline void write64Passes(uint8_t* base, uint32_t turns, uint32_t passes, uint64_t value) {
  uint8_t* p;
  uint32_t t;
  asm volatile(
      "1:\n\t"
      "mov %[base], %[p]\n\t"
      "mov %[turns], %[t]\n\t"
      ".p2align 5\n\t"  // the turn loop starts on a 32-byte fetch boundary
      "2:\n\t"
      ".irp off, 0, 8, 16, 24, 32, 40, 48, 56\n\t"
      "movq %[value], \\off(%[p])\n\t"
      ".endr\n\t"
      "add $64, %[p]\n\t"
      "dec %[t]\n\t"
      "jnz 2b\n\t"
      "dec %[passes]\n\t"
      "jnz 1b\n\t"
      : [p] "=&r"(p), [t] "=&r"(t), [passes] "+r"(passes)
      : [base] "rm"(base), [turns] "rm"(turns), [value] "r"(value)
      : "memory", "cc");
}

// passes x (turns.turns 256-byte turns of sixteen times (two 8-byte loads, two stores at the
// same offsets of dst), then turns.tailTurns of eight; with longTurns false, turns.turns turns
// of eight). With 64-byte turns an Intel server core copied 4 KB at 0.94 of its two stores a
// cycle, with these 1.00.
template <bool longTurns>
inline void copy64Passes(const uint8_t* base, uint8_t* dstBase, LongTurns turns,
                         uint32_t passes) {
  const uint8_t* p;
  uint8_t* q;
  uint32_t t;
  uint64_t a, b;
  asm volatile(
      ".macro tw_line64 line\n\t"
      ".irp off, 0, 16, 32, 48\n\t"
      "movq \\line+\\off(%[p]), %[a]\n\t"
      "movq \\line+\\off+8(%[p]), %[b]\n\t"
      "movq %[a], \\line+\\off(%[q])\n\t"
      "movq %[b], \\line+\\off+8(%[q])\n\t"
      ".endr\n\t"
      ".endm\n\t"
      TW_LONG_TURN_PASSES(
          "mov %[base], %[p]\n\t"
          "mov %[dstBase], %[q]\n\t",
          TW_LONG_OR_SHORT(
              "tw_line64 0\n\t"
              "tw_line64 64\n\t"
              "tw_line64 128\n\t"
              "tw_line64 192\n\t"
              "add $256, %[p]\n\t"
              "add $256, %[q]\n\t",
              "tw_line64 0\n\t"
              "tw_line64 64\n\t"
              "add $128, %[p]\n\t"
              "add $128, %[q]\n\t"),
          "tw_line64 0\n\t"
          "tw_line64 64\n\t"
          "add $128, %[p]\n\t"
          "add $128, %[q]\n\t")
      ".purgem tw_line64\n\t"
      : [p] "=&r"(p), [q] "=&r"(q), [t] "=&r"(t), [a] "=&r"(a), [b] "=&r"(b),
        [passes] "+r"(passes)
      : [base] "rm"(base), [dstBase] "rm"(dstBase), [turns] "rm"(turns.turns),
        [tail] "rm"(turns.tailTurns), [longTurns] "i"(longTurns ? 1 : 0)
      : "memory", "cc");
}
#else
// No 64-bit registers in this build; the table's gate keeps these from being called.
inline void read64Passes(const uint8_t*, LongTurns, uint32_t) {}
inline void write64Passes(uint8_t*, uint32_t, uint32_t, uint64_t) {}
template <bool longTurns>
inline void copy64Passes(const uint8_t*, uint8_t*, LongTurns, uint32_t) {}
#endif

// passes x turns of sixteen times (two 4-byte loads, two stores at the same offsets of dst):
// the window's Copy four turns at a time. Its 32-byte turn spends four instructions on the
// pointers and the counter per sixteen moves; on a Zen 3 it stopped at 0.88 of the six bytes
// a cycle the core's load and store slots allow, in every round of an evening, while turns of
// 128 bytes and more reached them.
inline void copy32Passes(const uint8_t* base, uint8_t* dstBase, uint32_t turns,
                         uint32_t passes) {
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
      ".irp off, 0, 8, 16, 24, 32, 40, 48, 56, 64, 72, 80, 88, 96, 104, 112, 120\n\t"
      "movl \\off(%[p]), %[a]\n\t"
      "movl \\off+4(%[p]), %[b]\n\t"
      "movl %[a], \\off(%[q])\n\t"
      "movl %[b], \\off+4(%[q])\n\t"
      ".endr\n\t"
      "add $128, %[p]\n\t"
      "add $128, %[q]\n\t"
      "dec %[t]\n\t"
      "jnz 2b\n\t"
      "dec %[passes]\n\t"
      "jnz 1b\n\t"
      : [p] "=&r"(p), [q] "=&r"(q), [t] "=&r"(t), [a] "=&r"(a), [b] "=&r"(b),
        [passes] "+r"(passes)
      : [base] "rm"(base), [dstBase] "rm"(dstBase), [turns] "rm"(turns)
      : "memory", "cc");
}

// passes x one REP MOVSB of bytes from base to dstBase. The direction flag is clear on entry
// by the calling convention.
inline void movsbPasses(const uint8_t* base, uint8_t* dstBase, uint32_t bytes,
                        uint32_t passes) {
  const void* s;
  void* d;
  uintptr_t n;
  asm volatile(
      "1:\n\t"
      "mov %[base], %[s]\n\t"
      "mov %[dstBase], %[d]\n\t"
      "mov %[bytes], %k[n]\n\t"
      "rep movsb\n\t"
      "dec %[passes]\n\t"
      "jnz 1b\n\t"
      : [s] "=&S"(s), [d] "=&D"(d), [n] "=&c"(n), [passes] "+r"(passes)
      : [base] "m"(base), [dstBase] "m"(dstBase), [bytes] "m"(bytes)
      : "memory", "cc");
}

// passes x one memcpy of bytes; the empty assembly between the calls keeps the compiler from
// folding repeated copies into one.
void memcpyPasses(const uint8_t* base, uint8_t* dstBase, uint32_t bytes, uint32_t passes) {
  for (uint32_t i = 0; i < passes; ++i) {
    std::memcpy(dstBase, base, bytes);
    asm volatile("" ::: "memory");
  }
}

uint8_t* copyDestination(uint8_t* base, uint32_t blockBytes) {
  return runParameters.copyToItself ? base : base + blockBytes;
}

} // namespace

uint32_t read64Kernel(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 128);
  const uint8_t* base = kernelBase();
  touchBlock(k.turns * 128);
  const PassTurns t = passTurnsOf(k, 2);
  timerStart();
  if (k.passes != 0) read64Passes(base, t.pass, k.passes);
  if (k.partialTurns != 0) read64Passes(base, t.partial, 1);
  return nominalRate(k);
}

uint32_t write64Kernel(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 64);
  uint8_t* base = kernelBase();
  // The stored value is the first 8 bytes of the block, loaded before the read-in.
  uint64_t value;
  std::memcpy(&value, base, sizeof value);
  touchBlock(k.turns * 64);
  timerStart();
  if (k.passes != 0) write64Passes(base, k.turns, k.passes, value);
  if (k.partialTurns != 0) write64Passes(base, k.partialTurns, 1, value);
  return nominalRate(k);
}

namespace {

template <bool longTurns>
uint32_t copy64(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 128);
  uint8_t* base = kernelBase();
  uint8_t* dst = copyDestination(base, k.turns * 128);
  touchBlock(k.turns * 128);   // the source only
  const PassTurns t = passTurnsOf(k, longTurns ? 2 : 1);
  timerStart();
  if (k.passes != 0) copy64Passes<longTurns>(base, dst, t.pass, k.passes);
  if (k.partialTurns != 0) copy64Passes<longTurns>(base, dst, t.partial, 1);
  return nominalRate(k);
}

} // namespace

uint32_t copy64Kernel(SizeCode code) {
  return longTurnsPay(blockBytes(code)) ? copy64<true>(code) : copy64<false>(code);
}

uint32_t copy32Kernel(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 128);
  uint8_t* base = kernelBase();
  uint8_t* dst = copyDestination(base, k.turns * 128);
  touchBlock(k.turns * 128);   // the source only
  timerStart();
  if (k.passes != 0) copy32Passes(base, dst, k.turns, k.passes);
  if (k.partialTurns != 0) copy32Passes(base, dst, k.partialTurns, 1);
  return nominalRate(k);
}

uint32_t movsbCopyKernel(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 64);
  uint8_t* base = kernelBase();
  uint8_t* dst = copyDestination(base, k.turns * 64);
  touchBlock(k.turns * 64);
  timerStart();
  if (k.passes != 0) movsbPasses(base, dst, k.turns * 64, k.passes);
  if (k.partialTurns != 0) movsbPasses(base, dst, k.partialTurns * 64, 1);
  return nominalRate(k);
}

uint32_t memcpyKernel(SizeCode code) {
  const KernelTurns k = kernelTurns(code, 64);
  uint8_t* base = kernelBase();
  uint8_t* dst = base + k.turns * 64;
  touchBlock(k.turns * 64);
  timerStart();
  memcpyPasses(base, dst, k.turns * 64, k.passes);
  if (k.partialTurns != 0) memcpyPasses(base, dst, k.partialTurns * 64, 1);
  return nominalRate(k);
}

uint32_t ntStoreWidth(const cpu::VectorFeatures& f) {
  return f.avx512 ? 512 : f.avx ? 256 : f.sse ? 128 : 0;
}

uint32_t ntWriteKernel(SizeCode code) {
  switch (ntStoreWidth(cpu::vectorFeatures)) {
    case 512: return ntWrite512Kernel(code);
    case 256: return ntWrite256Kernel(code);
    case 128: return ntWrite128Kernel(code);
  }
  return 0;
}

uint32_t ntCopyKernel(SizeCode code) {
  switch (ntStoreWidth(cpu::vectorFeatures)) {
    case 512: return ntCopy512Kernel(code);
    case 256: return ntCopy256Kernel(code);
    case 128: return ntCopy128Kernel(code);
  }
  return 0;
}

const char* extraFeatureText(ExtraFeature feature) {
  switch (feature) {
    case ExtraFeature::bits64: return "the 64-bit build of the program";
    case ExtraFeature::sse: return "a processor with SSE";
    case ExtraFeature::avx: return "a processor with AVX, enabled by the operating system";
    case ExtraFeature::avx512:
      return "a processor with AVX-512, enabled by the operating system";
    case ExtraFeature::none: break;
  }
  return "";
}

} // namespace engine
