// Hybrid processors, which mix fast and efficient cores in one package: leaf 7 EDX bit 15 says
// the package is hybrid, and leaf 0x1A EAX bits 24-31 name the type of the core that executes
// it, so the type of every processor is read by running CPUID on it.
#pragma once
#include <cstdint>

#include "cpu/cpu_info.h"

namespace cpu {

constexpr uint8_t efficientCoreType = 0x20;     // an Atom-line core
constexpr uint8_t performanceCoreType = 0x40;   // a Core-line core

// Leaf 7 EDX bit 15, when the processor has leaf 7.
bool hybridFrom(CpuidFunction read);
// The core type of the processor running read (leaf 0x1A EAX bits 24-31); 0 without leaf 0x1A.
uint8_t coreTypeFrom(CpuidFunction read);
// "P-core", "E-core", or "core type 0xNN" for a type no vendor has named yet.
const char* coreTypeName(uint8_t type);

// Whether the processor this program runs on is hybrid; set by detectHybrid.
extern bool hybridProcessor;
void detectHybrid();
// The type of the core the calling thread runs on; 0 on processors that are not hybrid.
uint8_t coreTypeHere();

} // namespace cpu
