#include "PluginTestSupport.h"

#include <algorithm>

namespace tvtest {

std::wstring PluginPath(const std::wstring& relative) {
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);  // tests run in the bin folder
  return std::wstring(folder) + L"\\testplugins\\" + relative;
}

void SetKnob(const std::wstring& name, const std::wstring& value) {
  SetEnvironmentVariableW(name.c_str(), value.c_str());
}

std::string ReadFileBytes(const std::wstring& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::vector<std::string> ReadLines(const std::wstring& path) {
  std::vector<std::string> lines;
  const std::string text = ReadFileBytes(path);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::wstring ToWide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

clTestChannel::clTestChannel() { CreatePipe(&read_, &write_, nullptr, 1 << 20); }

clTestChannel::~clTestChannel() {
  CloseHandle(read_);
  CloseHandle(write_);
}

std::wstring clTestChannel::Take() {
  std::string bytes;
  DWORD available = 0;
  while (PeekNamedPipe(read_, nullptr, 0, nullptr, &available, nullptr) && available) {
    std::string chunk(available, '\0');
    DWORD read = 0;
    if (!ReadFile(read_, &chunk[0], available, &read, nullptr)) break;
    bytes.append(chunk, 0, read);
  }
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
}

void PluginTest::SetUp() {
  // A clean environment: no knob of an earlier test survives.
  std::vector<std::wstring> names;
  wchar_t* block = GetEnvironmentStringsW();
  for (wchar_t* p = block; *p; p += wcslen(p) + 1) {
    std::wstring entry = p;
    if (entry.compare(0, 7, L"TVTEST_") == 0) names.push_back(entry.substr(0, entry.find(L'=')));
  }
  FreeEnvironmentStringsW(block);
  for (const std::wstring& name : names) SetEnvironmentVariableW(name.c_str(), nullptr);

  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  tempDir_ = std::wstring(temp) + L"tvwrap_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
             ToWide(::testing::UnitTest::GetInstance()->current_test_info()->name());
  std::replace(tempDir_.begin(), tempDir_.end(), L'/', L'_');
  CreateDirectoryW(tempDir_.c_str(), nullptr);
  logPath_ = TempPath(L"calls.log");
  for (const wchar_t* kind : {L"TVTEST_DEC_LOG", L"TVTEST_DEC2_LOG", L"TVTEST_ENC_LOG", L"TVTEST_DSP_LOG"})
    SetKnob(kind, logPath_);

  handles_.hErrorChannel = errors_.WriteEnd();
  handles_.hInfoChannel = infos_.WriteEnd();
  handles_.hTraceFile = nullptr;
}

void PluginTest::TearDown() {
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((tempDir_ + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      DeleteFileW((tempDir_ + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(find, &found));
    FindClose(find);
  }
  RemoveDirectoryW(tempDir_.c_str());
}

std::wstring PluginTest::TempPath(const std::wstring& name) const { return tempDir_ + L"\\" + name; }

std::vector<std::string> PluginTest::LogLines() const { return ReadLines(logPath_); }

bool PluginTest::Logged(const std::string& line) const {
  for (const std::string& l : LogLines()) {
    if (l.find(line) != std::string::npos) return true;
  }
  return false;
}

}  // namespace tvtest
