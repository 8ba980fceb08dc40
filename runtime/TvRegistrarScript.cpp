#include "TvRegistrarScript.h"

#include "TvString.h"

namespace tv {

namespace {

enum class TokenKind { Word, Quoted, Open, Close, Equals };

struct Token {
  TokenKind kind;
  std::wstring text;
  int line;
};

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == 0xFEFF; }

bool Fail(std::wstring* error, int line, const std::wstring& what) {
  if (error) *error = L"line " + std::to_wstring(line) + L": " + what;
  return false;
}

// Splits the script into tokens; false on an unclosed quoted text.
bool Tokenize(const std::wstring& text, std::vector<Token>& tokens, std::wstring* error) {
  int line = 1;
  size_t at = 0;
  const size_t n = text.size();
  while (at < n) {
    const wchar_t c = text[at];
    if (c == L'\n') ++line;
    if (IsSpace(c)) {
      ++at;
      continue;
    }
    const bool standsAlone = at + 1 >= n || IsSpace(text[at + 1]) || text[at + 1] == c;
    if (c == L'=') {
      tokens.push_back({TokenKind::Equals, L"=", line});
      ++at;
    } else if ((c == L'{' || c == L'}') && standsAlone) {
      tokens.push_back({c == L'{' ? TokenKind::Open : TokenKind::Close, std::wstring(1, c), line});
      ++at;
    } else if (c == L'\'') {
      const int startLine = line;
      std::wstring quoted;
      ++at;
      for (;;) {
        if (at >= n) return Fail(error, startLine, L"a quoted text is not closed");
        if (text[at] == L'\'') {
          if (at + 1 < n && text[at + 1] == L'\'') {
            quoted += L'\'';
            at += 2;
            continue;
          }
          ++at;
          break;
        }
        if (text[at] == L'\n') ++line;
        quoted += text[at++];
      }
      tokens.push_back({TokenKind::Quoted, quoted, startLine});
    } else {
      const size_t start = at;
      while (at < n && !IsSpace(text[at]) && text[at] != L'=' && text[at] != L'\'') ++at;
      tokens.push_back({TokenKind::Word, text.substr(start, at - start), line});
    }
  }
  return true;
}

class clScriptReader {
 public:
  clScriptReader(const std::vector<Token>& tokens, const RegistrarReplacements& replacements, std::wstring* error)
      : tokens_(tokens), replacements_(replacements), error_(error) {}

  bool ReadScript(RegistrarScript& script) {
    while (at_ < tokens_.size()) {
      RegistrarTree tree;
      const Token& rootName = tokens_[at_];
      if (rootName.kind != TokenKind::Word || !RootOf(rootName.text, tree.root))
        return Fail(error_, rootName.line, L"a root key name was expected");
      ++at_;
      if (!Expect(TokenKind::Open, L"\"{\" after the root key")) return false;
      if (!ReadKeys(tree.keys, 1, /*valuesAllowed=*/false, nullptr)) return false;
      script.trees.push_back(std::move(tree));
    }
    return true;
  }

 private:
  static bool RootOf(const std::wstring& name, RegistrarRoot& root) {
    struct Entry {
      const wchar_t* shortName;
      const wchar_t* longName;
      RegistrarRoot root;
    };
    static const Entry kRoots[] = {
        {L"HKCR", L"HKEY_CLASSES_ROOT", RegistrarRoot::ClassesRoot},
        {L"HKCU", L"HKEY_CURRENT_USER", RegistrarRoot::CurrentUser},
        {L"HKLM", L"HKEY_LOCAL_MACHINE", RegistrarRoot::LocalMachine},
        {L"HKU", L"HKEY_USERS", RegistrarRoot::Users},
    };
    for (const Entry& entry : kRoots) {
      if (EqualsNoCase(name, entry.shortName) || EqualsNoCase(name, entry.longName)) {
        root = entry.root;
        return true;
      }
    }
    return false;
  }

  int Line() const { return at_ < tokens_.size() ? tokens_[at_].line : (tokens_.empty() ? 1 : tokens_.back().line); }

  bool Expect(TokenKind kind, const wchar_t* what) {
    if (at_ >= tokens_.size() || tokens_[at_].kind != kind) return Fail(error_, Line(), std::wstring(what) + L" was expected");
    ++at_;
    return true;
  }

  bool Peek(TokenKind kind) const { return at_ < tokens_.size() && tokens_[at_].kind == kind; }

  bool Expanded(const Token& token, std::wstring& out) {
    if (!ExpandRegistrarText(token.text, replacements_, out))
      return Fail(error_, token.line, L"unknown or unclosed placeholder in \"" + token.text + L"\"");
    return true;
  }

  // A name: a bare word or a quoted text, expanded.
  bool ReadName(std::wstring& name) {
    if (at_ >= tokens_.size() || (tokens_[at_].kind != TokenKind::Word && tokens_[at_].kind != TokenKind::Quoted))
      return Fail(error_, Line(), L"a name was expected");
    return Expanded(tokens_[at_++], name);
  }

  bool ReadValue(RegistrarValue& value) {
    if (at_ >= tokens_.size() || tokens_[at_].kind != TokenKind::Word)
      return Fail(error_, Line(), L"a value type (s, d or b) was expected");
    const std::wstring type = AsciiLower(tokens_[at_].text);
    ++at_;
    const int line = Line();
    std::wstring text;
    if (!ReadName(text)) return false;
    if (type == L"s") {
      value.kind = RegistrarValue::Kind::String;
      value.text = text;
      return true;
    }
    if (type == L"d") {
      value.kind = RegistrarValue::Kind::Dword;
      return ParseNumber(text, value.number) || Fail(error_, line, L"\"" + text + L"\" is no 32-bit number");
    }
    if (type == L"b") {
      value.kind = RegistrarValue::Kind::Binary;
      return ParseHex(text, value.bytes) || Fail(error_, line, L"\"" + text + L"\" is no even run of hex digits");
    }
    return Fail(error_, line, L"unknown value type \"" + type + L"\"");
  }

  static int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
  }

  static bool ParseNumber(const std::wstring& text, uint32_t& number) {
    uint64_t value = 0;
    size_t at = 0;
    int base = 10;
    if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
      base = 16;
      at = 2;
    }
    if (at >= text.size()) return false;
    for (; at < text.size(); ++at) {
      const int digit = HexDigit(text[at]);
      if (digit < 0 || digit >= base) return false;
      value = value * base + digit;
      if (value > 0xFFFFFFFFull) return false;
    }
    number = uint32_t(value);
    return true;
  }

  static bool ParseHex(const std::wstring& text, std::vector<uint8_t>& bytes) {
    if (text.size() % 2) return false;
    for (size_t at = 0; at < text.size(); at += 2) {
      const int high = HexDigit(text[at]), low = HexDigit(text[at + 1]);
      if (high < 0 || low < 0) return false;
      bytes.push_back(uint8_t(high * 16 + low));
    }
    return true;
  }

  static bool ValidKeyName(const std::wstring& name) {
    return !name.empty() && name.size() <= kMaxRegistrarKeyName && name.find(L'\\') == std::wstring::npos;
  }

  // Keys (and, inside a key, named values) up to the closing brace.
  bool ReadKeys(std::vector<RegistrarKey>& keys, int depth, bool valuesAllowed, RegistrarKey* owner) {
    if (depth > kMaxRegistrarDepth) return Fail(error_, Line(), L"keys nested too deeply");
    for (;;) {
      if (at_ >= tokens_.size()) return Fail(error_, Line(), L"\"}\" was expected");
      if (Peek(TokenKind::Close)) {
        ++at_;
        return true;
      }
      const Token& first = tokens_[at_];
      if (first.kind == TokenKind::Word && EqualsNoCase(first.text, L"val")) {
        if (!valuesAllowed) return Fail(error_, first.line, L"a value outside of any key");
        ++at_;
        RegistrarNamedValue named;
        if (!ReadName(named.name) || !Expect(TokenKind::Equals, L"\"=\" after a value name") ||
            !ReadValue(named.value))
          return false;
        owner->values.push_back(std::move(named));
        continue;
      }
      RegistrarKey key;
      if (first.kind == TokenKind::Word) {
        if (EqualsNoCase(first.text, L"NoRemove")) key.mode = RegistrarKeyMode::NoRemove;
        else if (EqualsNoCase(first.text, L"ForceRemove")) key.mode = RegistrarKeyMode::ForceRemove;
        else if (EqualsNoCase(first.text, L"Delete")) key.mode = RegistrarKeyMode::Delete;
        if (key.mode != RegistrarKeyMode::Plain) ++at_;
      }
      const int line = Line();
      if (!ReadName(key.name)) return false;
      if (!ValidKeyName(key.name)) return Fail(error_, line, L"\"" + key.name + L"\" is no key name");
      if (Peek(TokenKind::Equals)) {
        ++at_;
        if (!ReadValue(key.defaultValue)) return false;
        key.hasDefault = true;
      }
      if (Peek(TokenKind::Open)) {
        ++at_;
        if (!ReadKeys(key.subkeys, depth + 1, true, &key)) return false;
      }
      keys.push_back(std::move(key));
    }
  }

  const std::vector<Token>& tokens_;
  const RegistrarReplacements& replacements_;
  std::wstring* error_;
  size_t at_ = 0;
};

}  // namespace

bool ExpandRegistrarText(const std::wstring& text, const RegistrarReplacements& replacements,
                         std::wstring& expanded) {
  expanded.clear();
  size_t at = 0;
  while (at < text.size()) {
    if (text[at] != L'%') {
      expanded += text[at++];
      continue;
    }
    const size_t close = text.find(L'%', at + 1);
    if (close == std::wstring::npos) return false;
    const std::wstring name = text.substr(at + 1, close - at - 1);
    if (name.empty()) {
      expanded += L'%';
    } else {
      bool known = false;
      for (const auto& replacement : replacements) {
        if (EqualsNoCase(replacement.first, name)) {
          expanded += replacement.second;
          known = true;
          break;
        }
      }
      if (!known) return false;
    }
    at = close + 1;
  }
  return true;
}

bool ParseRegistrarScript(const std::wstring& text, const RegistrarReplacements& replacements,
                          RegistrarScript& script, std::wstring* error) {
  script = RegistrarScript();
  std::vector<Token> tokens;
  RegistrarScript read;
  if (!Tokenize(text, tokens, error)) return false;
  clScriptReader reader(tokens, replacements, error);
  if (!reader.ReadScript(read)) return false;
  script = std::move(read);
  return true;
}

std::wstring RegistrarScriptText(const uint8_t* data, size_t size) {
  if (!data) return std::wstring();
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
    std::wstring text;
    for (size_t at = 2; at + 1 < size; at += 2) {
      const wchar_t c = wchar_t(data[at] | (data[at + 1] << 8));
      if (c == 0) break;
      text += c;
    }
    return text;
  }
  size_t start = size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF ? 3 : 0;
  size_t end = start;
  while (end < size && data[end] != 0) ++end;
  return Utf8ToWide(std::string(reinterpret_cast<const char*>(data) + start, end - start));
}

}  // namespace tv
