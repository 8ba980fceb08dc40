#include "PluginHost.h"

#include <cstdlib>
#include <ostream>

namespace wavetest {

std::wstring binDir() {
  const wchar_t* dir = _wgetenv(L"TV_BIN_DIR");
  std::wstring d;
  if (dir && *dir) {
    d = dir;
    // The build folder is a Unix path; Wine shows the root as drive Z:.
    if (d[0] == L'/') {
      d = L"Z:" + d;
      for (auto& c : d)
        if (c == L'/') c = L'\\';
    }
  } else {
    wchar_t cwd[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, cwd);
    d = cwd;
  }
  if (d.back() != L'\\') d += L'\\';
  return d;
}

std::wstring scratchDir(const std::wstring& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring dir = std::wstring(temp) + L"tvw_" + name + L"_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

Library::Library(const std::wstring& relativePath) {
  module_ = LoadLibraryW((binDir() + relativePath).c_str());
}

Library::~Library() {
  if (module_) FreeLibrary(module_);
}

Channels::Channels() {
  CreatePipe(&errRead_, &errWrite_, nullptr, 1 << 20);
  CreatePipe(&infoRead_, &infoWrite_, nullptr, 1 << 20);
  record_[0] = errWrite_;
  record_[1] = infoWrite_;
}

Channels::~Channels() {
  for (HANDLE h : {errRead_, errWrite_, infoRead_, infoWrite_})
    if (h) CloseHandle(h);
}

std::wstring Channels::drain(HANDLE read) {
  std::wstring text;
  DWORD available = 0;
  while (PeekNamedPipe(read, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
    std::string bytes(available, '\0');
    DWORD got = 0;
    if (!ReadFile(read, &bytes[0], available, &got, nullptr) || got == 0) break;
    text.append(reinterpret_cast<const wchar_t*>(bytes.data()), got / sizeof(wchar_t));
  }
  return text;
}

std::wstring Channels::errors() { return drain(errRead_); }
std::wstring Channels::information() { return drain(infoRead_); }

bool writeFile(const std::wstring& path, const Bytes& bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD done = 0;
  bool ok = WriteFile(h, bytes.data(), DWORD(bytes.size()), &done, nullptr) && done == bytes.size();
  CloseHandle(h);
  return ok;
}

Bytes readFile(const std::wstring& path) {
  Bytes bytes;
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return bytes;
  LARGE_INTEGER size;
  GetFileSizeEx(h, &size);
  bytes.resize(std::size_t(size.QuadPart));
  DWORD got = 0;
  if (!bytes.empty()) ReadFile(h, bytes.data(), DWORD(bytes.size()), &got, nullptr);
  bytes.resize(got);
  CloseHandle(h);
  return bytes;
}

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

Bytes tagBlock(const std::vector<Tag>& tags) {
  Bytes b;
  add32(b, std::uint32_t(tags.size()));
  for (const auto& t : tags) {
    add32(b, std::uint32_t(4 + 2 * (t.name.size() + 1) + 2 * (t.value.size() + 1) + t.data.size()));
    for (wchar_t c : t.name) add16(b, c);
    add16(b, 0);
    for (wchar_t c : t.value) add16(b, c);
    add16(b, 0);
    b.insert(b.end(), t.data.begin(), t.data.end());
  }
  return b;
}

std::vector<Tag> readTagBlock(const BYTE* p, int size) {
  std::vector<Tag> tags;
  if (!p || size < 4) return tags;
  int count = *reinterpret_cast<const int*>(p);
  const BYTE* at = p + 4;
  const BYTE* end = p + size;
  for (int i = 0; i < count && end - at >= 4; ++i) {
    int s = *reinterpret_cast<const int*>(at);
    if (s < 4 || s > end - at) break;
    const wchar_t* w = reinterpret_cast<const wchar_t*>(at + 4);
    Tag t;
    t.name = w;
    w += t.name.size() + 1;
    t.value = w;
    w += t.value.size() + 1;
    const BYTE* data = reinterpret_cast<const BYTE*>(w);
    t.data.assign(data, at + s);
    tags.push_back(t);
    at += s;
  }
  return tags;
}

void PrintTo(const Tag& t, std::ostream* os) {
  *os << "{";
  for (wchar_t c : t.name) *os << char(c < 128 ? c : '?');
  *os << " = \"";
  for (std::size_t i = 0; i < t.value.size() && i < 60; ++i) *os << char(t.value[i] < 128 ? t.value[i] : '?');
  if (t.value.size() > 60) *os << "... (" << t.value.size() << " characters)";
  *os << "\", " << t.data.size() << " bytes}";
}

}  // namespace wavetest
