// Path text operations. Pure string logic with no platform calls, so it can be
// read and tested on its own; the calls that touch the file system live in
// TvFileSystem.h and TvFolder.h.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace tv {

// Length limits below which a path is handed to the platform as it stands:
// one for opening files, one for every other call (folders, search, delete...).
constexpr size_t kOpenPathLimit = 260;
constexpr size_t kOtherPathLimit = 248;

// From the last "." to the end, dot included, when that dot follows the last
// backslash; otherwise "." (so "a.b\file" has the extension ".").
std::wstring PathExtension(const std::wstring& path);
// The text after the last backslash (all of it when there is none).
std::wstring PathFileName(const std::wstring& path);
// The file name with its extension removed.
std::wstring PathNameWithoutExtension(const std::wstring& path);
// The path up to and including its last backslash ("" when there is none).
std::wstring PathFolder(const std::wstring& path);
// An empty path stays empty: a lone "\" would silently mean the drive root.
std::wstring EnsureTrailingBackslash(const std::wstring& path);
std::wstring RemoveTrailingBackslashes(const std::wstring& path);

// True for paths already in the platform's long form ("\\?\...").
bool IsLongFormPath(const std::wstring& path);

// The text a platform call gets for `path`. On the wide-character platform a
// path not beginning with two backslashes stays as it is below `limit`
// characters and is given the "\\?\" form from there on; a path already in
// that form is used unchanged. Any other path (network paths, and every path
// on the ANSI platform) is used only below the limit and only when it
// survives the ANSI code page (`survivesAnsi`); otherwise the result is empty
// and the call must fail.
std::wstring LongPathText(const std::wstring& path, size_t limit, bool widePlatform,
                          bool survivesAnsi);

// True when a path contains search wildcards outside a long-form prefix.
bool HasWildcards(const std::wstring& path);

// The folders to create, outermost first, for a folder tree: every level of
// `folder` below its root ("C:\", "\\server\share\", "\\?\C:\", "\\?\UNC\s\s\"
// or a leading "\"), each without a trailing backslash.
std::vector<std::wstring> FolderTreeLevels(const std::wstring& folder);

}  // namespace tv
