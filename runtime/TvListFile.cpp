#include "TvListFile.h"

#include <cstdint>

#include "TvPath.h"

namespace tv {

std::wstring ListFileEntry(const std::wstring& path) { return path + L"\r\n"; }

std::wstring ListFileText(const std::vector<std::wstring>& paths) {
  std::wstring text;
  for (const std::wstring& path : paths) text += ListFileEntry(path);
  return text;
}

std::string ListFileBytes(const std::vector<std::wstring>& paths) {
  const std::wstring text = ListFileText(paths);
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (wchar_t c : text) {
    const auto unit = uint16_t(c);
    bytes.push_back(char(unit & 0xFF));
    bytes.push_back(char(unit >> 8));
  }
  return bytes;
}

std::vector<std::wstring> ParseListText(const std::wstring& text) {
  std::vector<std::wstring> paths;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    if (end > start) paths.push_back(text.substr(start, end - start));
    // CR LF is one line end; a lone CR or LF is one as well.
    start = (end + 1 < text.size() && text[end] == L'\r' && text[end + 1] == L'\n') ? end + 2 : end + 1;
  }
  return paths;
}

std::vector<std::wstring> ParseListBytes(const void* data, size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  std::wstring text;
  if (bytes) {
    text.reserve(size / 2);
    for (size_t i = 0; i + 1 < size; i += 2) text.push_back(wchar_t(bytes[i] | (bytes[i + 1] << 8)));
  }
  return ParseListText(text);
}

std::wstring QuotedOptionCommandLine(const std::wstring& programPath, const std::wstring& option,
                                     const std::wstring& value) {
  return L"\"" + programPath + L"\" " + option + L"=\"" + value + L"\"";
}

std::wstring FrontEndCommandLine(const std::wstring& programFolder, const std::wstring& listPath) {
  return QuotedOptionCommandLine(EnsureTrailingBackslash(programFolder) + kFrontEndProgram,
                                 kFrontEndListOption, listPath);
}

}  // namespace tv
