// Cache sizes from CPUID: the deterministic cache leaves (leaf 4, and 0x8000001D on AMD
// processors with topology extensions), else the older descriptors of leaves 0x80000005 (first
// level) and 0x80000006 (second and third), and the one-line summary of the data caches.
#pragma once
#include <string>

#include "cpu/cpu_info.h"

namespace cpu {

// Fills info.caches and info.cacheCount. Needs the vendor, the highest standard and extended
// leaves and the topology flag already in info; reads no leaf beyond those.
void readCacheLevels(CpuInfo& info, CpuidFunction read);
// "L1d 32 KB, L2 1 MB, L3 32 MB (shared by 2)": the data and unified caches in CPUID's order,
// with the sharing of a level that more logical processors share than the first one. Empty
// when CPUID names no cache.
std::string dataCacheText(const CpuInfo& info);

} // namespace cpu
