// Memory on Windows: fixed, zero-filled global memory blocks (locked for their address, as
// fixed blocks always are), free physical memory from the memory status, and the version
// record the system reports.
#include "platform/memory.h"

#include <windows.h>

#include <cstring>

namespace platform {

void* allocateZeroed(std::size_t bytes) {
  HGLOBAL handle = GlobalAlloc(GPTR, bytes);
  if (!handle) return nullptr;
  void* block = GlobalLock(handle);
  if (!block) {
    GlobalFree(handle);
    return nullptr;
  }
  // One write of 0 per page gives every page its own zeroed frame now. Systems that map a
  // read of an untouched page to one shared zero page (Wine on Linux does) would otherwise
  // let a read kernel over a never-written block measure a single cached page.
  volatile uint8_t* bytesOf = static_cast<volatile uint8_t*>(block);
  for (std::size_t offset = 0; offset < bytes; offset += 4096) bytesOf[offset] = 0;
  return block;
}

// Large pages need a privilege ordinary users lack; the block is written page by page already.
void* allocateTouched(std::size_t bytes, bool) { return allocateZeroed(bytes); }

uint64_t largePageBytes(const void*, std::size_t) { return 0; }

void freeBlock(void* block, std::size_t) {
  if (!block) return;
  HGLOBAL handle = GlobalHandle(block);
  if (!handle) return;
  GlobalUnlock(handle);
  GlobalFree(handle);
}

uint64_t freePhysicalBytes() {
  MEMORYSTATUS status;
  std::memset(&status, 0, sizeof status);
  status.dwLength = sizeof status;   // 32 bytes: eight 32-bit fields
  GlobalMemoryStatus(&status);
  return status.dwAvailPhys;
}

bool readPlatformOsVersion(OsVersion& version) {
  OSVERSIONINFOA info;
  std::memset(&info, 0, sizeof info);
  info.dwOSVersionInfoSize = sizeof info;   // 148 bytes
  // GetVersionExA is deprecated in newer headers but is what reports the version as the
  // program has always read it.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const BOOL ok = GetVersionExA(&info);
#pragma GCC diagnostic pop
  if (!ok) return false;
  version = OsVersion{};
  version.major = info.dwMajorVersion;
  version.minor = info.dwMinorVersion;
  version.build = info.dwBuildNumber;   // Windows 9x: version in the high word, build in the low
  version.platformId = info.dwPlatformId;
  std::memcpy(version.servicePack, info.szCSDVersion, sizeof version.servicePack);
  return true;
}

} // namespace platform
