// Identification of the processor from its CPUID leaves: the vendor table, the signature fields,
// the feature flags that gate the tests, the first cache descriptor, the cache levels (read in
// cpu/caches.cpp) and the brand string. No leaf beyond the highest one the processor reports
// is executed: the oldest processors with CPUID answer unknown leaves with stale data rather
// than zeros.
#include <cstring>

#include "cpu/caches.h"
#include "cpu/cpu_info.h"
#include "cpu/names.h"

namespace cpu {

CpuInfo cpuInfo;

namespace {

struct VendorRow {
  const char* id;   // exactly 12 characters
  CpuVendor vendor;
};

// Searched in this order; at most one can match since the strings differ.
constexpr VendorRow vendorTable[] = {
    {"AuthenticAMD", CpuVendor::AMD},     {"GenuineIntel", CpuVendor::Intel},
    {"CyrixInstead", CpuVendor::Cyrix},   {"CentaurHauls", CpuVendor::Centaur},
    {"NexGenDriven", CpuVendor::NexGen},  {"RiseRiseRise", CpuVendor::Rise},
    {"GenuineTMx86", CpuVendor::Transmeta}, {"HygonGenuine", CpuVendor::Hygon},
    {"  Shanghai  ", CpuVendor::Zhaoxin},
};

constexpr uint32_t tscFlag = 0x10;       // leaf 1 EDX bit 4
constexpr uint32_t mmxFlag = 0x800000;   // leaf 1 EDX bit 23
constexpr uint32_t sseFlag = 0x2000000;  // leaf 1 EDX bit 25
constexpr uint32_t sse2Flag = 0x4000000; // leaf 1 EDX bit 26
constexpr uint32_t extendedBase = 0x80000000u;
constexpr uint32_t topologyExtensionsFlag = 0x400000;   // leaf 0x80000001 ECX bit 22
constexpr uint32_t lastBrandLeaf = 0x80000004u;

// A register's four bytes in memory (little-endian) order, as the processor means its texts.
void storeRegister(char* dest, uint32_t value) {
  for (int i = 0; i < 4; ++i) dest[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void readSignature(CpuInfo& info, const CpuidRegisters& leaf1) {
  const uint32_t eax = leaf1.eax;
  info.stepping = eax & 0xF;
  info.model = (eax >> 4) & 0xF;
  info.family = (eax >> 8) & 0xF;
  info.cpuType = (eax >> 12) & 0x3;
  info.extModel = (eax >> 16) & 0xF;
  info.extFamily = (eax >> 20) & 0xFF;
  info.brandIndex = leaf1.ebx & 0xFF;
  info.hasTsc = (leaf1.edx & tscFlag) != 0;
  info.hasMmx = (leaf1.edx & mmxFlag) != 0;
  info.hasSse = (leaf1.edx & sseFlag) != 0;
  info.hasSse2 = (leaf1.edx & sse2Flag) != 0;
}

void readBrandString(CpuInfo& info, CpuidFunction read) {
  for (uint32_t i = 0; i < 3; ++i) {
    const CpuidRegisters r = read(extendedBase + 2 + i, 0);
    char* dest = info.brandString + 16 * i;
    storeRegister(dest, r.eax);
    storeRegister(dest + 4, r.ebx);
    storeRegister(dest + 8, r.ecx);
    storeRegister(dest + 12, r.edx);
  }
  foldBrandString(info.brandString, info.brandName);
}

} // namespace

CpuVendor vendorFromId(const char* vendorId) {
  for (const VendorRow& row : vendorTable) {
    if (std::memcmp(vendorId, row.id, 12) == 0) return row.vendor;
  }
  return CpuVendor::None;
}

uint16_t signatureKey(const CpuInfo& info) {
  return static_cast<uint16_t>(info.family * 256 + info.model);
}

void foldBrandString(const char* brandString, char* dest) {
  int out = 0;
  bool blankPending = false;
  for (int i = 0; i < 48 && brandString[i] != '\0'; ++i) {
    if (brandString[i] == ' ') {
      blankPending = out > 0;   // blanks before the first word are dropped
      continue;
    }
    if (blankPending) dest[out++] = ' ';
    blankPending = false;
    dest[out++] = brandString[i];
  }
  dest[out] = '\0';             // trailing blanks never get written
}

CpuInfo identifyFrom(CpuidFunction read) {
  CpuInfo info;
  const CpuidRegisters leaf0 = read(0, 0);
  info.maxStdLeaf = leaf0.eax & 0xFF;
  storeRegister(info.vendorId, leaf0.ebx);
  storeRegister(info.vendorId + 4, leaf0.edx);
  storeRegister(info.vendorId + 8, leaf0.ecx);
  info.vendor = vendorFromId(info.vendorId);

  if (info.maxStdLeaf >= 1) readSignature(info, read(1, 0));
  // Leaf 2 is read once: the naming rules need only the first descriptor byte of EDX, so its
  // repeat count in AL is not followed.
  if (info.maxStdLeaf >= 2) info.firstCacheDescriptor = read(2, 0).edx & 0xFF;

  const uint32_t maxExt = read(extendedBase, 0).eax;
  if (maxExt > extendedBase) info.maxExtLeaf = maxExt;
  if (info.maxExtLeaf > extendedBase) {
    info.hasTopologyExtensions = (read(extendedBase + 1, 0).ecx & topologyExtensionsFlag) != 0;
  }
  if (info.maxExtLeaf >= lastBrandLeaf) readBrandString(info, read);
  readCacheLevels(info, read);

  info.coreName = coreNameFor(info);
  return info;
}

void identifyCpu(CpuidFunction read) {
  cpuInfo = identifyFrom(read);
}

} // namespace cpu
