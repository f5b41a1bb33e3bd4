// Core names of the processors that came after the classic naming tables: AMD K8 to Zen 5,
// Intel Core 2 to Arrow Lake with their server and Atom lines, late NetBurst, VIA and Zhaoxin,
// and Hygon. Keyed by the family and model as the vendors number them today (extended fields
// added in), since the base model alone no longer tells these processors apart.
#pragma once
#include "cpu/cpu_info.h"

namespace cpu {

// Family with the extended family added where the vendor uses it (base family 0xF).
uint16_t displayFamily(const CpuInfo& info);
// Model with the extended model in the high nibble where the vendor uses it (Intel and VIA
// family 6, every vendor's base family 0xF, Zhaoxin family 7).
uint16_t displayModel(const CpuInfo& info);

// The core's microarchitecture name, or nullptr when no row names it.
const char* modernCoreName(const CpuInfo& info);

} // namespace cpu
