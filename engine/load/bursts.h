// The loops the many-core measurements run on their threads: whole 64-byte lines read, written,
// copied or combined (two reads, one write, as a stream triad does) at one transfer width, and
// lines written with non-temporal stores. A burst of burstLines lines is what a loaded-latency
// loader moves between two delays. Every loop is one assembly block; none is timed on its own:
// a thread times a whole interval of bursts. Stores write data that is never zero (the first
// transfer of the stream written, or the lines read), since memory treats all-zero lines
// specially.
#pragma once
#include <cstdint>
#include <string>

#include "cpu/vector_features.h"

namespace engine {

constexpr uint32_t burstLines = 64;
constexpr uint32_t burstBytes = burstLines * 64;

// lines lines from the three streams on; each stream moves 64 bytes a line: to is written, from
// and from2 are read (a stream the operation does not use may be null).
using BurstFunction = void (*)(uint8_t* to, const uint8_t* from, const uint8_t* from2,
                               uint32_t lines);

enum class BurstOp { read, write, copy, triad, ntWrite };

// Bytes read and written per line by an operation: the bytes a rate counts.
uint32_t burstOpLineBytes(BurstOp op);

// The loop of an operation at a width (32, 64, 128, 256, 512 bits), or null where this build
// has none (64-bit general registers on i686, non-temporal stores below 128 bits).
BurstFunction burstFunction(uint32_t width, BurstOp op);
bool burstWidthSupported(uint32_t width, const cpu::VectorFeatures& f);
// The widest plain transfer the processor has: 512, 256, 128 or 32 bits.
uint32_t widestBurstWidth(const cpu::VectorFeatures& f);

// The bandwidth kernels a loaded-latency loader can run, by their --tests names.
struct LoadKernel {
  const char* name;
  uint32_t width;   // 0: the widest non-temporal stores (ntStoreWidth)
  BurstOp op;
};
constexpr LoadKernel loadKernels[] = {
    {"read", 32, BurstOp::read},           {"write", 32, BurstOp::write},
    {"copy", 32, BurstOp::copy},           {"read64", 64, BurstOp::read},
    {"write64", 64, BurstOp::write},       {"copy64", 64, BurstOp::copy},
    {"sse-read", 128, BurstOp::read},      {"sse-write", 128, BurstOp::write},
    {"sse-copy", 128, BurstOp::copy},      {"avx-read", 256, BurstOp::read},
    {"avx-write", 256, BurstOp::write},    {"avx-copy", 256, BurstOp::copy},
    {"avx512-read", 512, BurstOp::read},   {"avx512-write", 512, BurstOp::write},
    {"avx512-copy", 512, BurstOp::copy},   {"nt-write", 0, BurstOp::ntWrite},
};

// The kernel of a name, or null.
const LoadKernel* loadKernelNamed(const std::string& name);
// The default loader: the widest plain read the processor has.
const LoadKernel& defaultLoadKernel(const cpu::VectorFeatures& f);
// The width the kernel runs at on a processor (nt-write: its non-temporal store width).
uint32_t loadKernelWidth(const LoadKernel& kernel, const cpu::VectorFeatures& f);
// The names of loadKernels, comma-separated, for messages.
std::string loadKernelNames();

// The loops of each width, in the file of their instruction set.
void read32Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void write32Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void copy32Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void triad32Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void read64Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void write64Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void copy64Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void triad64Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void read128Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void write128Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void copy128Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void triad128Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void nt128Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void read256Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void write256Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void copy256Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void triad256Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void nt256Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void read512Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void write512Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void copy512Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void triad512Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);
void nt512Burst(uint8_t* to, const uint8_t* from, const uint8_t* from2, uint32_t lines);

} // namespace engine
