// The file layer's platform calls, each taking a path as the caller gave it.
// Every call first turns the path into its long-path form (TvPath.h) and then
// uses the wide function on the NT family, the ANSI function elsewhere. An
// unusable path (empty long form) fails with ERROR_FILENAME_EXCED_RANGE.
// Internal to the runtime's file layer; other code uses TvFile.h,
// TvFileSystem.h, TvFolder.h and TvTempFile.h.
#pragma once
#include <windows.h>

#include <string>

namespace tv {

HANDLE FsOpen(const std::wstring& path, DWORD access, DWORD share, DWORD creation, DWORD attributes);
HANDLE FsFindFirst(const std::wstring& pattern, WIN32_FIND_DATAW* data);
bool FsFindNext(HANDLE search, WIN32_FIND_DATAW* data);
DWORD FsGetAttributes(const std::wstring& path);  // INVALID_FILE_ATTRIBUTES on failure
bool FsSetAttributes(const std::wstring& path, DWORD attributes);
bool FsMakeFolder(const std::wstring& path);
bool FsDelete(const std::wstring& path);
bool FsMove(const std::wstring& from, const std::wstring& to, DWORD flags);
UINT FsDriveType(const std::wstring& root);
// The platform's temporary path ("" on failure) and unique temporary name
// (which the platform creates as an empty file).
std::wstring FsTempPath();
bool FsTempFileName(const std::wstring& folder, const std::wstring& prefix, std::wstring* name);

}  // namespace tv
