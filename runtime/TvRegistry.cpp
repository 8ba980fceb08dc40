#include "TvRegistry.h"

#include <vector>

namespace tv {
namespace {

// An open key, closed on scope exit.
class RegKey {
 public:
  RegKey(const RegLocation& where, REGSAM access) {
    if (RegCreateKeyExW(where.root, where.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                        nullptr, &key_, nullptr) != ERROR_SUCCESS)
      key_ = nullptr;
  }
  ~RegKey() {
    if (key_) RegCloseKey(key_);
  }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

void SetOk(bool* ok, bool value) {
  if (ok) *ok = value;
}

}  // namespace

DWORD RegReadDword(const RegLocation& where, const std::wstring& name, bool* ok) {
  SetOk(ok, false);
  RegKey key(where, KEY_QUERY_VALUE);
  if (!key.get()) return 0;
  DWORD type = 0, value = 0, size = sizeof(value);
  if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(value))
    return 0;
  SetOk(ok, true);
  return value;
}

std::wstring RegReadString(const RegLocation& where, const std::wstring& name, bool* ok) {
  SetOk(ok, false);
  RegKey key(where, KEY_QUERY_VALUE);
  if (!key.get()) return std::wstring();
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::wstring();
  // Two bytes more than asked for, so the text always ends in a zero.
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
  DWORD got = size;
  if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) !=
      ERROR_SUCCESS)
    return std::wstring();
  SetOk(ok, true);
  return std::wstring(buffer.data());
}

bool RegWriteDword(const RegLocation& where, const std::wstring& name, DWORD value) {
  RegKey key(where, KEY_WRITE);
  return key.get() && RegSetValueExW(key.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                     sizeof(value)) == ERROR_SUCCESS;
}

bool RegWriteString(const RegLocation& where, const std::wstring& name, const std::wstring& value) {
  RegKey key(where, KEY_WRITE);
  return key.get() && RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                     DWORD((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool RegDeleteValueAt(const RegLocation& where, const std::wstring& name) {
  RegKey key(where, KEY_ALL_ACCESS);
  return key.get() && RegDeleteValueW(key.get(), name.c_str()) == ERROR_SUCCESS;
}

bool RegDeleteTree(const RegLocation& where) {
  std::wstring path = where.path;
  size_t slash = path.find_last_of(L'\\');
  RegLocation parent{where.root, slash == std::wstring::npos ? std::wstring() : path.substr(0, slash)};
  std::wstring leaf = slash == std::wstring::npos ? path : path.substr(slash + 1);
  RegKey parentKey(parent, KEY_ALL_ACCESS);
  if (!parentKey.get()) return false;
  LSTATUS rc = RegDeleteTreeW(parentKey.get(), leaf.c_str());
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

bool RegValueExists(const RegLocation& where, const std::wstring& name) {
  RegKey key(where, KEY_QUERY_VALUE);
  DWORD type = 0;
  return key.get() && RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace tv
