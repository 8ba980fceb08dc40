#include "TvFsCalls.h"

#include "TvCodePage.h"
#include "TvFileSystem.h"
#include "TvPath.h"

namespace tv {

namespace {

// The path for the platform call, or empty (with the last error set) when the
// path cannot be passed at all.
std::wstring CallPath(const std::wstring& path, size_t limit) {
  std::wstring out = LongPath(path, limit);
  if (out.empty()) SetLastError(ERROR_FILENAME_EXCED_RANGE);
  return out;
}

void CopyFindData(const WIN32_FIND_DATAA& a, WIN32_FIND_DATAW* w) {
  ZeroMemory(w, sizeof(*w));
  w->dwFileAttributes = a.dwFileAttributes;
  w->ftCreationTime = a.ftCreationTime;
  w->ftLastAccessTime = a.ftLastAccessTime;
  w->ftLastWriteTime = a.ftLastWriteTime;
  w->nFileSizeHigh = a.nFileSizeHigh;
  w->nFileSizeLow = a.nFileSizeLow;
  std::wstring name = AnsiToWide(a.cFileName);
  lstrcpynW(w->cFileName, name.c_str(), MAX_PATH);
  std::wstring alt = AnsiToWide(a.cAlternateFileName);
  lstrcpynW(w->cAlternateFileName, alt.c_str(), 14);
}

}  // namespace

HANDLE FsOpen(const std::wstring& path, DWORD access, DWORD share, DWORD creation, DWORD attributes) {
  std::wstring p = CallPath(path, kOpenPathLimit);
  if (p.empty()) return INVALID_HANDLE_VALUE;
  if (IsWidePlatform()) return CreateFileW(p.c_str(), access, share, nullptr, creation, attributes, nullptr);
  return CreateFileA(WideToAnsi(p).c_str(), access, share, nullptr, creation, attributes, nullptr);
}

HANDLE FsFindFirst(const std::wstring& pattern, WIN32_FIND_DATAW* data) {
  std::wstring p = CallPath(pattern, kOtherPathLimit);
  if (p.empty()) return INVALID_HANDLE_VALUE;
  if (IsWidePlatform()) return FindFirstFileW(p.c_str(), data);
  WIN32_FIND_DATAA a;
  HANDLE h = FindFirstFileA(WideToAnsi(p).c_str(), &a);
  if (h != INVALID_HANDLE_VALUE) CopyFindData(a, data);
  return h;
}

bool FsFindNext(HANDLE search, WIN32_FIND_DATAW* data) {
  if (IsWidePlatform()) return FindNextFileW(search, data) != FALSE;
  WIN32_FIND_DATAA a;
  if (!FindNextFileA(search, &a)) return false;
  CopyFindData(a, data);
  return true;
}

DWORD FsGetAttributes(const std::wstring& path) {
  std::wstring p = CallPath(path, kOtherPathLimit);
  if (p.empty()) return INVALID_FILE_ATTRIBUTES;
  if (IsWidePlatform()) return GetFileAttributesW(p.c_str());
  return GetFileAttributesA(WideToAnsi(p).c_str());
}

bool FsSetAttributes(const std::wstring& path, DWORD attributes) {
  std::wstring p = CallPath(path, kOtherPathLimit);
  if (p.empty()) return false;
  if (IsWidePlatform()) return SetFileAttributesW(p.c_str(), attributes) != FALSE;
  return SetFileAttributesA(WideToAnsi(p).c_str(), attributes) != FALSE;
}

bool FsMakeFolder(const std::wstring& path) {
  std::wstring p = CallPath(path, kOtherPathLimit);
  if (p.empty()) return false;
  if (IsWidePlatform()) return CreateDirectoryW(p.c_str(), nullptr) != FALSE;
  return CreateDirectoryA(WideToAnsi(p).c_str(), nullptr) != FALSE;
}

bool FsDelete(const std::wstring& path) {
  std::wstring p = CallPath(path, kOtherPathLimit);
  if (p.empty()) return false;
  if (IsWidePlatform()) return DeleteFileW(p.c_str()) != FALSE;
  return DeleteFileA(WideToAnsi(p).c_str()) != FALSE;
}

bool FsMove(const std::wstring& from, const std::wstring& to, DWORD flags) {
  std::wstring f = CallPath(from, kOtherPathLimit);
  std::wstring t = CallPath(to, kOtherPathLimit);
  if (f.empty() || t.empty()) return false;
  if (IsWidePlatform()) return MoveFileExW(f.c_str(), t.c_str(), flags) != FALSE;
  // The older family has no MoveFileEx: the caller has already removed the target.
  return MoveFileA(WideToAnsi(f).c_str(), WideToAnsi(t).c_str()) != FALSE;
}

UINT FsDriveType(const std::wstring& root) {
  std::wstring p = CallPath(root, kOtherPathLimit);
  if (p.empty()) return DRIVE_NO_ROOT_DIR;
  if (IsWidePlatform()) return GetDriveTypeW(p.c_str());
  return GetDriveTypeA(WideToAnsi(p).c_str());
}

std::wstring FsTempPath() {
  if (IsWidePlatform()) {
    wchar_t buffer[MAX_PATH + 1] = {};
    DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    return (n == 0 || n > MAX_PATH) ? std::wstring() : std::wstring(buffer, n);
  }
  char buffer[MAX_PATH + 1] = {};
  DWORD n = GetTempPathA(MAX_PATH + 1, buffer);
  return (n == 0 || n > MAX_PATH) ? std::wstring() : AnsiToWide(std::string(buffer, n));
}

bool FsTempFileName(const std::wstring& folder, const std::wstring& prefix, std::wstring* name) {
  name->clear();
  if (IsWidePlatform()) {
    wchar_t buffer[MAX_PATH + 1] = {};
    if (!GetTempFileNameW(folder.c_str(), prefix.c_str(), 0, buffer)) return false;
    *name = buffer;
  } else {
    char buffer[MAX_PATH + 1] = {};
    if (!GetTempFileNameA(WideToAnsi(folder).c_str(), WideToAnsi(prefix).c_str(), 0, buffer)) return false;
    *name = AnsiToWide(buffer);
  }
  return !name->empty();
}

}  // namespace tv
