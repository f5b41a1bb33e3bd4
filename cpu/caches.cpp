// Cache sizes from CPUID. The deterministic leaves list one cache per sub-leaf, with its level,
// kind, geometry and sharing, until a null entry; Intel has leaf 4 since the Pentium 4, AMD leaf
// 0x8000001D since its topology extensions. Older processors describe their caches only in
// 0x80000005/0x80000006 (AMD and the makers that copied its layout; Intel fills the L2 field
// of 0x80000006 and leaves 0x80000005 reserved), which say nothing about sharing.
#include "cpu/caches.h"

#include <cstdint>

namespace cpu {

namespace {

constexpr uint32_t deterministicLeaf = 4;
constexpr uint32_t amdDeterministicLeaf = 0x8000001Du;
constexpr uint32_t legacyL1Leaf = 0x80000005u;
constexpr uint32_t legacyL2L3Leaf = 0x80000006u;
constexpr uint32_t legacyL3Unit = 512;   // KB per unit of the L3 size field

uint32_t bits(uint32_t value, int low, int count) {
  return (value >> low) & ((1u << count) - 1);
}

void addCache(CpuInfo& info, const CacheLevel& cache) {
  if (cache.sizeKB == 0 || info.cacheCount >= maxCacheLevels) return;
  info.caches[info.cacheCount++] = cache;
}

// ways x partitions x line bytes x sets, in KB; stale register contents must not wrap.
uint32_t deterministicSizeKB(const CpuidRegisters& r) {
  const uint64_t setBytes = uint64_t{bits(r.ebx, 22, 10) + 1} * (bits(r.ebx, 12, 10) + 1) *
                            (bits(r.ebx, 0, 12) + 1);
  const uint64_t sets = uint64_t{r.ecx} + 1;
  // Both factors reach 2^32: the product is split so that neither part can pass 2^64.
  const uint64_t kb = setBytes * (sets / 1024) + setBytes * (sets % 1024) / 1024;
  return kb > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(kb);
}

// Sub-leaves in order until the null entry (type 0); types 4-31 are reserved and end it too.
void readDeterministic(CpuInfo& info, CpuidFunction read, uint32_t leaf) {
  for (uint32_t subleaf = 0; subleaf < maxCacheLevels; ++subleaf) {
    const CpuidRegisters r = read(leaf, subleaf);
    const uint32_t type = bits(r.eax, 0, 5);
    if (type < 1 || type > 3) return;
    CacheLevel cache;
    cache.level = static_cast<uint8_t>(bits(r.eax, 5, 3));
    cache.kind = static_cast<CacheKind>(type);
    cache.lineBytes = static_cast<uint16_t>(bits(r.ebx, 0, 12) + 1);
    cache.sharedBy = static_cast<uint16_t>(bits(r.eax, 14, 12) + 1);
    cache.sizeKB = deterministicSizeKB(r);
    addCache(info, cache);
  }
}

// An associativity field of 0 marks a second or third level that is absent or disabled.
void readLegacy(CpuInfo& info, CpuidFunction read) {
  if (info.maxExtLeaf >= legacyL1Leaf) {
    const uint32_t ecx = read(legacyL1Leaf, 0).ecx;
    addCache(info, {1, CacheKind::Data, static_cast<uint16_t>(bits(ecx, 0, 8)), 0,
                    bits(ecx, 24, 8)});
  }
  if (info.maxExtLeaf < legacyL2L3Leaf) return;
  const CpuidRegisters r = read(legacyL2L3Leaf, 0);
  if (bits(r.ecx, 12, 4) != 0) {
    addCache(info, {2, CacheKind::Unified, static_cast<uint16_t>(bits(r.ecx, 0, 8)), 0,
                    bits(r.ecx, 16, 16)});
  }
  if (bits(r.edx, 12, 4) != 0) {
    addCache(info, {3, CacheKind::Unified, static_cast<uint16_t>(bits(r.edx, 0, 8)), 0,
                    bits(r.edx, 18, 14) * legacyL3Unit});
  }
}

// Whole megabytes as MB, anything else as KB: "512 KB", "1 MB", "1280 KB".
std::string sizeText(uint32_t kb) {
  if (kb >= 1024 && kb % 1024 == 0) return std::to_string(kb / 1024) + " MB";
  return std::to_string(kb) + " KB";
}

} // namespace

void readCacheLevels(CpuInfo& info, CpuidFunction read) {
  info.cacheCount = 0;
  // AMD reserves leaf 4 (it reads as zeros), and Hygon builds AMD's design; every other maker
  // with leaf 4 describes its caches there.
  if (info.vendor == CpuVendor::AMD || info.vendor == CpuVendor::Hygon) {
    if (info.hasTopologyExtensions && info.maxExtLeaf >= amdDeterministicLeaf) {
      readDeterministic(info, read, amdDeterministicLeaf);
    }
  } else if (info.maxStdLeaf >= deterministicLeaf) {
    readDeterministic(info, read, deterministicLeaf);
  }
  if (info.cacheCount == 0) readLegacy(info, read);
}

std::string dataCacheText(const CpuInfo& info) {
  std::string text;
  uint16_t firstSharing = 0;   // SMT siblings share every level: only wider sharing is news
  for (int i = 0; i < info.cacheCount; ++i) {
    const CacheLevel& cache = info.caches[i];
    if (cache.kind == CacheKind::Instruction) continue;
    if (text.empty()) {
      firstSharing = cache.sharedBy;
    } else {
      text += ", ";
    }
    text += 'L';
    text += static_cast<char>('0' + cache.level);
    if (cache.kind == CacheKind::Data) text += 'd';
    text += ' ' + sizeText(cache.sizeKB);
    if (cache.sharedBy > firstSharing && firstSharing != 0) {
      text += " (shared by " + std::to_string(cache.sharedBy) + ")";
    }
  }
  return text;
}

} // namespace cpu
