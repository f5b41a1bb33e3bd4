// The random cyclic chain of Random Latency: one 4-byte element in every 64-byte line of the
// block, at a random offset within its line, linked in an order that no prefetcher predicts.
// The order is a single cycle from Sattolo's algorithm, run forward (line k is inserted after
// a line chosen among the lines before it), with choices that are a function of a fixed seed
// and the line number: the same seed gives the same chain, runs repeat from one run to the
// next, and the chain of a larger block grows out of the chain of a smaller one.
#pragma once
#include <cstdint>

namespace engine {

constexpr uint32_t chainLineBytes = 64;   // one element per line of the usual cache-line size
constexpr uint64_t randomChainSeed = 0x7469646577656c6cu;

// What the test area holds now; lines 0: no random chain (anything else may have overwritten it).
struct RandomChainState {
  uint32_t lines = 0;
  uint32_t windowLines = 0;   // 0: one cycle over the whole block
  uint64_t seed = 0;
};
extern RandomChainState randomChainState;

// Byte offset of the element of a line within the line: a multiple of 4, 0..60.
uint32_t randomElementOffset(uint32_t line, uint64_t seed);

// Makes the test area hold the chain of lines lines, each run of it inside windows of
// windowLines lines (0: the whole block). Returns false when it held that chain already.
// Without windows a chain of another length is grown or shrunk line by line; with windows it
// is built anew, which stays within one window at a time.
bool prepareRandomChain(uint32_t lines, uint32_t windowLines, uint64_t seed);

// The line the element of a line leads to (tests and checks).
uint32_t randomChainNext(uint32_t line, uint64_t seed);

} // namespace engine
