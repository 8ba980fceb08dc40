// The registry routines every program uses. Keys are always opened with
// create-if-missing semantics, also for reads and deletes; a missing value, a
// failed read or a value of the wrong type reads as 0 or the empty string.
#pragma once
#include <windows.h>

#include <string>

namespace tv {

// The per-user settings root.
constexpr const wchar_t* kSettingsRoot = L"Software\\Kestrune\\Tonvera";

struct RegLocation {
  HKEY root = HKEY_CURRENT_USER;
  std::wstring path = kSettingsRoot;  // an explicit path replaces the settings root's path
};

// Reads a DWORD; `ok` (when given) tells whether a REG_DWORD was read.
DWORD RegReadDword(const RegLocation& where, const std::wstring& name, bool* ok = nullptr);
// Reads REG_SZ / REG_EXPAND_SZ (unexpanded); anything else gives "".
std::wstring RegReadString(const RegLocation& where, const std::wstring& name, bool* ok = nullptr);
bool RegWriteDword(const RegLocation& where, const std::wstring& name, DWORD value);
bool RegWriteString(const RegLocation& where, const std::wstring& name, const std::wstring& value);
bool RegDeleteValueAt(const RegLocation& where, const std::wstring& name);
// Deletes the key at `where` with its whole subtree; its parent stays (created if missing).
bool RegDeleteTree(const RegLocation& where);
bool RegValueExists(const RegLocation& where, const std::wstring& name);

// Shorthands for the settings root and its subkeys ("Ref", "DecoderCache").
inline RegLocation Settings(const std::wstring& subkey = std::wstring()) {
  RegLocation loc;
  if (!subkey.empty()) loc.path += L"\\" + subkey;
  return loc;
}

}  // namespace tv
