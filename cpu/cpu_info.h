// Processor identification: the CPUID leaves the benchmark reads, the identification record
// `cpuInfo` (feature flags that gate the tests, vendor, signature, the raw values the naming rules
// consult) and the operation that fills it. The naming tables themselves are in cpu/names.h.
// CPUID is reached only through a CpuidFunction, so recorded leaves of any processor can stand
// in for the instruction.
#pragma once
#include <cstdint>

namespace cpu {

// The recognised makers; None when the vendor string matches no known one.
enum class CpuVendor : uint8_t {
  None, AMD, Intel, Cyrix, Centaur, NexGen, Rise, Transmeta, Hygon, Zhaoxin
};

// The four registers one CPUID leaf returns.
struct CpuidRegisters {
  uint32_t eax = 0;
  uint32_t ebx = 0;
  uint32_t ecx = 0;
  uint32_t edx = 0;
};

// Executes (or replays) CPUID for one leaf; the sub-leaf in ECX matters only for the cache
// leaves, every other leaf is read with sub-leaf 0.
using CpuidFunction = CpuidRegisters (*)(uint32_t leaf, uint32_t subleaf);

// The real instruction. Only call it once the start-up checks found CPUID present.
CpuidRegisters readCpuid(uint32_t leaf, uint32_t subleaf);

// What a cache holds, numbered as the deterministic cache leaves number it.
enum class CacheKind : uint8_t { Data = 1, Instruction = 2, Unified = 3 };

// One cache as CPUID describes it.
struct CacheLevel {
  uint8_t level = 0;              // 1 for the first level
  CacheKind kind = CacheKind::Data;
  uint16_t lineBytes = 0;         // bytes per line; 0 when not reported
  uint16_t sharedBy = 0;          // logical processors sharing it (Intel: IDs); 0 unknown
  uint32_t sizeKB = 0;            // KB = 1,024 bytes
};
constexpr int maxCacheLevels = 8;   // more than any processor reports (four are usual)

struct CpuInfo {
  char vendorId[13] = {};          // leaf 0 EBX, EDX, ECX as bytes, NUL-terminated
  CpuVendor vendor = CpuVendor::None;
  uint8_t maxStdLeaf = 0;          // low byte of leaf 0 EAX
  uint8_t stepping = 0;            // leaf 1 EAX bits 0-3
  uint8_t model = 0;               // leaf 1 EAX bits 4-7, base model only
  uint8_t family = 0;              // leaf 1 EAX bits 8-11, base family only
  uint8_t cpuType = 0;             // leaf 1 EAX bits 12-13: 0 OEM, 1 OverDrive, 2 dual
  uint8_t extModel = 0;            // leaf 1 EAX bits 16-19; non-zero on processors newer than the tables
  uint8_t extFamily = 0;           // leaf 1 EAX bits 20-27
  uint8_t brandIndex = 0;          // leaf 1 EBX bits 0-7
  bool hasTsc = false;             // leaf 1 EDX bit 4: time-stamp counter
  bool hasMmx = false;             // leaf 1 EDX bit 23
  bool hasSse = false;             // leaf 1 EDX bit 25
  bool hasSse2 = false;            // leaf 1 EDX bit 26: LFENCE, which orders the time stamps
  uint8_t firstCacheDescriptor = 0; // low byte of leaf 2 EDX
  uint32_t maxExtLeaf = 0;         // highest extended leaf when above 0x80000000, else 0
  bool hasTopologyExtensions = false; // leaf 0x80000001 ECX bit 22: AMD leaf 0x8000001D
  CacheLevel caches[maxCacheLevels];     // in the order CPUID lists them; see cpu/caches.h
  uint8_t cacheCount = 0;
  char brandString[48] = {};       // leaves 0x80000002..4 as bytes; all zero when not read
  char brandName[49] = {};         // brandString without outer blanks, inner runs folded to one
  const char* vendorPrefix = "";   // "Intel " ...; empty until nameProcessor
  const char* processorName = "";  // "Pentium\xAEIII" ...; set by nameProcessor (may point into brandName)
  const char* coreName = "";       // "Coppermine 0.18 \xB5m" ...; set by identifyCpu
  char processorText[99] = {};     // the composed one-line description, NUL-terminated
};
// The processor the program runs on: filled once at start-up, read-only afterwards.
extern CpuInfo cpuInfo;

// The vendor whose identification string equals the 12 bytes at vendorId, or None.
CpuVendor vendorFromId(const char* vendorId);
// family * 256 + model: the key of the naming tables (family 6 model 8 gives 0x0608).
uint16_t signatureKey(const CpuInfo& info);
// The brand string's text with leading and trailing blanks removed and inner runs of blanks
// folded to one; it stops at the first NUL or after 48 bytes. dest holds 49 bytes.
void foldBrandString(const char* brandString, char* dest);

// A complete identification from the leaves read gives, core name included.
CpuInfo identifyFrom(CpuidFunction read);
// Fills cpuInfo from the processor (or from read); call once, on a processor with CPUID.
void identifyCpu(CpuidFunction read = readCpuid);

} // namespace cpu
