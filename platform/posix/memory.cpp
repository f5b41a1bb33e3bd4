// Memory on POSIX systems: zero-filled blocks straight from the kernel (anonymous mappings),
// free physical memory as the kernel estimates what can be had without swapping, and the
// system's own name and release in place of a Windows version record.
#include "platform/memory.h"

#include <sys/mman.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

// A "Name:   12345 kB" line of /proc/meminfo in bytes, or false when it is missing.
bool meminfoBytes(const char* name, uint64_t& bytes) {
  std::FILE* f = std::fopen("/proc/meminfo", "r");
  if (!f) return false;
  char line[256];
  bool found = false;
  const std::size_t nameLength = std::strlen(name);
  while (std::fgets(line, sizeof line, f)) {
    if (std::strncmp(line, name, nameLength) == 0 && line[nameLength] == ':') {
      bytes = std::strtoull(line + nameLength + 1, nullptr, 10) * 1024u;
      found = true;
      break;
    }
  }
  std::fclose(f);
  return found;
}

// Leading decimal number of text, and where it ends.
uint32_t leadingNumber(const char*& text) {
  uint32_t value = 0;
  while (*text >= '0' && *text <= '9') value = value * 10 + static_cast<uint32_t>(*text++ - '0');
  return value;
}

} // namespace

void* allocateZeroed(std::size_t bytes) {
  // MAP_POPULATE gives every page its own zeroed frame now. Without it a page that is only
  // read maps the kernel's one shared zero page, and a read kernel over a 16 MB block that was
  // never written would measure a single 4 KB page sitting in the first-level cache.
  void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
  return block == MAP_FAILED ? nullptr : block;
}

void* allocateTouched(std::size_t bytes, bool largePages) {
  // Not populated at mapping time: the advice must come before the first touch of a page, or
  // the kernel backs it with small pages.
  void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) return nullptr;
#ifdef MADV_HUGEPAGE
  if (largePages) madvise(block, bytes, MADV_HUGEPAGE);
#else
  (void)largePages;
#endif
  volatile uint8_t* bytesOf = static_cast<volatile uint8_t*>(block);
  for (std::size_t offset = 0; offset < bytes; offset += 4096) bytesOf[offset] = 0;
  return block;
}

uint64_t largePageBytes(const void* block, std::size_t bytes) {
  // The mapping's "AnonHugePages:" line in /proc/self/smaps.
  std::FILE* f = std::fopen("/proc/self/smaps", "r");
  if (!f) return 0;
  const uintptr_t start = reinterpret_cast<uintptr_t>(block);
  char line[256];
  bool inBlock = false;
  uint64_t hugeBytes = 0;
  while (std::fgets(line, sizeof line, f)) {
    unsigned long from = 0, to = 0;
    if (std::sscanf(line, "%lx-%lx ", &from, &to) == 2) {   // a mapping's first line
      inBlock = from >= start && to <= start + bytes;
    } else if (inBlock && std::strncmp(line, "AnonHugePages:", 14) == 0) {
      hugeBytes += std::strtoull(line + 14, nullptr, 10) * 1024u;
    }
  }
  std::fclose(f);
  return hugeBytes;
}

void freeBlock(void* block, std::size_t bytes) {
  if (block) munmap(block, bytes);
}

uint64_t freePhysicalBytes() {
  uint64_t bytes = 0;
  // MemAvailable counts reclaimable caches; kernels before 3.14 only have MemFree.
  if (meminfoBytes("MemAvailable", bytes) || meminfoBytes("MemFree", bytes)) return bytes;
  const long pages = sysconf(_SC_AVPHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGESIZE);
  return pages > 0 && pageSize > 0 ? static_cast<uint64_t>(pages) * pageSize : 0;
}

bool readPlatformOsVersion(OsVersion& version) {
  utsname names;
  if (uname(&names) != 0) return false;
  version = OsVersion{};
  // "6.1.0-18-amd64": the numbers before the distribution's suffix.
  const char* release = names.release;
  version.major = leadingNumber(release);
  if (*release == '.') ++release;
  version.minor = leadingNumber(release);
  if (*release == '.') ++release;
  version.build = leadingNumber(release);
  // Both parts are cut to fit the 64 bytes; real names are far shorter.
  int numericLength = static_cast<int>(release - names.release);
  if (numericLength > 40) numericLength = 40;
  std::snprintf(version.selfName, sizeof version.selfName, "%.20s %.*s", names.sysname,
                numericLength, names.release);
  return true;
}

} // namespace platform
