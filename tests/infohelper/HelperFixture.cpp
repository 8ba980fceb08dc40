#include "HelperFixture.h"

#include <atomic>

#include "TvRegistry.h"
#include "TvTrace.h"
#include "TvTagBlock.h"
#include "clTvDecoder.h"

namespace {

std::atomic<int> g_folderCount{0};

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring full = folder + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full + L"\\");
      } else {
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(full.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

void AppendLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

}  // namespace

std::wstring BinDir() {
  wchar_t buffer[MAX_PATH] = {};
  DWORD n = GetEnvironmentVariableW(L"TV_BIN_DIR", buffer, MAX_PATH);
  std::wstring dir = n ? std::wstring(buffer, n) : std::wstring(L".");
  for (wchar_t& c : dir)
    if (c == L'/') c = L'\\';
  if (dir.back() != L'\\') dir += L'\\';
  return dir;
}

bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = bytes.empty() || (WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                              written == bytes.size());
  CloseHandle(file);
  return ok;
}

std::vector<uint8_t> ReadFileBytes(const std::wstring& path) {
  std::vector<uint8_t> bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  LARGE_INTEGER size = {};
  GetFileSizeEx(file, &size);
  bytes.resize(size_t(size.QuadPart));
  DWORD got = 0;
  if (!bytes.empty()) ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr);
  bytes.resize(got);
  CloseHandle(file);
  return bytes;
}

bool PathExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<uint8_t> TextBytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

std::vector<uint8_t> WaveFileBytes(int ms) {
  const uint32_t dataBytes = uint32_t(44100u * 4u * uint32_t(ms) / 1000u);
  std::vector<uint8_t> out;
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  AppendLe(out, 36 + dataBytes, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  AppendLe(out, 16, 4);
  AppendLe(out, 1, 2);          // PCM
  AppendLe(out, 2, 2);          // channels
  AppendLe(out, 44100, 4);      // rate
  AppendLe(out, 44100 * 4, 4);  // bytes per second
  AppendLe(out, 4, 2);          // block align
  AppendLe(out, 16, 2);         // bits
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  AppendLe(out, dataBytes, 4);
  out.resize(out.size() + dataBytes, 0);
  return out;
}

bool TagWithWaveDecoder(const std::wstring& path, const std::vector<clTagElement>& tags) {
  TvMessageHandles handles = {};
  clTvDecoder decoder;
  if (!decoder.Load((BinDir() + L"decoder\\WAVE.dll").c_str()) || !decoder.Create(&handles)) return false;
  std::vector<uint8_t> block = tv::WriteTagBlock(tags);
  return decoder.SetIDTags(path.c_str(), block.data(), INT32(block.size())) != 0;
}

HelperFolder::HelperFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + L"tvinfo_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
          std::to_wstring(++g_folderCount) + L"\\";
  RemoveTree(path_);
  CreateDirectoryW(path_.c_str(), nullptr);
  CreateDirectoryW((path_ + L"decoder").c_str(), nullptr);
  CreateDirectoryW((path_ + L"data").c_str(), nullptr);
  Copy(L"TipfetchInfo.exe", L"TipfetchInfo.exe");
}

HelperFolder::~HelperFolder() { RemoveTree(path_); }

bool HelperFolder::Copy(const std::wstring& from, const std::wstring& to) const {
  return CopyFileW((BinDir() + from).c_str(), (path_ + to).c_str(), FALSE) != 0;
}

bool HelperFolder::AddDecoder(const std::wstring& fromBin) const {
  size_t slash = fromBin.rfind(L'\\');
  return Copy(fromBin, L"decoder\\" + fromBin.substr(slash == std::wstring::npos ? 0 : slash + 1));
}

PROCESS_INFORMATION HelperFolder::Start(const std::wstring& arguments) const {
  std::wstring program = path_ + L"TipfetchInfo.exe";
  std::wstring commandLine = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      path_.c_str(), &startup, &process))
    process = PROCESS_INFORMATION();
  return process;
}

HelperRun HelperFolder::Run(const std::wstring& arguments, DWORD safetyMs) const {
  HelperRun run;
  DWORD started = GetTickCount();
  PROCESS_INFORMATION process = Start(arguments);
  if (!process.hProcess) return run;
  if (WaitForSingleObject(process.hProcess, safetyMs) == WAIT_OBJECT_0) {
    run.finished = true;
    GetExitCodeProcess(process.hProcess, &run.exitCode);
  } else {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 5000);
  }
  run.elapsedMs = GetTickCount() - started;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

void ResetHelperEnvironment() {
  std::vector<std::wstring> knobs;
  if (wchar_t* block = GetEnvironmentStringsW()) {
    for (const wchar_t* entry = block; *entry; entry += lstrlenW(entry) + 1) {
      std::wstring text = entry;
      if (text.compare(0, 7, L"TVTEST_") == 0) knobs.push_back(text.substr(0, text.find(L'=')));
    }
    FreeEnvironmentStringsW(block);
  }
  for (const std::wstring& knob : knobs) SetEnvironmentVariableW(knob.c_str(), nullptr);
  SetEnvironmentVariableW(L"TV_FAKE_TVXSHELL_LOG", nullptr);
  tv::RegDeleteTree(tv::Settings(L"DecoderCache"));
  tv::RegDeleteTree(tv::Settings(L"Ref"));
  for (const wchar_t* value : {L"PopupMaxLen", L"PopupAllowed", L"PopupExclude"})
    tv::RegDeleteValueAt(tv::Settings(), value);
}

void HelperTest::SetUp() { ResetHelperEnvironment(); }
void HelperTest::TearDown() { ResetHelperEnvironment(); }
