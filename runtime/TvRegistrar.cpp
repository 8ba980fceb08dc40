#include "TvRegistrar.h"

#include <vector>

namespace tv {

namespace {

HKEY RootKey(RegistrarRoot root) {
  switch (root) {
    case RegistrarRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistrarRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegistrarRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    case RegistrarRoot::Users: return HKEY_USERS;
  }
  return HKEY_CLASSES_ROOT;
}

// Owns one open key.
class clRegKey {
 public:
  clRegKey() = default;
  ~clRegKey() { Close(); }
  clRegKey(const clRegKey&) = delete;
  clRegKey& operator=(const clRegKey&) = delete;

  LONG Create(HKEY parent, const std::wstring& name) {
    Close();
    return RegCreateKeyExW(parent, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
  }
  LONG Open(HKEY parent, const std::wstring& name) {
    Close();
    return RegOpenKeyExW(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key_);
  }
  void Close() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
  }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

bool Gone(LONG status) { return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND; }

LONG SetValue(HKEY key, const wchar_t* name, const RegistrarValue& value) {
  switch (value.kind) {
    case RegistrarValue::Kind::String:
      return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.text.c_str()),
                            DWORD((value.text.size() + 1) * sizeof(wchar_t)));
    case RegistrarValue::Kind::Dword: {
      const DWORD number = value.number;
      return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    }
    case RegistrarValue::Kind::Binary:
      return RegSetValueExW(key, name, 0, REG_BINARY, value.bytes.empty() ? nullptr : value.bytes.data(),
                            DWORD(value.bytes.size()));
  }
  return ERROR_INVALID_PARAMETER;
}

LONG DeleteTree(HKEY parent, const std::wstring& name) {
  const LONG status = RegDeleteTreeW(parent, name.c_str());
  if (status != ERROR_SUCCESS && !Gone(status)) return status;
  const LONG last = RegDeleteKeyW(parent, name.c_str());  // RegDeleteTreeW may leave the key itself
  return Gone(last) ? ERROR_SUCCESS : last;
}

LONG RegisterKey(HKEY parent, const RegistrarKey& key) {
  if (key.mode == RegistrarKeyMode::Delete) return DeleteTree(parent, key.name);
  if (key.mode == RegistrarKeyMode::ForceRemove) {
    const LONG status = DeleteTree(parent, key.name);
    if (status != ERROR_SUCCESS) return status;
  }
  clRegKey opened;
  LONG status = opened.Create(parent, key.name);
  if (status != ERROR_SUCCESS) return status;
  if (key.hasDefault && (status = SetValue(opened.Get(), nullptr, key.defaultValue)) != ERROR_SUCCESS) return status;
  for (const RegistrarNamedValue& named : key.values)
    if ((status = SetValue(opened.Get(), named.name.c_str(), named.value)) != ERROR_SUCCESS) return status;
  for (const RegistrarKey& subkey : key.subkeys)
    if ((status = RegisterKey(opened.Get(), subkey)) != ERROR_SUCCESS) return status;
  return ERROR_SUCCESS;
}

bool KeyIsEmpty(HKEY key) {
  DWORD subkeys = 0, values = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                       nullptr, nullptr) != ERROR_SUCCESS)
    return false;
  return subkeys == 0 && values == 0;
}

// The first failure is kept; removal goes on past it, so as much as possible goes.
LONG UnregisterKey(HKEY parent, const RegistrarKey& key) {
  if (key.mode == RegistrarKeyMode::Delete) return ERROR_SUCCESS;
  if (key.mode == RegistrarKeyMode::ForceRemove) return DeleteTree(parent, key.name);
  clRegKey opened;
  LONG status = opened.Open(parent, key.name);
  if (Gone(status)) return ERROR_SUCCESS;
  if (status != ERROR_SUCCESS) return status;
  LONG first = ERROR_SUCCESS;
  for (const RegistrarKey& subkey : key.subkeys) {
    status = UnregisterKey(opened.Get(), subkey);
    if (first == ERROR_SUCCESS) first = status;
  }
  if (key.mode == RegistrarKeyMode::NoRemove) return first;
  // A plain key loses what the script wrote into it, and goes when nothing else is left.
  if (key.hasDefault) RegDeleteValueW(opened.Get(), nullptr);
  for (const RegistrarNamedValue& named : key.values) RegDeleteValueW(opened.Get(), named.name.c_str());
  const bool empty = KeyIsEmpty(opened.Get());
  opened.Close();
  if (empty) {
    status = RegDeleteKeyW(parent, key.name.c_str());
    if (first == ERROR_SUCCESS && !Gone(status)) first = status;
  }
  return first;
}

}  // namespace

HRESULT RegistrarUnregister(const RegistrarScript& script) {
  LONG first = ERROR_SUCCESS;
  for (const RegistrarTree& tree : script.trees) {
    for (const RegistrarKey& key : tree.keys) {
      const LONG status = UnregisterKey(RootKey(tree.root), key);
      if (first == ERROR_SUCCESS) first = status;
    }
  }
  return HRESULT_FROM_WIN32(first);
}

HRESULT RegistrarRegister(const RegistrarScript& script) {
  for (const RegistrarTree& tree : script.trees) {
    for (const RegistrarKey& key : tree.keys) {
      const LONG status = RegisterKey(RootKey(tree.root), key);
      if (status != ERROR_SUCCESS) {
        RegistrarUnregister(script);
        return HRESULT_FROM_WIN32(status);
      }
    }
  }
  return S_OK;
}

HRESULT RegistrarRunResource(HMODULE module, UINT id, const RegistrarReplacements& replacements, bool registering) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), L"REGISTRY");
  if (!found) return E_UNEXPECTED;
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return E_UNEXPECTED;
  const std::wstring text = RegistrarScriptText(static_cast<const uint8_t*>(data), SizeofResource(module, found));
  RegistrarScript script;
  if (!ParseRegistrarScript(text, replacements, script)) return E_UNEXPECTED;
  return registering ? RegistrarRegister(script) : RegistrarUnregister(script);
}

}  // namespace tv
