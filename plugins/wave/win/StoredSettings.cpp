#include "StoredSettings.h"

#include <windows.h>

#include <string>

namespace tvw {

namespace {
const char kSuiteKey[] = "Software\\Kestrune\\Tonvera";
}

unsigned readStoredIndex(const char* link) {
  std::string path = link ? link : "";
  std::string key = kSuiteKey, name = path;
  std::size_t slash = path.rfind('\\');
  if (slash != std::string::npos) {
    key += "\\" + path.substr(0, slash);
    name = path.substr(slash + 1);
  }
  HKEY h = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS) return 0;
  DWORD type = 0, value = 0, size = sizeof value;
  LONG rc = RegQueryValueExA(h, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(h);
  return rc == ERROR_SUCCESS && type == REG_DWORD && size == sizeof value ? unsigned(value) : 0u;
}

}  // namespace tvw
