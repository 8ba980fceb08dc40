#include "TvShellRegistration.h"

#include <oleauto.h>

#include <string>

#include "TvRegistrar.h"
#include "TvShellGuids.h"
#include "TvShellModule.h"

namespace tv {

namespace {

std::wstring ColumnHandlerKey() { return std::wstring(kColumnHandlersKey) + L"\\" + kClsidTvpShellText; }

HRESULT WriteColumnHandlerKey() {
  HKEY key = nullptr;
  LONG status = RegCreateKeyExW(HKEY_CLASSES_ROOT, ColumnHandlerKey().c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                &key, nullptr);
  if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
  const std::wstring name = kColumnHandlerName;
  status = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                          DWORD((name.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return HRESULT_FROM_WIN32(status);
}

HRESULT DeleteColumnHandlerKey() {
  HKEY handlers = nullptr;
  LONG status = RegOpenKeyExW(HKEY_CLASSES_ROOT, kColumnHandlersKey, 0, KEY_ALL_ACCESS, &handlers);
  if (status == ERROR_FILE_NOT_FOUND) return S_OK;
  if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
  status = RegDeleteTreeW(handlers, kClsidTvpShellText);
  if (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) status = RegDeleteKeyW(handlers, kClsidTvpShellText);
  RegCloseKey(handlers);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

RegistrarReplacements ScriptReplacements(const std::wstring& modulePath) { return {{L"MODULE", modulePath}}; }

HRESULT RegisterTypeLibrary(const std::wstring& modulePath) {
  ITypeLib* library = nullptr;
  HRESULT result = LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, &library);
  if (FAILED(result)) return result;
  std::wstring path = modulePath;  // the call takes a writable text
  result = RegisterTypeLib(library, &path[0], nullptr);
  library->Release();
  return result;
}

HRESULT UnregisterTypeLibrary() {
  // A library that is not registered (any more) is no failure of removal.
  HKEY key = nullptr;
  const std::wstring versionKey = L"TypeLib\\{627B1B3E-F003-4B78-861D-B599317A9E9A}\\1.0";
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, versionKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return S_OK;
  RegCloseKey(key);
  return UnRegisterTypeLib(kLibidTvShell, kTypeLibMajor, kTypeLibMinor, LANG_NEUTRAL, SYS_WIN64);
}

}  // namespace

HRESULT RegisterShellServer(HMODULE module) {
  const std::wstring modulePath = ModuleFilePath(module);
  if (modulePath.empty()) return E_UNEXPECTED;
  HRESULT result = WriteColumnHandlerKey();
  if (SUCCEEDED(result)) result = RegistrarRunResource(module, kRegistryScriptId, ScriptReplacements(modulePath), true);
  if (SUCCEEDED(result)) result = RegisterTypeLibrary(modulePath);
  if (FAILED(result)) UnregisterShellServer(module);  // never half a registration
  return result;
}

HRESULT UnregisterShellServer(HMODULE module) {
  const std::wstring modulePath = ModuleFilePath(module);
  const HRESULT column = DeleteColumnHandlerKey();
  HRESULT result = RegistrarRunResource(module, kRegistryScriptId, ScriptReplacements(modulePath), false);
  const HRESULT library = UnregisterTypeLibrary();
  if (SUCCEEDED(result)) result = library;
  if (SUCCEEDED(result)) result = column;
  return result;
}

}  // namespace tv
