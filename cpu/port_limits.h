// What a core's first-level data cache can serve per cycle: loads and stores of general
// registers and of vector registers, and memory operations in all. From these, the bytes a
// read, write or copy loop of one register width can move per core cycle at best, the limit
// its first-level figures are measured against. Only the cores whose limits are published
// and were seen here are listed; others have no limit (0).
#pragma once
#include <cstdint>

#include "cpu/cpu_info.h"
#include "cpu/vector_features.h"

namespace cpu {

struct PortLimits {
  double gprLoads = 0, gprStores = 0;   // per cycle, of up to 8 bytes
  double vectorLoads = 0, vectorStores = 0;
  uint32_t vectorBits = 0;              // the widest access served whole; wider ones in halves
  double memoryOps = 0;                 // loads and stores together per cycle
  // Bytes a cycle the loads and the stores can move at most, whatever their number; 0: no cap.
  double loadBytes = 0, storeBytes = 0;
};

// The limits of a processor's cores by vendor, display family and model, and for Intel's
// server cores by AMX (features.amxTile); all zero when unknown.
PortLimits portLimitsOf(const CpuInfo& info, const VectorFeatures& features);

enum class Access { read, write, copy };

// Bytes per cycle of a loop of accesses of widthBits (32 or 64 in general registers when
// vector is false; 64 .. 512 in vector registers); a copy counts the bytes copied once.
// 0 when the limits are unknown.
double bytesPerCycle(const PortLimits& limits, Access access, uint32_t widthBits, bool vector);

} // namespace cpu
