// The twelve bandwidth kernels and the table that describes them. Each kernel takes a size code
// and returns hundredths of MB/s for the nominal volume (16 MB << iterationShift); the MMX
// kernels need hasMmx, the SSE kernels hasSse (callers check). The line-read kernels serve only
// the peak bandwidth and take code 300 only.
#pragma once
#include <cstdint>

#include "engine/size_codes.h"

namespace engine {

uint32_t readKernel(SizeCode code);
uint32_t writeKernel(SizeCode code);
uint32_t copyKernel(SizeCode code);      // destination behind the block, or itself (copyToItself)
uint32_t mmxReadKernel(SizeCode code);
uint32_t mmxWriteKernel(SizeCode code);
uint32_t mmxCopyKernel(SizeCode code);
uint32_t sseReadKernel(SizeCode code);
uint32_t sseWriteKernel(SizeCode code);
uint32_t sseCopyKernel(SizeCode code);
uint32_t lineRead32Kernel(SizeCode code);    // one load per 32 bytes
uint32_t lineRead64Kernel(SizeCode code);    // one load per 64 bytes
uint32_t lineRead128Kernel(SizeCode code);   // one load per 128 bytes

using KernelFunction = uint32_t (*)(SizeCode);

enum class KernelFeature { none, mmx, sse };

struct KernelInfo {
  const char* name;          // short name used by --bench ("sse-read")
  const char* label;         // test label as the window shows it; "" for the line reads
  KernelFunction function;
  uint32_t width;            // bits per transfer, the width for cyclesFromRate
  uint32_t loopStep;         // bytes per turn of the timed loop
  KernelFeature feature;     // instruction set the kernel needs
  bool copies;               // writes a destination behind the block unless copyToItself
};

constexpr uint32_t testKernelCount = 9;   // entries 0..8: TestNumber 1..9, tables 0..8
constexpr uint32_t kernelCount = 12;

constexpr KernelInfo kernelTable[kernelCount] = {
    {"read", "Read", readKernel, 32, 32, KernelFeature::none, false},
    {"write", "Write", writeKernel, 32, 32, KernelFeature::none, false},
    {"copy", "Copy", copyKernel, 32, 32, KernelFeature::none, true},
    {"mmx-read", "MMX Read", mmxReadKernel, 64, 64, KernelFeature::mmx, false},
    {"mmx-write", "MMX Write", mmxWriteKernel, 64, 64, KernelFeature::mmx, false},
    {"mmx-copy", "MMX Copy", mmxCopyKernel, 64, 64, KernelFeature::mmx, true},
    {"sse-read", "SSE Read", sseReadKernel, 128, 64, KernelFeature::sse, false},
    {"sse-write", "SSE Write", sseWriteKernel, 128, 64, KernelFeature::sse, false},
    {"sse-copy", "SSE Copy", sseCopyKernel, 128, 64, KernelFeature::sse, true},
    {"line32", "", lineRead32Kernel, 32, 128, KernelFeature::none, false},
    {"line64", "", lineRead64Kernel, 32, 128, KernelFeature::none, false},
    {"line128", "", lineRead128Kernel, 32, 256, KernelFeature::none, false},
};

// True when a processor with these features can run the kernel.
constexpr bool kernelSupported(const KernelInfo& kernel, bool hasMmx, bool hasSse) {
  return kernel.feature == KernelFeature::none ||
         (kernel.feature == KernelFeature::mmx && hasMmx) ||
         (kernel.feature == KernelFeature::sse && hasSse);
}

} // namespace engine
