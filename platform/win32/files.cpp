// Win32 files: CreateFileA with the creation disposition and share mode each caller asks for,
// ReadFile and WriteFile in one call each.
#include "platform/files.h"

#include <windows.h>

namespace platform {

namespace {
FileHandle openWith(const char* name, DWORD disposition, FileShare share) {
  const DWORD shareMode = share == FileShare::readWrite ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
  HANDLE h = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, shareMode, nullptr, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  return h == INVALID_HANDLE_VALUE ? invalidFile : reinterpret_cast<FileHandle>(h);
}
HANDLE handleOf(FileHandle file) { return reinterpret_cast<HANDLE>(file); }
} // namespace

FileHandle openExistingFile(const char* name, FileShare share) {
  return openWith(name, OPEN_EXISTING, share);
}

FileHandle createNewFile(const char* name, FileShare share) {
  return openWith(name, CREATE_NEW, share);
}

FileHandle createOrEmptyFile(const char* name, FileShare share) {
  return openWith(name, CREATE_ALWAYS, share);
}

int32_t readFileBytes(FileHandle file, void* buffer, uint32_t maxBytes) {
  DWORD got = 0;
  if (!ReadFile(handleOf(file), buffer, maxBytes, &got, nullptr)) return -1;
  return static_cast<int32_t>(got);
}

bool writeFileBytes(FileHandle file, const void* bytes, uint32_t count) {
  DWORD put = 0;
  return WriteFile(handleOf(file), bytes, count, &put, nullptr) && put == count;
}

// The C runtime's standard output would turn every LF into CR LF; the handle takes the bytes as
// they are.
bool writeStandardOutput(const void* bytes, uint32_t count) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out == INVALID_HANDLE_VALUE || out == nullptr) return false;
  DWORD put = 0;
  return WriteFile(out, bytes, count, &put, nullptr) && put == count;
}

void closeFile(FileHandle file) {
  if (file != invalidFile) CloseHandle(handleOf(file));
}

} // namespace platform
