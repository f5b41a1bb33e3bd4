// AVX and AVX-512 detection. A processor may have the instructions while the operating system
// does not save the wide registers on a task switch (an older system, or one that turned them
// off); running them there faults or corrupts other programs' registers, so both must agree.
#include "cpu/vector_features.h"

namespace cpu {

VectorFeatures vectorFeatures;

namespace {

constexpr uint32_t clflushFlag = 1u << 19;    // leaf 1 EDX
constexpr uint32_t sseFlag = 1u << 25;        // leaf 1 EDX
constexpr uint32_t osxsaveFlag = 1u << 27;    // leaf 1 ECX: the OS enabled XSAVE and XGETBV
constexpr uint32_t avxFlag = 1u << 28;        // leaf 1 ECX
constexpr uint32_t avx512fFlag = 1u << 16;    // leaf 7 sub-leaf 0 EBX
constexpr uint32_t clflushoptFlag = 1u << 23; // leaf 7 sub-leaf 0 EBX
constexpr uint32_t amxTileFlag = 1u << 24;    // leaf 7 sub-leaf 0 EDX
constexpr uint64_t xmmYmmState = 0x6;         // XCR0 bits 1 (SSE) and 2 (AVX)
constexpr uint64_t zmmState = 0xE0;           // XCR0 bits 5 (opmask), 6 and 7 (ZMM)

} // namespace

uint64_t readXcr0() {
  uint32_t low, high;
  asm volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
  return (uint64_t(high) << 32) | low;
}

VectorFeatures vectorFeaturesFrom(CpuidFunction read, Xcr0Function readXcr0Value) {
  VectorFeatures f;
  const uint32_t maxLeaf = read(0, 0).eax;
  if (maxLeaf < 1) return f;
  const CpuidRegisters leaf1 = read(1, 0);
  f.sse = (leaf1.edx & sseFlag) != 0;
  f.clflush = (leaf1.edx & clflushFlag) != 0;
  // Leaves past the highest one answer with stale data on some processors: read 7 only if listed.
  const CpuidRegisters leaf7 = maxLeaf >= 7 ? read(7, 0) : CpuidRegisters{};
  const uint32_t leaf7Ebx = leaf7.ebx;
  f.clflushopt = (leaf7Ebx & clflushoptFlag) != 0;
  f.amxTile = (leaf7.edx & amxTileFlag) != 0;
  if ((leaf1.ecx & osxsaveFlag) == 0 || (leaf1.ecx & avxFlag) == 0) return f;
  const uint64_t xcr0 = readXcr0Value();
  f.avx = (xcr0 & xmmYmmState) == xmmYmmState;
  const bool avx512f = (leaf7Ebx & avx512fFlag) != 0;
  f.avx512 = f.avx && avx512f && (xcr0 & zmmState) == zmmState;
  return f;
}

void detectVectorFeatures() { vectorFeatures = vectorFeaturesFrom(readCpuid, readXcr0); }

} // namespace cpu
