// Wide text helpers shared by every program. No platform headers here: the
// conversions that need the code page live in TvCodePage.h.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tv {

// Case-insensitive comparison for A-Z only, as option names and file
// extensions are compared throughout the suite.
wchar_t AsciiLower(wchar_t c);
std::wstring AsciiLower(const std::wstring& text);
bool EqualsNoCase(const std::wstring& a, const std::wstring& b);
bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix);
bool EndsWithNoCase(const std::wstring& text, const std::wstring& suffix);

// Splits a registry list ("item\ritem\r...", "[Empty]" for an empty item) and joins one.
std::vector<std::wstring> SplitRegistryList(const std::wstring& text);
std::wstring JoinRegistryList(const std::vector<std::wstring>& items);

// UTF-8 <-> UTF-16 without the platform (used by portable code and tests).
std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);

}  // namespace tv
