// Seam: zero-filled fixed memory blocks, free physical memory, and the operating system's
// version as it reports itself.
#pragma once
#include <cstddef>
#include <cstdint>

namespace platform {

// A zero-filled block of bytes, or nullptr when the system refuses it.
void* allocateZeroed(std::size_t bytes);
void freeBlock(void* block, std::size_t bytes);
// A zero-filled block with every page written once before it is handed out, or nullptr; with
// largePages the system is asked to back it with large pages where it can (Linux: transparent
// huge pages). Freed with freeBlock.
void* allocateTouched(std::size_t bytes, bool largePages);
// Bytes of the block the system backs with large pages now; 0 where it cannot tell.
uint64_t largePageBytes(const void* block, std::size_t bytes);

// Free physical memory in bytes (Linux: MemAvailable).
uint64_t freePhysicalBytes();

struct OsVersion {
  uint32_t major = 0, minor = 0, build = 0;
  uint32_t platformId = 0;    // 1: Windows 9x, 2: Windows NT
  char servicePack[4] = {};   // first four characters of the service-pack text
  char selfName[64] = {};     // non-Windows systems: how the system names itself ("Linux 6.1.0")
};
bool readPlatformOsVersion(OsVersion& version);

} // namespace platform
