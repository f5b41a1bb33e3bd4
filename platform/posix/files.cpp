// POSIX files: open(2) with O_EXCL for new files; a replaced file is written under a temporary
// name beside it and renamed into place. Sharing modes have no POSIX counterpart and are ignored.
#include "platform/files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
// Report files are ordinary documents: readable by all, writable by the owner (umask applies).
constexpr mode_t newFileMode = 0644;
// Temporary names tried before giving up: one left behind by a killed run under the same
// process id is skipped, not overwritten.
constexpr int temporaryNameAttempts = 16;

int lastError = 0;   // errno of the last failure; 0 before any

FileHandle openWith(const char* name, int flags) {
  int fd;
  do {
    fd = ::open(name, flags | O_CLOEXEC, newFileMode);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) lastError = errno;
  return fd < 0 ? invalidFile : static_cast<FileHandle>(fd);
}

// Why a name held by something other than a regular file or a link is not used.
int takenBy(mode_t mode) { return S_ISDIR(mode) ? EISDIR : EEXIST; }

// A regular file or a symbolic link may be replaced, and so may nothing at all; anything else
// (a directory, a device, a FIFO) stays.
bool replaceable(const char* name) {
  struct stat status;
  if (::lstat(name, &status) != 0) return true;   // the creation beside it tells what is wrong
  if (S_ISREG(status.st_mode) || S_ISLNK(status.st_mode)) return true;
  lastError = takenBy(status.st_mode);
  return false;
}

// A new file beside name, in the same directory so that the rename stays on one file system.
FileHandle createBeside(const char* name, std::string& temporary) {
  FileHandle file = invalidFile;
  for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
    temporary = std::string(name) + ".tw" + std::to_string(::getpid()) + "-" +
                std::to_string(attempt);
    file = openWith(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL);
    if (file != invalidFile || lastError != EEXIST) break;
  }
  return file;
}
} // namespace

FileHandle openExistingFile(const char* name, FileShare) { return openWith(name, O_RDWR); }

FileHandle openExistingRegularFile(const char* name, FileShare) {
  struct stat status;
  if (::stat(name, &status) != 0) {
    lastError = errno;
    return invalidFile;
  }
  if (!S_ISREG(status.st_mode)) {
    lastError = takenBy(status.st_mode);
    return invalidFile;
  }
  // Should a FIFO take the name between the look and the open, O_NONBLOCK keeps the open from
  // waiting and the second look refuses it; on a regular file O_NONBLOCK changes nothing.
  const FileHandle file = openWith(name, O_RDWR | O_NONBLOCK);
  if (file == invalidFile) return invalidFile;
  if (::fstat(static_cast<int>(file), &status) != 0 || !S_ISREG(status.st_mode)) {
    lastError = takenBy(status.st_mode);
    ::close(static_cast<int>(file));
    return invalidFile;
  }
  return file;
}

FileHandle createNewFile(const char* name, FileShare) {
  return openWith(name, O_RDWR | O_CREAT | O_EXCL);
}

bool removeFile(const char* name) {
  if (::unlink(name) == 0) return true;
  lastError = errno;
  return false;
}

bool replaceFile(const char* name, FileShare, const void* bytes, uint32_t count) {
  if (!replaceable(name)) return false;
  std::string temporary;
  const FileHandle file = createBeside(name, temporary);
  if (file == invalidFile) return false;
  bool ok = writeFileBytes(file, bytes, count);
  // A network file system may report a failed write only when the file is closed.
  if (::close(static_cast<int>(file)) != 0 && ok) {
    lastError = errno;
    ok = false;
  }
  if (ok && ::rename(temporary.c_str(), name) != 0) {
    lastError = errno;
    ok = false;
  }
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

PathKind pathKind(const char* name) {
  struct stat status;
  if (::lstat(name, &status) != 0) return errno == ENOENT ? PathKind::absent : PathKind::other;
  return S_ISREG(status.st_mode) ? PathKind::regularFile : PathKind::other;
}

int32_t readFileBytes(FileHandle file, void* buffer, uint32_t maxBytes) {
  // Loop until the count is read or the end is reached: a pipe or a slow device may deliver
  // the data in pieces.
  uint32_t done = 0;
  while (done < maxBytes) {
    const ssize_t got = ::read(static_cast<int>(file), static_cast<char*>(buffer) + done,
                               maxBytes - done);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      lastError = errno;
      return done > 0 ? static_cast<int32_t>(done) : -1;
    }
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
    if (put <= 0) {
      lastError = put < 0 ? errno : EIO;
      return false;
    }
    done += static_cast<uint32_t>(put);
  }
  return true;
}

bool writeStandardOutput(const void* bytes, uint32_t count) {
  return writeFileBytes(STDOUT_FILENO, bytes, count);
}

void closeFile(FileHandle file) {
  if (file != invalidFile) ::close(static_cast<int>(file));
}

const char* lastFileErrorText() { return lastError != 0 ? std::strerror(lastError) : ""; }

} // namespace platform
