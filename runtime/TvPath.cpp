#include "TvPath.h"

#include "TvString.h"

namespace tv {

namespace {

const std::wstring kLongPrefix = L"\\\\?\\";
const std::wstring kLongUncPrefix = L"\\\\?\\UNC\\";

size_t LastBackslash(const std::wstring& path) { return path.rfind(L'\\'); }

size_t ExtensionDot(const std::wstring& path) {
  size_t dot = path.rfind(L'.');
  if (dot == std::wstring::npos) return dot;
  size_t slash = LastBackslash(path);
  if (slash != std::wstring::npos && dot < slash) return std::wstring::npos;
  return dot;
}

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// Length of the root part that no folder tree creates: a drive root, a
// network share, their long forms, or a leading backslash.
size_t RootLength(const std::wstring& p) {
  auto afterComponents = [&p](size_t start, int count) {
    size_t pos = start;
    for (int i = 0; i < count; ++i) {
      size_t slash = p.find(L'\\', pos);
      if (slash == std::wstring::npos) return p.size();
      pos = slash + 1;
    }
    return pos;
  };
  if (StartsWithNoCase(p, kLongUncPrefix)) return afterComponents(kLongUncPrefix.size(), 2);
  if (p.compare(0, kLongPrefix.size(), kLongPrefix) == 0) {
    size_t rest = kLongPrefix.size();
    if (p.size() >= rest + 2 && IsDriveLetter(p[rest]) && p[rest + 1] == L':')
      return (p.size() > rest + 2 && p[rest + 2] == L'\\') ? rest + 3 : rest + 2;
    return rest;
  }
  if (p.size() >= 2 && p[0] == L'\\' && p[1] == L'\\') return afterComponents(2, 2);
  if (p.size() >= 2 && IsDriveLetter(p[0]) && p[1] == L':')
    return (p.size() > 2 && p[2] == L'\\') ? 3 : 2;
  if (!p.empty() && p[0] == L'\\') return 1;
  return 0;
}

}  // namespace

std::wstring PathExtension(const std::wstring& path) {
  size_t dot = ExtensionDot(path);
  return dot == std::wstring::npos ? std::wstring(L".") : path.substr(dot);
}

std::wstring PathFileName(const std::wstring& path) {
  size_t slash = LastBackslash(path);
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring PathNameWithoutExtension(const std::wstring& path) {
  std::wstring name = PathFileName(path);
  size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? name : name.substr(0, dot);
}

std::wstring PathFolder(const std::wstring& path) {
  size_t slash = LastBackslash(path);
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring EnsureTrailingBackslash(const std::wstring& path) {
  if (path.empty() || path.back() == L'\\') return path;
  return path + L'\\';
}

std::wstring RemoveTrailingBackslashes(const std::wstring& path) {
  size_t end = path.find_last_not_of(L'\\');
  return end == std::wstring::npos ? std::wstring() : path.substr(0, end + 1);
}

bool IsLongFormPath(const std::wstring& path) {
  return path.compare(0, kLongPrefix.size(), kLongPrefix) == 0;
}

std::wstring LongPathText(const std::wstring& path, size_t limit, bool widePlatform,
                          bool survivesAnsi) {
  bool twoBackslashes = path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\';
  if (widePlatform) {
    if (IsLongFormPath(path)) return path;
    if (!twoBackslashes) return path.size() < limit ? path : kLongPrefix + path;
  }
  if (path.size() < limit && survivesAnsi) return path;
  return std::wstring();
}

bool HasWildcards(const std::wstring& path) {
  size_t start = IsLongFormPath(path) ? kLongPrefix.size() : 0;
  return path.find_first_of(L"*?", start) != std::wstring::npos;
}

std::vector<std::wstring> FolderTreeLevels(const std::wstring& folder) {
  std::vector<std::wstring> levels;
  const std::wstring path = RemoveTrailingBackslashes(folder);
  size_t pos = RootLength(path);
  while (pos < path.size()) {
    size_t slash = path.find(L'\\', pos);
    if (slash == std::wstring::npos) slash = path.size();
    if (slash > pos) levels.push_back(path.substr(0, slash));  // "a\\b" skips the empty level
    pos = slash + 1;
  }
  return levels;
}

}  // namespace tv
