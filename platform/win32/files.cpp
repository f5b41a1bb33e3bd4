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

bool flushFile(FileHandle file) { return FlushFileBuffers(handleOf(file)) != 0; }

bool replaceFile(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool removeFile(const char* name) { return DeleteFileA(name) != 0; }

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
