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
// A new file for reading and writing; fails when a file of that name already exists.
FileHandle createNewFile(const char* name, FileShare share);
// A file for reading and writing, created or emptied.
FileHandle createOrEmptyFile(const char* name, FileShare share);

// Reads up to maxBytes; the count read (0 at the end), or -1 on failure.
int32_t readFileBytes(FileHandle file, void* buffer, uint32_t maxBytes);
// Writes all count bytes at the current position; false when any of them could not be written.
bool writeFileBytes(FileHandle file, const void* bytes, uint32_t count);
void closeFile(FileHandle file);

// What a name stands for, looked at without following a symbolic link.
enum class PathKind { absent, regularFile, other };
PathKind pathKind(const char* name);
// Makes the written bytes durable before the file is closed; false when the system refused.
bool flushFile(FileHandle file);
// Gives the closed file `from` the name `to` in one step, replacing a file of that name;
// false when it could not (then both stay as they were).
bool replaceFile(const char* from, const char* to);
// Removes the name; false when it could not.
bool removeFile(const char* name);

// Writes the bytes to standard output unchanged (no line-end translation); the caller flushes
// any buffered stdio output first. False when any byte could not be written.
bool writeStandardOutput(const void* bytes, uint32_t count);

} // namespace platform
