// The processor features the command line's extra kernels need beyond MMX and SSE: AVX and
// AVX-512, the cache-line flushes, (usable only when the operating system saves their registers on a task switch, which
// XGETBV's XCR0 tells) and whether this build runs in 64-bit mode. Read through the CPUID and
// XCR0 seams, so recorded values of any processor can stand in for the instructions.
#pragma once
#include <cstdint>

#include "cpu/cpu_info.h"

namespace cpu {

// XGETBV with ECX 0: the operating system's enabled state components. Only call it when CPUID
// leaf 1 ECX bit 27 (OSXSAVE) is set.
uint64_t readXcr0();
using Xcr0Function = uint64_t (*)();

struct VectorFeatures {
  bool sse = false;      // leaf 1 EDX bit 25: MOVNTPS
  bool avx = false;      // leaf 1 ECX bits 28 and 27, and XCR0 saves XMM and YMM
  bool avx512 = false;   // AVX, leaf 7 EBX bit 16 (AVX-512F), and XCR0 saves opmask and ZMM
  bool bits64 = sizeof(void*) == 8;   // this build runs in 64-bit mode
  bool clflush = false;     // leaf 1 EDX bit 19: CLFLUSH
  bool clflushopt = false;  // leaf 7 EBX bit 23: CLFLUSHOPT, which flushes lines in parallel
  // Leaf 7 EDX bit 24: AMX-TILE. Not used by a kernel: only Intel's server cores from Golden
  // Cove on have it, which tells their load and store slots (cpu/port_limits.h) where a
  // hypervisor reports another model.
  bool amxTile = false;
};
// The features of the processor this program runs on; filled by detectVectorFeatures.
extern VectorFeatures vectorFeatures;

// The features from the leaves read gives and, when the OS uses XSAVE, from readXcr0.
VectorFeatures vectorFeaturesFrom(CpuidFunction read, Xcr0Function readXcr0);
// Fills vectorFeatures from the processor; call on a processor with CPUID.
void detectVectorFeatures();

} // namespace cpu
