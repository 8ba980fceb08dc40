#include "TvInfoRequest.h"

#include <cstring>

namespace tv {

namespace {

uint16_t UnitAt(const uint8_t* data, size_t at) { return uint16_t(data[at] | (data[at + 1] << 8)); }

void AppendUnit(std::vector<uint8_t>& out, wchar_t c) {
  out.push_back(uint8_t(uint16_t(c) & 0xFF));
  out.push_back(uint8_t(uint16_t(c) >> 8));
}

void AppendText(std::vector<uint8_t>& out, const std::wstring& text) {
  for (wchar_t c : text) AppendUnit(out, c);
}

void AppendUint32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

uint32_t Uint32At(const uint8_t* data) {
  return uint32_t(data[0]) | (uint32_t(data[1]) << 8) | (uint32_t(data[2]) << 16) | (uint32_t(data[3]) << 24);
}

}  // namespace

bool ReadUtf16Line(const uint8_t* data, size_t size, size_t* offset, std::wstring& line, size_t maxChars,
                   bool* ended) {
  line.clear();
  size_t at = offset ? *offset : 0;
  bool foundEnd = false;
  while (at + 1 < size) {
    uint16_t c = UnitAt(data, at);
    at += 2;
    if (c == L'\r') {
      if (at + 1 < size && UnitAt(data, at) == L'\n') at += 2;
      foundEnd = true;
      break;
    }
    if (c == L'\n' || c == 0) {  // a zero ends the text as the platform would read it
      foundEnd = true;
      break;
    }
    if (line.size() >= maxChars) {
      if (offset) *offset = at - 2;
      if (ended) *ended = false;
      line.clear();
      return false;
    }
    line.push_back(wchar_t(c));
  }
  if (offset) *offset = at;
  if (ended) *ended = foundEnd;
  return true;
}

bool ParsePathRequest(const std::vector<uint8_t>& data, std::wstring& path) {
  if (!ReadUtf16Line(data.data(), data.size(), nullptr, path)) return false;
  return !path.empty();
}

std::vector<uint8_t> PathRequestBytes(const std::wstring& path) {
  std::vector<uint8_t> out;
  AppendText(out, path);
  return out;
}

bool ParseTempFRequest(const std::vector<uint8_t>& data, std::string& ansiPath) {
  ansiPath.clear();
  if (data.size() < kTempFPathBytes) return false;
  const char* text = reinterpret_cast<const char*>(data.data());
  size_t length = 0;
  while (length < kTempFPathBytes && text[length] != 0) ++length;
  ansiPath.assign(text, length);
  return !ansiPath.empty();
}

std::vector<uint8_t> TempFRequestBytes(const std::string& ansiPath) {
  std::vector<uint8_t> out(kTempFPathBytes, 0);
  size_t n = ansiPath.size() < kTempFPathBytes - 1 ? ansiPath.size() : kTempFPathBytes - 1;
  if (n) std::memcpy(out.data(), ansiPath.data(), n);
  return out;
}

bool ParseDelTagRequest(const std::vector<uint8_t>& data, DelTagRequest& request) {
  request = DelTagRequest();
  size_t at = 0;
  std::wstring path, names;
  if (!ReadUtf16Line(data.data(), data.size(), &at, path)) return false;
  if (!ReadUtf16Line(data.data(), data.size(), &at, names, kMaxDelTagRequestBytes / 2)) return false;
  if (path.empty() || names.empty()) return false;
  request.path = path;
  if (names == kDeleteAllTags) {
    request.all = true;
    return true;
  }
  const std::wstring separator = kTagSeparator;
  size_t start = 0;
  for (;;) {
    size_t hit = names.find(separator, start);
    request.names.push_back(names.substr(start, hit == std::wstring::npos ? std::wstring::npos : hit - start));
    if (hit == std::wstring::npos) break;
    start = hit + separator.size();
  }
  return true;
}

std::vector<uint8_t> DelTagRequestBytes(const DelTagRequest& request) {
  std::vector<uint8_t> out;
  AppendText(out, request.path);
  AppendText(out, L"\r\n");
  if (request.all) {
    AppendText(out, kDeleteAllTags);
  } else {
    for (size_t i = 0; i < request.names.size(); ++i) {
      if (i) AppendText(out, kTagSeparator);
      AppendText(out, request.names[i]);
    }
  }
  AppendText(out, L"\r\n");
  return out;
}

std::wstring TagNameList(const std::vector<std::wstring>& names) {
  std::wstring list;
  for (const std::wstring& name : names) {
    list += name.empty() ? std::wstring(L"[Empty]") : name;
    list.push_back(L'\0');
  }
  list.push_back(L'\0');
  return list;
}

bool ParseSetTagsRequest(const std::vector<uint8_t>& data, SetTagsRequest& request) {
  request = SetTagsRequest();
  if (data.size() < 4) return false;
  int64_t n = int32_t(Uint32At(data.data()));
  if (n < 1 || n > kMaxSetTagsBlockBytes) return false;
  const size_t blockEnd = 4 + size_t(n);
  if (data.size() < blockEnd + 4) return false;  // block cut short, or no marker
  if (Uint32At(data.data() + blockEnd) != kSetTagsMarker) return false;
  size_t at = blockEnd + 4;
  std::wstring path;
  if (!ReadUtf16Line(data.data(), data.size(), &at, path) || path.empty()) return false;
  request.tagBlock.assign(data.begin() + 4, data.begin() + blockEnd);
  request.path = path;
  return true;
}

std::vector<uint8_t> SetTagsRequestBytes(const SetTagsRequest& request) {
  std::vector<uint8_t> out;
  if (request.tagBlock.empty() || int64_t(request.tagBlock.size()) > kMaxSetTagsBlockBytes) return out;
  AppendUint32(out, uint32_t(request.tagBlock.size()));
  out.insert(out.end(), request.tagBlock.begin(), request.tagBlock.end());
  AppendUint32(out, kSetTagsMarker);
  AppendText(out, request.path);
  return out;
}

}  // namespace tv
