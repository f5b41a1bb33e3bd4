// The extra bandwidth kernels of the command-line program: 64-bit general registers, AVX
// (256-bit), AVX-512 (512-bit), non-temporal stores, REP MOVSB, the C library's memcpy, and
// the window's Copy and SSE Read as the command line runs them (longer turns, prefetches). They
// share the frame, the sizes and the rate of the nine window tests (engine/kernels/kernels.h) and are
// described by one table that the run, --bench, the tables and the tests read. Callers check
// extraKernelSupported first: the others would fault or do nothing.
#pragma once
#include <cstdint>

#include "cpu/vector_features.h"
#include "engine/kernels/kernels.h"

namespace engine {

uint32_t read64Kernel(SizeCode code);      // x86-64 builds only
uint32_t write64Kernel(SizeCode code);
uint32_t copy64Kernel(SizeCode code);
uint32_t avxReadKernel(SizeCode code);
uint32_t avxWriteKernel(SizeCode code);
uint32_t avxCopyKernel(SizeCode code);
uint32_t avx512ReadKernel(SizeCode code);
uint32_t avx512WriteKernel(SizeCode code);
uint32_t avx512CopyKernel(SizeCode code);
uint32_t ntWriteKernel(SizeCode code);     // the widest stores of ntStoreWidth()
uint32_t ntCopyKernel(SizeCode code);
uint32_t movsbCopyKernel(SizeCode code);
uint32_t memcpyKernel(SizeCode code);      // always behind the block: copies may not overlap
uint32_t copy32Kernel(SizeCode code);
uint32_t read128Kernel(SizeCode code);

// The per-width halves of the non-temporal kernels, each in the file of its instruction set.
uint32_t ntWrite128Kernel(SizeCode code);
uint32_t ntCopy128Kernel(SizeCode code);
uint32_t ntWrite256Kernel(SizeCode code);
uint32_t ntCopy256Kernel(SizeCode code);
uint32_t ntWrite512Kernel(SizeCode code);
uint32_t ntCopy512Kernel(SizeCode code);

// Bits of the non-temporal stores on a processor: 512, 256, 128; 0 without SSE.
uint32_t ntStoreWidth(const cpu::VectorFeatures& f);

enum class ExtraFeature { none, bits64, sse, avx, avx512 };

struct ExtraKernelInfo {
  const char* name;        // --tests and --bench name ("avx-read")
  const char* label;       // --table column ("AVX Read")
  const char* csvLabel;    // CSV header field ("AVXRead")
  KernelFunction function;
  uint32_t width;          // bits per transfer for cycles; 0: ntStoreWidth
  ExtraFeature feature;
  bool copies;             // writes a destination behind the block unless copyToItself
};

constexpr uint32_t extraKernelCount = 15;

// String and library copies count cycles per 64-byte line.
constexpr ExtraKernelInfo extraKernelTable[extraKernelCount] = {
    {"read64", "Read64", "Read64", read64Kernel, 64, ExtraFeature::bits64, false},
    {"write64", "Write64", "Write64", write64Kernel, 64, ExtraFeature::bits64, false},
    {"copy64", "Copy64", "Copy64", copy64Kernel, 64, ExtraFeature::bits64, true},
    {"avx-read", "AVX Read", "AVXRead", avxReadKernel, 256, ExtraFeature::avx, false},
    {"avx-write", "AVX Write", "AVXWrite", avxWriteKernel, 256, ExtraFeature::avx, false},
    {"avx-copy", "AVX Copy", "AVXCopy", avxCopyKernel, 256, ExtraFeature::avx, true},
    {"avx512-read", "AVX512 Read", "AVX512Read", avx512ReadKernel, 512, ExtraFeature::avx512,
     false},
    {"avx512-write", "AVX512 Write", "AVX512Write", avx512WriteKernel, 512,
     ExtraFeature::avx512, false},
    {"avx512-copy", "AVX512 Copy", "AVX512Copy", avx512CopyKernel, 512, ExtraFeature::avx512,
     true},
    {"nt-write", "NT Write", "NTWrite", ntWriteKernel, 0, ExtraFeature::sse, false},
    {"nt-copy", "NT Copy", "NTCopy", ntCopyKernel, 0, ExtraFeature::sse, true},
    {"movsb-copy", "MOVSB Copy", "MOVSBCopy", movsbCopyKernel, 512, ExtraFeature::none, true},
    {"memcpy", "memcpy", "memcpy", memcpyKernel, 512, ExtraFeature::none, true},
    {"copy32", "Copy32", "Copy32", copy32Kernel, 32, ExtraFeature::none, true},
    {"read128", "Read128", "Read128", read128Kernel, 128, ExtraFeature::sse, false},
};
constexpr uint32_t memcpyKernelIndex = 12;

constexpr bool extraKernelSupported(const ExtraKernelInfo& k, const cpu::VectorFeatures& f) {
  switch (k.feature) {
    case ExtraFeature::none: return true;
    case ExtraFeature::bits64: return f.bits64;
    case ExtraFeature::sse: return f.sse;
    case ExtraFeature::avx: return f.avx;
    case ExtraFeature::avx512: return f.avx512;
  }
  return false;
}

// The bits for cycles per transfer of a kernel on a processor.
inline uint32_t extraKernelWidth(const ExtraKernelInfo& k, const cpu::VectorFeatures& f) {
  return k.width != 0 ? k.width : ntStoreWidth(f);
}

// What a processor lacks for a kernel, for "needs ..." messages.
const char* extraFeatureText(ExtraFeature feature);

} // namespace engine
