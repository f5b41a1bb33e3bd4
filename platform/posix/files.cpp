// POSIX files: open(2) with O_EXCL for new files and O_TRUNC for replaced ones. Sharing modes
// have no POSIX counterpart and are ignored.
#include "platform/files.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
// Report files are ordinary documents: readable by all, writable by the owner (umask applies).
constexpr mode_t newFileMode = 0644;

FileHandle openWith(const char* name, int flags) {
  int fd;
  do {
    fd = ::open(name, flags | O_CLOEXEC, newFileMode);
  } while (fd < 0 && errno == EINTR);
  return fd < 0 ? invalidFile : static_cast<FileHandle>(fd);
}
} // namespace

FileHandle openExistingFile(const char* name, FileShare) { return openWith(name, O_RDWR); }

FileHandle createNewFile(const char* name, FileShare) {
  return openWith(name, O_RDWR | O_CREAT | O_EXCL);
}

FileHandle createOrEmptyFile(const char* name, FileShare) {
  return openWith(name, O_RDWR | O_CREAT | O_TRUNC);
}

int32_t readFileBytes(FileHandle file, void* buffer, uint32_t maxBytes) {
  // Loop until the count is read or the end is reached: a pipe or a slow device may deliver
  // the data in pieces.
  uint32_t done = 0;
  while (done < maxBytes) {
    const ssize_t got = ::read(static_cast<int>(file), static_cast<char*>(buffer) + done,
                               maxBytes - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return done > 0 ? static_cast<int32_t>(done) : -1;
    if (got == 0) break;
    done += static_cast<uint32_t>(got);
  }
  return static_cast<int32_t>(done);
}

bool writeFileBytes(FileHandle file, const void* bytes, uint32_t count) {
  uint32_t done = 0;
  while (done < count) {
    const ssize_t put = ::write(static_cast<int>(file), static_cast<const char*>(bytes) + done,
                                count - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += static_cast<uint32_t>(put);
  }
  return true;
}

PathKind pathKind(const char* name) {
  struct stat status;
  if (::lstat(name, &status) != 0) return errno == ENOENT ? PathKind::absent : PathKind::other;
  return S_ISREG(status.st_mode) ? PathKind::regularFile : PathKind::other;
}

bool flushFile(FileHandle file) { return ::fsync(static_cast<int>(file)) == 0; }

bool replaceFile(const char* from, const char* to) { return std::rename(from, to) == 0; }

bool removeFile(const char* name) { return ::unlink(name) == 0; }

bool writeStandardOutput(const void* bytes, uint32_t count) {
  return writeFileBytes(STDOUT_FILENO, bytes, count);
}

void closeFile(FileHandle file) {
  if (file != invalidFile) ::close(static_cast<int>(file));
}

} // namespace platform
