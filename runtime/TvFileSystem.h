// Operations on files named by path: existence, size, time, delete, move and
// attributes, and the platform choice behind every file call. Paths are wide;
// on the NT family the wide calls are used (with the "\\?\" form for long
// paths), elsewhere paths go through the ANSI code page. Failures are told
// only by the return values.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace tv {

// True on the NT family (wide file calls), unless ANSI calls are forced.
bool IsWidePlatform();
// Forces the ANSI file calls of the older platform family (for tests of that
// route); false returns to the platform's own choice.
void SetAnsiFileCalls(bool force);

// The path text a platform call gets (see LongPathText in TvPath.h); empty
// when the path cannot be used on this platform.
std::wstring LongPath(const std::wstring& path, size_t limit);

// True when a directory search finds `path` (a trailing backslash is ignored),
// or, as a folder, when `path` plus a backslash is a drive root. Paths with
// wildcards never exist.
bool FileExists(const std::wstring& path, bool* isFolder = nullptr);
// The size found by a directory search; 0 when the path is not found.
uint64_t FileSizeByName(const std::wstring& path);
// The last-write time (FILETIME as a 64-bit count) found by a directory
// search; 0 when the path is not found.
uint64_t FileLastWriteTime(const std::wstring& path);

// Deletes a file; when access is denied and this is not the second try, the
// read-only attribute is cleared and the delete tried once more.
bool FileDelete(const std::wstring& path, bool secondTry = false);
// Moves a file, also across volumes. An existing target file is replaced
// (its read-only attribute cleared when that alone stands in the way).
bool FileMove(const std::wstring& from, const std::wstring& to);
// Sets and clears attribute bits (FILE_ATTRIBUTE_*).
bool FileSetAttributes(const std::wstring& path, uint32_t setBits, uint32_t clearBits);

// The folder (with trailing backslash) of a loaded module's file; the
// program's own folder for a null module.
std::wstring FolderOfModule(void* module);

}  // namespace tv
