#include "TvFileSystem.h"

#include <windows.h>

#include <atomic>

#include "TvCodePage.h"
#include "TvFsCalls.h"
#include "TvPath.h"

namespace tv {

namespace {

std::atomic<bool> g_forceAnsi{false};

bool SurvivesAnsi(const std::wstring& path) { return AnsiToWide(WideToAnsi(path)) == path; }

// One directory search for `path`; false when nothing is found.
bool FindEntry(const std::wstring& path, WIN32_FIND_DATAW* data) {
  std::wstring target = IsLongFormPath(path) ? path : RemoveTrailingBackslashes(path);
  if (target.empty() || HasWildcards(target)) return false;
  HANDLE search = FsFindFirst(target, data);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

uint64_t Make64(DWORD high, DWORD low) { return (uint64_t(high) << 32) | low; }

}  // namespace

bool IsWidePlatform() {
  static const bool nt = (GetVersion() & 0x80000000u) == 0;
  return nt && !g_forceAnsi.load();
}

void SetAnsiFileCalls(bool force) { g_forceAnsi.store(force); }

std::wstring LongPath(const std::wstring& path, size_t limit) {
  bool wide = IsWidePlatform();
  bool needsAnsiCheck = !wide || (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\');
  return LongPathText(path, limit, wide, needsAnsiCheck ? SurvivesAnsi(path) : true);
}

bool FileExists(const std::wstring& path, bool* isFolder) {
  if (isFolder) *isFolder = false;
  WIN32_FIND_DATAW data;
  if (FindEntry(path, &data)) {
    if (isFolder) *isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
  }
  std::wstring root = EnsureTrailingBackslash(path);
  bool driveRoot = root.size() == 3 && root[1] == L':' && !HasWildcards(root);
  if (driveRoot) {
    UINT type = FsDriveType(root);
    if (type != DRIVE_NO_ROOT_DIR && type != DRIVE_UNKNOWN) {
      if (isFolder) *isFolder = true;
      return true;
    }
  }
  return false;
}

uint64_t FileSizeByName(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  return FindEntry(path, &data) ? Make64(data.nFileSizeHigh, data.nFileSizeLow) : 0;
}

uint64_t FileLastWriteTime(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  if (!FindEntry(path, &data)) return 0;
  return Make64(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
}

bool FileDelete(const std::wstring& path, bool secondTry) {
  if (FsDelete(path)) return true;
  if (GetLastError() != ERROR_ACCESS_DENIED || secondTry) return false;
  FileSetAttributes(path, 0, FILE_ATTRIBUTE_READONLY);
  return FileDelete(path, true);
}

bool FileMove(const std::wstring& from, const std::wstring& to) {
  const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED;
  if (!IsWidePlatform() && FileExists(to) && !FileDelete(to)) return false;
  if (FsMove(from, to, flags)) return true;
  if (GetLastError() != ERROR_ACCESS_DENIED) return false;
  DWORD target = FsGetAttributes(to);
  if (target == INVALID_FILE_ATTRIBUTES || !(target & FILE_ATTRIBUTE_READONLY) ||
      (target & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  if (!FileSetAttributes(to, 0, FILE_ATTRIBUTE_READONLY)) return false;
  return FsMove(from, to, flags);
}

bool FileSetAttributes(const std::wstring& path, uint32_t setBits, uint32_t clearBits) {
  DWORD old = FsGetAttributes(path);
  if (old == INVALID_FILE_ATTRIBUTES) return false;
  // "normal" is only valid alone: it is dropped beside other bits and stands for none.
  DWORD now = ((old | setBits) & ~DWORD(clearBits)) & ~DWORD(FILE_ATTRIBUTE_NORMAL);
  if (now == 0) now = FILE_ATTRIBUTE_NORMAL;
  return FsSetAttributes(path, now);
}

std::wstring FolderOfModule(void* module) {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(static_cast<HMODULE>(module), &name[0], DWORD(name.size()));
    if (n == 0) return std::wstring();
    if (n < name.size()) {
      name.resize(n);
      break;
    }
    name.resize(name.size() * 2);  // truncated: try a larger buffer
  }
  return PathFolder(name);
}

}  // namespace tv
