// Seam: the few file operations the reports and the settings file need, with the creation and
// sharing modes each of them asks for. Names are plain paths in the current directory's terms;
// every write is all-or-nothing from the caller's view (a short write counts as a failure).
#pragma once
#include <cstdint>

namespace platform {

// An open file; invalidFile when an operation could not open or create it.
using FileHandle = intptr_t;
constexpr FileHandle invalidFile = -1;

// How other openers may share the file while it is open (Windows honours it; POSIX ignores it).
enum class FileShare { none, readWrite };

// An existing file for reading and writing; fails when it does not exist.
FileHandle openExistingFile(const char* name, FileShare share);
// The same for a regular file only (a link to one is followed): a directory, device, FIFO or
// socket of that name counts as no file and is never opened, so nothing can block on it.
FileHandle openExistingRegularFile(const char* name, FileShare share);
// A new file for reading and writing; fails when anything of that name already exists (a
// symbolic link included, so no link is ever followed).
FileHandle createNewFile(const char* name, FileShare share);
// Removes a file the program created itself; false when it could not.
bool removeFile(const char* name);

// The whole new content of a file that takes the place of any regular file or symbolic link of
// that name (the link itself is replaced, never followed). The bytes go to a new file beside it,
// which takes the name only once every byte is written: on failure the new file is removed and
// an earlier file of that name is untouched. A directory, device or FIFO is never replaced.
bool replaceFile(const char* name, FileShare share, const void* bytes, uint32_t count);

// What a name stands for, looked at without following a symbolic link.
enum class PathKind { absent, regularFile, other };
PathKind pathKind(const char* name);

// Reads up to maxBytes; the count read (0 at the end), or -1 on failure.
int32_t readFileBytes(FileHandle file, void* buffer, uint32_t maxBytes);
// Writes all count bytes at the current position; false when any of them could not be written.
bool writeFileBytes(FileHandle file, const void* bytes, uint32_t count);
void closeFile(FileHandle file);

// Writes the bytes to standard output unchanged (no line-end translation); the caller flushes
// any buffered stdio output first. False when any byte could not be written.
bool writeStandardOutput(const void* bytes, uint32_t count);

// The system's words for the last failure of an operation above ("No space left on device");
// empty before the first failure.
const char* lastFileErrorText();

} // namespace platform
