// AVX and AVX-512 gating from recorded CPUID leaves and XCR0 values: the instructions count only
// when the operating system saves their registers; and the cache-line flushes. Leaf values are built from the documented bit
// positions (leaf 1 ECX 27 OSXSAVE and 28 AVX, EDX 25 SSE; leaf 7 EBX 16 AVX-512F; XCR0 bits 1-2
// XMM/YMM, 5-7 opmask/ZMM).
#include <gtest/gtest.h>

#include <algorithm>

#include "cpu/vector_features.h"
#include "tests/cpu/cpuid_replay.h"

namespace {

using cputest::RecordedLeaf;

uint64_t xcr0Value = 0;
uint64_t fakeXcr0() { return xcr0Value; }

constexpr uint32_t sse = 1u << 25, osxsave = 1u << 27, avx = 1u << 28, avx512f = 1u << 16;

TEST(VectorFeatures, WideRegistersCountOnlyWhenTheSystemSavesThem) {
  const struct {
    const char* what;
    uint32_t maxLeaf, leaf1Ecx, leaf7Ebx;
    uint64_t xcr0;
    bool avx, avx512;
  } cases[] = {
      {"AVX-512 processor, system saves ZMM", 13, osxsave | avx, avx512f, 0xE7, true, true},
      {"system saves YMM only", 13, osxsave | avx, avx512f, 0x7, true, false},
      {"system saves XMM only", 13, osxsave | avx, avx512f, 0x3, false, false},
      {"no OSXSAVE: XCR0 is not read", 13, avx, avx512f, 0xE7, false, false},
      {"AVX processor without AVX-512", 13, osxsave | avx, 0, 0xE7, true, false},
      {"leaf 7 beyond the highest leaf", 6, osxsave | avx, avx512f, 0xE7, true, false},
  };
  for (const auto& c : cases) {
    const std::vector<RecordedLeaf> leaves = {
        {0, c.maxLeaf, 0, 0, 0}, {1, 0, 0, c.leaf1Ecx, sse}, {7, 0, c.leaf7Ebx, 0, 0}};
    std::vector<uint32_t> asked;
    cputest::setReplay(&leaves, &asked);
    xcr0Value = c.xcr0;
    const cpu::VectorFeatures f = cpu::vectorFeaturesFrom(cputest::replayLeaf, fakeXcr0);
    cputest::setReplay(nullptr);
    EXPECT_TRUE(f.sse) << c.what;
    EXPECT_EQ(f.avx, c.avx) << c.what;
    EXPECT_EQ(f.avx512, c.avx512) << c.what;
    if (c.maxLeaf < 7) {
      EXPECT_EQ(std::count(asked.begin(), asked.end(), 7u), 0) << c.what;
    }
  }
}

// The flushes and AMX-TILE need no operating-system support, so they count without OSXSAVE too.
TEST(VectorFeatures, CacheLineFlushes) {
  constexpr uint32_t clflush = 1u << 19, clflushopt = 1u << 23, amxTile = 1u << 24;
  const struct {
    const char* what;
    uint32_t maxLeaf, leaf1Edx, leaf7Ebx, leaf7Edx;
    bool clflush, clflushopt, amx;
  } cases[] = {
      {"both, and AMX", 7, sse | clflush, clflushopt, amxTile, true, true, true},
      {"CLFLUSH only", 7, sse | clflush, 0, 0, true, false, false},
      {"neither (an SSE processor of 1999)", 2, sse, clflushopt, amxTile, false, false, false},
  };
  for (const auto& c : cases) {
    const std::vector<RecordedLeaf> leaves = {
        {0, c.maxLeaf, 0, 0, 0}, {1, 0, 0, 0, c.leaf1Edx}, {7, 0, c.leaf7Ebx, 0, c.leaf7Edx}};
    cputest::setReplay(&leaves, nullptr);
    const cpu::VectorFeatures f = cpu::vectorFeaturesFrom(cputest::replayLeaf, fakeXcr0);
    cputest::setReplay(nullptr);
    EXPECT_EQ(f.clflush, c.clflush) << c.what;
    EXPECT_EQ(f.clflushopt, c.clflushopt) << c.what;
    EXPECT_EQ(f.amxTile, c.amx) << c.what;
  }
}

} // namespace
