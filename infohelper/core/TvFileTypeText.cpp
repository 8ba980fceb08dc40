#include "TvFileTypeText.h"

#include <windows.h>

#include <mutex>

#include "TvPath.h"
#include "TvPopupText.h"
#include "TvString.h"

namespace tv {

namespace {

// The default value of a classes-root key, read without creating the key.
std::wstring ClassesRootDefault(const std::wstring& keyName) {
  HKEY key = nullptr;
  if (keyName.empty() || RegOpenKeyExW(HKEY_CLASSES_ROOT, keyName.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return std::wstring();
  std::wstring value;
  DWORD type = 0, bytes = 0;
  if (RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ) && bytes >= sizeof(wchar_t) && bytes < 64 * 1024) {
    std::wstring buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD got = bytes;
    if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(&buffer[0]), &got) == ERROR_SUCCESS) {
      buffer.resize(got / sizeof(wchar_t));
      size_t zero = buffer.find(L'\0');
      value = buffer.substr(0, zero);
    }
  }
  RegCloseKey(key);
  return value;
}

std::mutex g_cacheLock;
std::wstring g_cachedExtension;
std::wstring g_cachedType;

}  // namespace

std::wstring FileTypeText(const std::wstring& path) {
  const std::wstring extension = PathExtension(path);
  {
    std::lock_guard<std::mutex> lock(g_cacheLock);
    if (!g_cachedExtension.empty() && EqualsNoCase(g_cachedExtension, extension)) return g_cachedType;
  }
  std::wstring type;
  if (extension.size() > 1) {
    std::wstring className = ClassesRootDefault(extension);
    if (!className.empty()) type = ClassesRootDefault(className);
  }
  if (type.empty()) type = UnregisteredTypeText(extension);
  std::lock_guard<std::mutex> lock(g_cacheLock);
  g_cachedExtension = extension;
  g_cachedType = type;
  return type;
}

}  // namespace tv
