#include "ShellFixture.h"

#include <fstream>

#include "TvTagBlock.h"
#include "TvTrace.h"
#include "clTvDecoder.h"

namespace {

// {FED7043D-346A-414D-ACD7-550D052499A7}
const CLSID kClassId = {0xFED7043D, 0x346A, 0x414D, {0xAC, 0xD7, 0x55, 0x0D, 0x05, 0x24, 0x99, 0xA7}};

int g_folderCount = 0;

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(folder + name + L"\\");
      } else {
        SetFileAttributesW((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW((folder + name).c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

void Put(std::vector<uint8_t>& b, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(uint8_t(value >> (8 * i)));
}

void PutId(std::vector<uint8_t>& b, const char* id) {
  for (int i = 0; i < 4; ++i) b.push_back(uint8_t(id[i]));
}

}  // namespace

std::wstring BinDir() {
  wchar_t buffer[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableW(L"TV_BIN_DIR", buffer, MAX_PATH);
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
  const bool ok = bytes.empty() ||
                  (WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size());
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
  DWORD read = 0;
  if (!bytes.empty() && (!ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr) || read != bytes.size()))
    bytes.clear();
  CloseHandle(file);
  return bytes;
}

std::vector<uint8_t> WaveFileBytes(int ms) {
  const uint32_t dataBytes = uint32_t(44100ull * 4 * ms / 1000);
  std::vector<uint8_t> b;
  b.reserve(44 + dataBytes);
  PutId(b, "RIFF");
  Put(b, 36 + dataBytes, 4);
  PutId(b, "WAVE");
  PutId(b, "fmt ");
  Put(b, 16, 4);
  Put(b, 1, 2);
  Put(b, 2, 2);
  Put(b, 44100, 4);
  Put(b, 176400, 4);
  Put(b, 4, 2);
  Put(b, 16, 2);
  PutId(b, "data");
  Put(b, dataBytes, 4);
  b.resize(b.size() + dataBytes, 0);
  return b;
}

bool TagWaveFile(const std::wstring& path, const std::vector<clTagElement>& tags) {
  TvMessageHandles handles = {};
  clTvDecoder decoder;
  if (!decoder.Load((BinDir() + L"decoder\\WAVE.dll").c_str()) || !decoder.Create(&handles)) return false;
  const std::vector<uint8_t> block = tv::WriteTagBlock(tags);
  return decoder.SetIDTags(path.c_str(), block.data(), INT32(block.size())) != 0;
}

bool TouchFile(const std::wstring& path, int seconds) {
  HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES | GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  FILETIME written = {};
  bool ok = GetFileTime(file, nullptr, nullptr, &written) != 0;
  ULARGE_INTEGER time;
  time.LowPart = written.dwLowDateTime;
  time.HighPart = written.dwHighDateTime;
  time.QuadPart += uint64_t(seconds) * 10000000ull;
  written.dwLowDateTime = time.LowPart;
  written.dwHighDateTime = time.HighPart;
  ok = ok && SetFileTime(file, nullptr, nullptr, &written) != 0;
  CloseHandle(file);
  return ok;
}

int CountLinesWith(const std::wstring& path, const std::string& part) {
  const std::vector<uint8_t> bytes = ReadFileBytes(path);
  const std::string text(bytes.begin(), bytes.end());
  int count = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    if (text.substr(start, end - start).find(part) != std::string::npos) ++count;
    start = end + 1;
  }
  return count;
}

int RunRegsvr32(const std::wstring& dll, bool unregister) {
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring program = std::wstring(system) + L"\\regsvr32.exe";
  std::wstring command = L"\"" + program + L"\" /s " + (unregister ? L"/u " : L"") + L"\"" + dll + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(program.c_str(), &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                      &startup, &process))
    return -1;
  DWORD code = DWORD(-1);
  if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return int(code);
}

void RemoveShellRegistration() {
  const wchar_t* keys[] = {
      L"CLSID\\{FED7043D-346A-414D-ACD7-550D052499A7}",
      L"Folder\\shellex\\ColumnHandlers\\{FED7043D-346A-414D-ACD7-550D052499A7}",
      L"TVShell.TvpShell",
      L"TVShell.TvpShell.1",
      L"TypeLib\\{627B1B3E-F003-4B78-861D-B599317A9E9A}",
      L"Interface\\{F8C5B3D7-3BBF-4BCD-89AA-9DF5B829ABCC}",
  };
  for (const wchar_t* key : keys) {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, key);
    RegDeleteKeyW(HKEY_CLASSES_ROOT, key);
  }
}

bool ClassesKeyExists(const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::wstring ClassesDefaultValue(const std::wstring& path, const wchar_t* name) {
  wchar_t buffer[1024] = {};
  DWORD size = sizeof(buffer) - sizeof(wchar_t);
  if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
    return L"<missing>";
  return buffer;
}

ShellFolder::ShellFolder(HelperKind helper) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + L"tv shell " + std::to_wstring(GetCurrentProcessId()) + L" " +
          std::to_wstring(++g_folderCount) + L"\\";
  RemoveTree(path_);
  CreateDirectoryW(path_.c_str(), nullptr);
  CreateDirectoryW((path_ + L"decoder").c_str(), nullptr);
  CreateDirectoryW((path_ + L"data").c_str(), nullptr);
  CopyFileW((BinDir() + L"TvShell.dll").c_str(), Dll().c_str(), FALSE);
  if (helper == HelperKind::Real)
    CopyFileW((BinDir() + L"TipfetchInfo.exe").c_str(), (path_ + L"TipfetchInfo.exe").c_str(), FALSE);
  if (helper == HelperKind::Fake)
    CopyFileW((BinDir() + L"testplugins\\shell64\\FakeTipfetchInfo.exe").c_str(),
              (path_ + L"TipfetchInfo.exe").c_str(), FALSE);
  AddDecoder(L"decoder\\WAVE.dll");
}

ShellFolder::~ShellFolder() { RemoveTree(path_); }

bool ShellFolder::AddDecoder(const std::wstring& fromBin) const {
  const size_t slash = fromBin.rfind(L'\\');
  return CopyFileW((BinDir() + fromBin).c_str(),
                   (path_ + L"decoder\\" + fromBin.substr(slash == std::wstring::npos ? 0 : slash + 1)).c_str(),
                   FALSE) != 0;
}

void ResetShellEnvironment() {
  const wchar_t* knobs[] = {L"TVTEST_DEC_LOG", L"TVTEST_DEC_SLEEP_CALL", L"TVTEST_DEC_SLEEP_MS",
                            L"TVTEST_DEC_TAGS", L"TVTEST_FAKEHELPER_TIP", L"TVTEST_FAKEHELPER_INFO",
                            L"TVTEST_FAKEHELPER_EXTS", L"TVTEST_FAKEHELPER_LOG",
                            L"TVTEST_FAKEHELPER_SLEEP_MS", L"TVTEST_FAKEHELPER_HOLD"};
  for (const wchar_t* knob : knobs) SetEnvironmentVariableW(knob, nullptr);
  const wchar_t* root = L"Software\\Kestrune\\Tonvera";
  const wchar_t* values[] = {L"TvxNoExplorerColumns", L"TvxExpColumnLoadTv", L"ColumnsAllowed"};
  for (const wchar_t* value : values) RegDeleteKeyValueW(HKEY_CURRENT_USER, root, value);
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Kestrune\\Tonvera\\DecoderCache");
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Kestrune\\Tonvera\\Ref");
}

REFCLSID ShellTest::ClassId() { return kClassId; }

void ShellTest::SetUp() {
  ResetShellEnvironment();
  RemoveShellRegistration();
  comReady_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  ASSERT_TRUE(comReady_);
  ASSERT_EQ(RunRegsvr32(folder_.Dll(), false), 0);
}

void ShellTest::TearDown() {
  if (comReady_) {
    CoFreeUnusedLibraries();
    CoUninitialize();
  }
  RemoveShellRegistration();
  ResetShellEnvironment();
}
