// The test area inside the test allocation: where it starts (64 KB aligned, moved once to the
// fastest of 64 page offsets), the untimed read-in of a region, and the placement search. The
// allocation itself is engine::workingMemory (engine/working_memory.h).
#pragma once
#include <cstddef>
#include <cstdint>

namespace engine {

struct TestArea {
  bool reducedTransfer = false;   // set only while the placement search runs: volume / 8
  bool placementDone = false;     // set by the first placement search, never cleared
  // Read-in passes before a timed block: 1 in the window; the command line reads twice. On
  // some cores the third-level cache keeps few of the lines the second level gives up after
  // a single use, so a block of third-level size read in once is partly read from memory
  // again in its first timed pass.
  uint32_t readInPasses = 1;
};
extern TestArea testArea;

constexpr uint32_t placementOffsets = 64;       // page offsets tried by the placement search
constexpr uint32_t placementPage = 4096;        // bytes between two tried offsets
constexpr uint32_t testAreaAlignment = 65536;   // testBase before the search

// First 64 KB boundary at or after the allocation's start; testBase before the search.
uint8_t* alignedTestBase();

// Reads one 4-byte word per 32 bytes of the first bytes / 128 x 128 bytes of the test area
// (touchBlock, readInPasses times; a worker thread's own area while it has one) or of the
// allocation from its first byte (touchAllocation, once); untimed read-in.
void touchBlock(uint32_t bytes);
void touchAllocation(uint32_t bytes);

// Writes back and drops from every cache the lines of bytes from start, then fences, so stores
// that follow find no line cached: CLFLUSHOPT where the processor has it, else CLFLUSH, nothing
// on a processor with neither. The non-temporal kernels flush what they store to before timing:
// on some cores non-temporal stores to lines already cached stay in the cache at the speed of
// ordinary stores, and the rate would not be that of stores streaming past the caches.
void flushRegion(uint8_t* start, uint32_t bytes);

// The last flushRegion of this thread, and how many it made; read by tests.
struct CacheFlushRecord {
  const uint8_t* start = nullptr;
  uint32_t bytes = 0;
  uint64_t count = 0;
};
extern thread_local CacheFlushRecord lastCacheFlush;

// Fills bytes from start with 32-bit words that are never zero. The command line's extra
// kernels measure on such data: some memory systems retire all-zero lines without moving their
// bytes (non-temporal stores of zeros ran three times faster than memory on one server), so the
// zeros the area starts with would give rates no real data reaches.
void fillWithData(uint8_t* start, std::size_t bytes);

// Moves testBase to the fastest of 64 page offsets (MMX Read when hasMmx, else Read, codes
// 99..179 in steps of 5); ties go to the later offset. Sets placementDone.
void placementSearch(bool hasMmx);

// The search with a given kernel (tests use kernels whose speed depends on the offset).
void placementSearchWith(uint32_t (*kernel)(uint32_t code));

} // namespace engine
