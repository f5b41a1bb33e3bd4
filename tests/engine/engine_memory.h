// The engine suite's test allocation: a block of the program's size placed as badly as the
// 64 KB alignment allows (one byte past a boundary, so the aligned test area loses 65,535
// bytes), followed by guard bytes that nothing may touch. The clock is calibrated
// once, quickly.
#pragma once
#include <cstddef>
#include <cstdint>

namespace enginetest {

constexpr std::size_t guardBytes = 4096;
constexpr uint8_t guardByte = 0xA5;

// Allocates and calibrates (once), and resets testBase to the aligned start,
// the run parameters and the test area flags to their start values.
void prepareEngine();

// True when every guard byte behind the allocation still holds guardByte.
bool guardIntact();

} // namespace enginetest
