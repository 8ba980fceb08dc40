// Registrar scripts: the key trees a COM server carries as a "REGISTRY"
// resource and writes on registration, read and expanded without the
// platform (TvRegistrar.h applies them to the registry).
//
// Form (white space and line ends are free; braces and "=" stand apart from
// bare names by white space):
//   script := { root "{" { key } "}" }
//   root   := HKCR | HKCU | HKLM | HKU | HKEY_CLASSES_ROOT | HKEY_CURRENT_USER
//             | HKEY_LOCAL_MACHINE | HKEY_USERS
//   key    := [ NoRemove | ForceRemove | Delete ] name [ "=" value ]
//             [ "{" { key | val name "=" value } "}" ]
//   value  := s text | d number | b hex-text
//   name   := a bare word (not "val"), or a text in single quotes ('' inside is one quote)
// Key modes: a plain key is created on registration and, on removal, deleted
// once it holds nothing else; NoRemove keys are never deleted; ForceRemove
// keys are deleted whole before they are written and on removal; Delete keys
// are deleted on registration and left alone on removal.
// %NAME% in a name or text is replaced after the script is read ("%%" gives
// one "%"), so a replacement (a path with quotes or braces) can never change
// the script's structure. An unknown %NAME% is an error: no placeholder is
// ever written into the registry.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tv {

enum class RegistrarRoot { ClassesRoot, CurrentUser, LocalMachine, Users };
enum class RegistrarKeyMode { Plain, NoRemove, ForceRemove, Delete };

struct RegistrarValue {
  enum class Kind { String, Dword, Binary };
  Kind kind = Kind::String;
  std::wstring text;
  uint32_t number = 0;
  std::vector<uint8_t> bytes;
};

struct RegistrarNamedValue {
  std::wstring name;
  RegistrarValue value;
};

struct RegistrarKey {
  RegistrarKeyMode mode = RegistrarKeyMode::Plain;
  std::wstring name;
  bool hasDefault = false;
  RegistrarValue defaultValue;
  std::vector<RegistrarNamedValue> values;
  std::vector<RegistrarKey> subkeys;
};

struct RegistrarTree {
  RegistrarRoot root = RegistrarRoot::ClassesRoot;
  std::vector<RegistrarKey> keys;
};

struct RegistrarScript {
  std::vector<RegistrarTree> trees;
};

// Placeholder names (without the percent signs, matched ignoring the case of
// A-Z) and their texts.
using RegistrarReplacements = std::vector<std::pair<std::wstring, std::wstring>>;

// Deepest key nesting a script may use, and the longest key name the
// registry takes.
constexpr int kMaxRegistrarDepth = 32;
constexpr size_t kMaxRegistrarKeyName = 255;

// Reads a whole script. On false `script` is empty and `error` (when given)
// tells what and where (line number).
bool ParseRegistrarScript(const std::wstring& text, const RegistrarReplacements& replacements,
                          RegistrarScript& script, std::wstring* error = nullptr);

// Replaces the placeholders of one text; false on an unknown or unclosed one.
bool ExpandRegistrarText(const std::wstring& text, const RegistrarReplacements& replacements,
                         std::wstring& expanded);

// The text of a script resource: UTF-16LE after a byte-order mark, else UTF-8
// (a UTF-8 byte-order mark skipped). A zero ends the text.
std::wstring RegistrarScriptText(const uint8_t* data, size_t size);

}  // namespace tv
