// Cache levels from CPUID: recorded processors through the deterministic leaves and the older
// descriptors, which leaves each vendor and highest leaf lead to, the end of the sub-leaf walk,
// and the summary line --cpu prints.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cpu/caches.h"
#include "tests/cpu/cpuid_replay.h"
#include "tests/cpu/recorded_processors.h"

namespace {

using cpu::CacheKind;
using cpu::CacheLevel;
using cputest::RecordedLeaf;
using namespace cputest::recorded;

// The recording with every sub-leaf of leaf removed.
std::vector<RecordedLeaf> without(std::vector<RecordedLeaf> leaves, uint32_t leaf) {
  leaves.erase(std::remove_if(leaves.begin(), leaves.end(),
                              [leaf](const RecordedLeaf& r) { return r.leaf == leaf; }),
               leaves.end());
  return leaves;
}

// The recording with one leaf's registers (sub-leaf 0) replaced.
std::vector<RecordedLeaf> with(std::vector<RecordedLeaf> leaves, const RecordedLeaf& leaf) {
  leaves = without(leaves, leaf.leaf);
  leaves.push_back(leaf);
  return leaves;
}

enum Reads : unsigned { leaf4 = 1, leaf8000001D = 2, leaf80000005 = 4, leaf80000006 = 8 };

unsigned cacheLeavesRead(const std::vector<uint32_t>& asked) {
  unsigned reads = 0;
  for (uint32_t leaf : asked) {
    if (leaf == 4) reads |= leaf4;
    if (leaf == 0x8000001D) reads |= leaf8000001D;
    if (leaf == 0x80000005) reads |= leaf80000005;
    if (leaf == 0x80000006) reads |= leaf80000006;
  }
  return reads;
}

TEST(CpuCaches, RecordedProcessorsAndTheirFallbacks) {
  constexpr unsigned legacy = leaf80000005 | leaf80000006;
  const std::vector<RecordedLeaf> genoaLegacy = without(epycGenoaVirtualMachine, 0x8000001D);
  const struct {
    const char* processor;
    std::vector<RecordedLeaf> leaves;
    int count;   // instruction caches included
    unsigned reads;
    const char* text;
  } cases[] = {
      {"EPYC Genoa VM", epycGenoaVirtualMachine, 4, leaf8000001D,
       "L1d 32 KB, L2 1 MB, L3 32 MB (shared by 2)"},
      {"Core i7 Skylake", corei7Skylake, 4, leaf4, "L1d 32 KB, L2 256 KB, L3 6 MB (shared by 16)"},
      {"Opteron 6376", opteron6376, 4, leaf8000001D,
       "L1d 16 KB, L2 2 MB (shared by 2), L3 6 MB (shared by 8)"},
      // Without the deterministic leaf, the older descriptors of the same machine.
      {"EPYC Genoa VM, no 0x8000001D", genoaLegacy, 3, leaf8000001D | legacy,
       "L1d 32 KB, L2 1 MB, L3 320 MB"},
      {"EPYC Genoa VM, no topology extensions",
       with(epycGenoaVirtualMachine, {0x80000001, 0x00A10F11, 0x40000000, 0x000003F3, 0x2FD3FBFF}),
       3, legacy, "L1d 32 KB, L2 1 MB, L3 320 MB"},
      {"EPYC Genoa VM, third level disabled (associativity 0)",
       with(genoaLegacy, {0x80000006, 0x5C002200, 0x6C004200, 0x04006140, 0x0A000140}), 2,
       leaf8000001D | legacy, "L1d 32 KB, L2 1 MB"},
      {"EPYC Genoa VM, highest extended leaf 0x80000005",
       with(genoaLegacy, {0x80000000, 0x80000005, 0x68747541, 0x444D4163, 0x69746E65}), 1,
       leaf80000005, "L1d 32 KB"},
      {"Opteron 6376, no topology extensions",
       with(opteron6376, {0x80000001, 0x00600F20, 0x30000000, 0x01ABBFFF, 0x2FD3FBFF}), 0, legacy,
       ""},
      // Recordings without cache leaves: every fallback is tried and finds nothing.
      {"Ryzen 5 7600X", ryzen7600x, 0, leaf8000001D | legacy, ""},
      {"Core i7-13700HX", corei7_13700hx, 0, leaf4 | legacy, ""},
      {"Pentium III Coppermine", pentium3Coppermine, 0, 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.processor);
    std::vector<uint32_t> asked;
    const cpu::CpuInfo info = cputest::identifyRecorded(c.leaves, &asked);
    EXPECT_EQ(info.cacheCount, c.count);
    EXPECT_EQ(cacheLeavesRead(asked), c.reads);
    EXPECT_EQ(cpu::dataCacheText(info), c.text);
    for (int i = 0; i < info.cacheCount; ++i) EXPECT_EQ(info.caches[i].lineBytes, 64);
  }
}

TEST(CpuCaches, SubleafWalkEndsAtNullReservedOrFull) {
  const RecordedLeaf l1d = {4, 0x00000121, 0x01C0003F, 0x0000003F, 0};   // 32 KB
  auto intelWith = [](std::vector<RecordedLeaf> subleaves) {
    subleaves.push_back(cputest::vendorLeaf(4, "GenuineIntel"));
    return subleaves;
  };
  std::vector<RecordedLeaf> endless;
  for (uint32_t i = 0; i < 12; ++i) endless.push_back({4, l1d.eax, l1d.ebx, l1d.ecx, 0, i});
  // Every geometry field at its maximum: 2^64 bytes, which must not wrap to nothing.
  const RecordedLeaf huge = {4, 0x00000121, 0xFFFFFFFF, 0xFFFFFFFF, 0};
  const struct {
    const char* what;
    std::vector<RecordedLeaf> leaves;
    int count;
    uint32_t firstKB;
  } cases[] = {
      {"null entry", intelWith({l1d}), 1, 32},
      {"reserved type 4", intelWith({l1d, {4, 0x00000124, 0x01C0003F, 0x3F, 0, 1}}), 1, 32},
      {"no end", intelWith(endless), cpu::maxCacheLevels, 32},
      {"widest geometry", intelWith({huge}), 1, 0xFFFFFFFFu},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const cpu::CpuInfo info = cputest::identifyRecorded(c.leaves);
    EXPECT_EQ(info.cacheCount, c.count);
    EXPECT_EQ(info.caches[0].sizeKB, c.firstKB);
  }
}

TEST(CpuCaches, SummaryNamesLevelsSizesAndWiderSharing) {
  const struct {
    std::vector<CacheLevel> caches;
    const char* text;
  } cases[] = {
      {{}, ""},
      {{{1, CacheKind::Unified, 32, 0, 8}}, "L1 8 KB"},
      // The instruction cache is left out; the first data level sets the sharing baseline.
      {{{1, CacheKind::Instruction, 64, 1, 32},
        {1, CacheKind::Data, 64, 2, 48},
        {2, CacheKind::Unified, 64, 2, 1280},
        {3, CacheKind::Unified, 64, 0, 30720},
        {4, CacheKind::Unified, 64, 16, 1536}},
       "L1d 48 KB, L2 1280 KB, L3 30 MB, L4 1536 KB (shared by 16)"},
  };
  for (const auto& c : cases) {
    cpu::CpuInfo info;
    for (const CacheLevel& level : c.caches) info.caches[info.cacheCount++] = level;
    EXPECT_EQ(cpu::dataCacheText(info), c.text);
  }
}

} // namespace
