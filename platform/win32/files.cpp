// Win32 files: CreateFileA with the creation disposition and share mode each caller asks for,
// ReadFile and WriteFile in one call each. A replaced file is written under a temporary name
// beside it and moved into place with MoveFileExA.
#include "platform/files.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace platform {

namespace {
// Temporary names tried before giving up: one left behind by a killed run is skipped.
constexpr int temporaryNameAttempts = 16;

DWORD lastError = 0;          // GetLastError of the last failure; 0 before any
char lastErrorText[256] = {};

FileHandle openWith(const char* name, DWORD disposition, FileShare share) {
  const DWORD shareMode = share == FileShare::readWrite ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
  HANDLE h = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, shareMode, nullptr, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) lastError = GetLastError();
  return h == INVALID_HANDLE_VALUE ? invalidFile : reinterpret_cast<FileHandle>(h);
}
HANDLE handleOf(FileHandle file) { return reinterpret_cast<HANDLE>(file); }

// A new file beside name, in the same directory so that the move stays on one volume.
FileHandle createBeside(const char* name, FileShare share, std::string& temporary) {
  FileHandle file = invalidFile;
  for (int attempt = 0; attempt < temporaryNameAttempts; ++attempt) {
    temporary = std::string(name) + ".tw" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(attempt);
    file = openWith(temporary.c_str(), CREATE_NEW, share);
    if (file != invalidFile || lastError != ERROR_FILE_EXISTS) break;
  }
  return file;
}
} // namespace

FileHandle openExistingFile(const char* name, FileShare share) {
  return openWith(name, OPEN_EXISTING, share);
}

// Directories cannot be opened this way at all; a device or pipe can, and is refused.
FileHandle openExistingRegularFile(const char* name, FileShare share) {
  const FileHandle file = openWith(name, OPEN_EXISTING, share);
  if (file == invalidFile || GetFileType(handleOf(file)) == FILE_TYPE_DISK) return file;
  CloseHandle(handleOf(file));
  lastError = ERROR_FILE_NOT_FOUND;
  return invalidFile;
}

FileHandle createNewFile(const char* name, FileShare share) {
  return openWith(name, CREATE_NEW, share);
}

bool removeFile(const char* name) {
  if (DeleteFileA(name)) return true;
  lastError = GetLastError();
  return false;
}

bool replaceFile(const char* name, FileShare share, const void* bytes, uint32_t count) {
  const DWORD attributes = GetFileAttributesA(name);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    lastError = ERROR_ACCESS_DENIED;
    return false;
  }
  std::string temporary;
  const FileHandle file = createBeside(name, share, temporary);
  if (file == invalidFile) return false;
  bool ok = writeFileBytes(file, bytes, count);
  CloseHandle(handleOf(file));
  if (ok && !MoveFileExA(temporary.c_str(), name, MOVEFILE_REPLACE_EXISTING)) {
    lastError = GetLastError();
    ok = false;
  }
  if (!ok) DeleteFileA(temporary.c_str());
  return ok;
}

// A symbolic link or junction carries the reparse-point attribute.
PathKind pathKind(const char* name) {
  const DWORD attributes = GetFileAttributesA(name);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PathKind::absent
                                                                          : PathKind::other;
  }
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE))
    return PathKind::other;
  return PathKind::regularFile;
}

int32_t readFileBytes(FileHandle file, void* buffer, uint32_t maxBytes) {
  DWORD got = 0;
  if (ReadFile(handleOf(file), buffer, maxBytes, &got, nullptr)) return static_cast<int32_t>(got);
  lastError = GetLastError();
  return -1;
}

bool writeFileBytes(FileHandle file, const void* bytes, uint32_t count) {
  DWORD put = 0;
  if (!WriteFile(handleOf(file), bytes, count, &put, nullptr)) {
    lastError = GetLastError();
    return false;
  }
  if (put != count) lastError = ERROR_DISK_FULL;   // a short write: the disk took no more
  return put == count;
}

// The C runtime's standard output would turn every LF into CR LF; the handle takes the bytes as
// they are.
bool writeStandardOutput(const void* bytes, uint32_t count) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out == INVALID_HANDLE_VALUE || out == nullptr) {
    lastError = ERROR_INVALID_HANDLE;
    return false;
  }
  return writeFileBytes(reinterpret_cast<FileHandle>(out), bytes, count);
}

void closeFile(FileHandle file) {
  if (file != invalidFile) CloseHandle(handleOf(file));
}

// The system's message in the user's language, without its closing period and line end.
const char* lastFileErrorText() {
  if (lastError == 0) return "";
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, lastError, 0, lastErrorText, sizeof lastErrorText,
                                nullptr);
  while (length > 0 && (lastErrorText[length - 1] == '\n' || lastErrorText[length - 1] == '\r' ||
                        lastErrorText[length - 1] == '.' || lastErrorText[length - 1] == ' '))
    --length;
  if (length == 0) length = std::snprintf(lastErrorText, sizeof lastErrorText, "error %lu",
                                          static_cast<unsigned long>(lastError));
  lastErrorText[length] = 0;
  return lastErrorText;
}

} // namespace platform
