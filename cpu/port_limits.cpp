// The load and store limits of the cores this program has been measured on; see
// cpu/port_limits.h. From the vendors' optimization guides: AMD family 17h (Zen, Zen 2), 19h
// (Zen 3, Zen 4) and 1Ah (Zen 5), and Intel's server cores from Golden Cove on (Sapphire,
// Emerald and Granite Rapids).
#include "cpu/port_limits.h"

#include <algorithm>

#include "cpu/modern_cores.h"

namespace cpu {

namespace {

// Display models 8Fh (Sapphire Rapids), CFh (Emerald Rapids), ADh and AEh (Granite Rapids).
bool intelServerCoveCore(const CpuInfo& info, const VectorFeatures& features) {
  if (displayFamily(info) != 6) return false;
  const uint16_t model = displayModel(info);
  return features.amxTile || model == 0x8F || model == 0xCF || model == 0xAD || model == 0xAE;
}

} // namespace

PortLimits portLimitsOf(const CpuInfo& info, const VectorFeatures& features) {
  // Golden Cove and its successors: three loads (two of 512 bits, 128 bytes a cycle) and two
  // stores (64 bytes a cycle) of five memory operations a cycle.
  if (info.vendor == CpuVendor::Intel && intelServerCoveCore(info, features)) {
    return {3, 2, 3, 2, 512, 5, 128, 64};
  }
  if (info.vendor != CpuVendor::AMD && info.vendor != CpuVendor::Hygon) return {};
  const uint16_t family = displayFamily(info);
  // Zen and Zen 2: two loads and one store a cycle; Zen's vector unit is 128 bits wide.
  if (family == 0x17) return {2, 1, 2, 1, displayModel(info) >= 0x30 ? 256u : 128u, 3};
  // Zen 3 and Zen 4: three memory operations, at most two of them stores; two vector loads and
  // one vector store of up to 256 bits (Zen 4 splits 512-bit accesses in two).
  if (family == 0x19) return {3, 2, 2, 1, 256, 3};
  // Zen 5: four memory operations, at most two stores; two 512-bit loads and one 512-bit store.
  if (family == 0x1A) return {4, 2, 2, 1, 512, 4};
  return {};
}

double bytesPerCycle(const PortLimits& limits, Access access, uint32_t widthBits, bool vector) {
  if (limits.memoryOps == 0) return 0;
  // An access wider than the data path takes one slot per served part.
  const double parts = vector && widthBits > limits.vectorBits ? widthBits / limits.vectorBits : 1;
  const double widthBytes = widthBits / 8.0;
  const double loadCap = limits.loadBytes > 0 ? limits.loadBytes / widthBytes : limits.memoryOps;
  const double storeCap = limits.storeBytes > 0 ? limits.storeBytes / widthBytes : limits.memoryOps;
  const double loads =
      std::min({vector ? limits.vectorLoads : limits.gprLoads, limits.memoryOps, loadCap}) / parts;
  const double stores =
      std::min({vector ? limits.vectorStores : limits.gprStores, limits.memoryOps, storeCap}) /
      parts;
  double accesses = 0;   // whole accesses of widthBits a cycle
  switch (access) {
    case Access::read: accesses = loads; break;
    case Access::write: accesses = stores; break;
    case Access::copy: accesses = std::min({loads, stores, limits.memoryOps / 2 / parts}); break;
  }
  return accesses * widthBits / 8;
}

} // namespace cpu
