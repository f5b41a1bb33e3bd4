// The burst loops by width and operation, and the loaders' kernels by name.
#include "engine/load/bursts.h"

#include "engine/kernels/kernels_extra.h"

namespace engine {
namespace {

constexpr uint32_t burstWidths[] = {32, 64, 128, 256, 512};

// Rows by width, columns by BurstOp.
constexpr BurstFunction burstTable[5][5] = {
    {read32Burst, write32Burst, copy32Burst, triad32Burst, nullptr},
#if defined(__x86_64__)
    {read64Burst, write64Burst, copy64Burst, triad64Burst, nullptr},
#else
    {nullptr, nullptr, nullptr, nullptr, nullptr},
#endif
    {read128Burst, write128Burst, copy128Burst, triad128Burst, nt128Burst},
    {read256Burst, write256Burst, copy256Burst, triad256Burst, nt256Burst},
    {read512Burst, write512Burst, copy512Burst, triad512Burst, nt512Burst},
};

} // namespace

uint32_t burstOpLineBytes(BurstOp op) {
  switch (op) {
    case BurstOp::copy: return 128;
    case BurstOp::triad: return 192;
    default: return 64;
  }
}

BurstFunction burstFunction(uint32_t width, BurstOp op) {
  for (uint32_t row = 0; row < 5; ++row) {
    if (burstWidths[row] == width) return burstTable[row][static_cast<int>(op)];
  }
  return nullptr;
}

bool burstWidthSupported(uint32_t width, const cpu::VectorFeatures& f) {
  switch (width) {
    case 32: return true;
    case 64: return f.bits64;
    case 128: return f.sse;
    case 256: return f.avx;
    case 512: return f.avx512;
    default: return false;
  }
}

uint32_t widestBurstWidth(const cpu::VectorFeatures& f) {
  return f.avx512 ? 512 : f.avx ? 256 : f.sse ? 128 : 32;
}

const LoadKernel* loadKernelNamed(const std::string& name) {
  for (const LoadKernel& kernel : loadKernels) {
    if (name == kernel.name) return &kernel;
  }
  return nullptr;
}

const LoadKernel& defaultLoadKernel(const cpu::VectorFeatures& f) {
  const uint32_t width = widestBurstWidth(f);
  for (const LoadKernel& kernel : loadKernels) {
    if (kernel.op == BurstOp::read && kernel.width == width) return kernel;
  }
  return loadKernels[0];
}

uint32_t loadKernelWidth(const LoadKernel& kernel, const cpu::VectorFeatures& f) {
  return kernel.width != 0 ? kernel.width : ntStoreWidth(f);
}

std::string loadKernelNames() {
  std::string names;
  for (const LoadKernel& kernel : loadKernels) {
    if (!names.empty()) names += ",";
    names += kernel.name;
  }
  return names;
}

} // namespace engine
