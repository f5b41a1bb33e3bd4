// Building the random chain in the test area. Sattolo's algorithm run forward inserts line k
// after a line j < k chosen at random: next[k] = next[j], next[j] = k. Every step keeps one
// cycle through all lines so far, so the chain of n lines is the first n - 1 steps and a
// larger block needs only the steps of its new lines; undoing step k (next[j] = next[k]) in
// reverse order shrinks it. With windows each window gets its own cycle, and neighbouring
// windows are joined by swapping the successors of their first lines, which merges two
// cycles into one: every run of the chain stays inside one window.
#include "engine/latency/random_chain.h"

#include <cassert>
#include <cstring>

#include "engine/latency/latency.h"
#include "engine/working_memory.h"

namespace engine {

RandomChainState randomChainState;

namespace {

// SplitMix64: a well-mixed 64-bit value for each (seed, index).
uint64_t mix(uint64_t seed, uint64_t index) {
  uint64_t z = seed + (index + 1) * 0x9E3779B97F4A7C15u;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
  return z ^ (z >> 31);
}

// The line of step k of a window that starts at first: one of the k lines before it.
uint32_t chosenLine(uint32_t first, uint32_t k, uint64_t seed) {
  return first + static_cast<uint32_t>(mix(seed, first + k) % k);
}

uint32_t elementAt(uint32_t line, uint64_t seed) {
  return line * chainLineBytes + randomElementOffset(line, seed);
}

uint32_t readNext(uint32_t line, uint64_t seed) {
  uint32_t value;
  std::memcpy(&value, workingMemory.testBase + elementAt(line, seed), sizeof value);
  return (value - chainValue(0)) / chainLineBytes;
}

void writeNext(uint32_t line, uint32_t next, uint64_t seed) {
  const uint32_t value = chainValue(elementAt(next, seed));
  std::memcpy(workingMemory.testBase + elementAt(line, seed), &value, sizeof value);
}

// Steps from..to-1 of the window starting at first (from >= 1).
void insertLines(uint32_t first, uint32_t from, uint32_t to, uint64_t seed) {
  for (uint32_t k = from; k < to; ++k) {
    const uint32_t j = chosenLine(first, k, seed);
    writeNext(first + k, readNext(j, seed), seed);
    writeNext(j, first + k, seed);
  }
}

// Undoes steps from-1 down to to of the one window.
void removeLines(uint32_t from, uint32_t to, uint64_t seed) {
  for (uint32_t k = from; k-- > to;) writeNext(chosenLine(0, k, seed), readNext(k, seed), seed);
}

void buildWindows(uint32_t lines, uint32_t windowLines, uint64_t seed) {
  for (uint32_t first = 0; first < lines; first += windowLines) {
    const uint32_t count = lines - first < windowLines ? lines - first : windowLines;
    writeNext(first, first, seed);
    insertLines(first, 1, count, seed);
    if (first == 0) continue;
    const uint32_t before = first - windowLines;   // join this window's cycle to the chain
    const uint32_t a = readNext(before, seed);
    writeNext(before, readNext(first, seed), seed);
    writeNext(first, a, seed);
  }
}

} // namespace

uint32_t randomElementOffset(uint32_t line, uint64_t seed) {
  return static_cast<uint32_t>(mix(~seed, line) % (chainLineBytes / 4)) * 4;
}

bool prepareRandomChain(uint32_t lines, uint32_t windowLines, uint64_t seed) {
  assert(lines >= 1 && workingMemory.testBase != nullptr);
  assert(workingMemory.testBase + uint64_t(lines) * chainLineBytes <=
         workingMemory.testAllocation + workingMemory.testAllocationSize);
  RandomChainState& held = randomChainState;
  if (held.lines == lines && held.windowLines == windowLines && held.seed == seed) return false;
  if (windowLines != 0) {
    buildWindows(lines, windowLines, seed);
  } else if (held.lines != 0 && held.windowLines == 0 && held.seed == seed) {
    if (lines > held.lines) insertLines(0, held.lines, lines, seed);
    else removeLines(held.lines, lines, seed);
  } else {
    writeNext(0, 0, seed);
    insertLines(0, 1, lines, seed);
  }
  held = RandomChainState{lines, windowLines, seed};
  return true;
}

uint32_t randomChainNext(uint32_t line, uint64_t seed) { return readNext(line, seed); }

} // namespace engine
