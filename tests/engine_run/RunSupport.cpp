#include "RunSupport.h"

#include <atomic>
#include <thread>

namespace runtest {

namespace {

std::wstring Extended(const std::wstring& path) { return L"\\\\?\\" + path; }

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Extended(folder + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + L"\\");
      } else {
        SetFileAttributesW(Extended(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(Extended(path).c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(Extended(folder).c_str());
}

struct PipeReader {
  HANDLE read = nullptr;
  std::string bytes;
  std::thread worker;

  void Start() {
    worker = std::thread([this] {
      char chunk[65536];
      DWORD got = 0;
      while (ReadFile(read, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    });
  }
  void Finish() {
    if (worker.joinable()) worker.join();
    if (read) CloseHandle(read);
    read = nullptr;
  }
};

bool MakePipe(HANDLE& read, HANDLE& write, bool childReads) {
  SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
  if (!CreatePipe(&read, &write, &sa, 0)) return false;
  // Only the child's end is inherited.
  SetHandleInformation(childReads ? write : read, HANDLE_FLAG_INHERIT, 0);
  return true;
}

const wchar_t* const kKnobPrefixes[] = {L"TVTEST_DEC_", L"TVTEST_DEC2_", L"TVTEST_ENC_", L"TVTEST_DSP_"};
const wchar_t* const kKnobNames[] = {
    L"NAME", L"LOG", L"REFUSE_CREATE", L"FAIL", L"ERROR", L"ERROR_TEXT", L"INFO", L"SLEEP_CALL", L"SLEEP_MS",
    L"ACTION", L"COMMUNICATE", L"MISBEHAVE", L"CRASH", L"DECODES", L"DESCRIPTION", L"PROPERTY_ELEMENTS",
    L"DEFAULT_PROPERTY_ELEMENTS", L"RATE", L"CHANNELS", L"BITS", L"LENGTH_MS", L"BLOCK_MS", L"BITRATE",
    L"EXTENSIBLE", L"TAGS", L"PROPERTIES", L"EXTRA_BYTES", L"EXTRA_BLOCK", L"EXTENSION", L"NEED_HQ",
    L"SEND_RAW", L"WRITE_TAGS", L"XOR", L"LIVE"};

bool CopyInto(const std::wstring& from, const std::wstring& to) { return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0; }

}  // namespace

std::wstring BinFolder() {
  wchar_t dir[MAX_PATH] = {};
  GetEnvironmentVariableW(L"TV_BIN_DIR", dir, MAX_PATH);
  std::wstring path(dir);
  if (path.empty()) {
    GetCurrentDirectoryW(MAX_PATH, dir);  // the tests run in the bin folder
    path = dir;
  }
  if (!path.empty() && path[0] == L'/') path = L"Z:" + path;  // a host path: Wine's Z: drive
  for (wchar_t& c : path) {
    if (c == L'/') c = L'\\';
  }
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path;
}

std::string ReadFileBytes(const std::wstring& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
  CloseHandle(file);
  return ok;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string TestPattern(size_t bytes, unsigned char xorMask) {
  std::string data(bytes, '\0');
  for (size_t k = 0; k < bytes; ++k) data[k] = char((k % 251) ^ xorMask);
  return data;
}

std::string Utf16(const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) {
    bytes += char(c & 0xFF);
    bytes += char((c >> 8) & 0xFF);
  }
  return bytes;
}

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 128 ? char(c) : '?';
  return out;
}

void SetKnob(const std::wstring& name, const std::wstring& value) {
  SetEnvironmentVariableW(name.c_str(), value.empty() ? nullptr : value.c_str());
}

void ClearAllKnobs() {
  for (const wchar_t* prefix : kKnobPrefixes) {
    for (const wchar_t* name : kKnobNames) SetKnob(std::wstring(prefix) + name, L"");
  }
}

clProgramFolder::clProgramFolder() {
  static std::atomic<unsigned> counter{0};
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  root_ = std::wstring(temp) + L"tv_run_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
          std::to_wstring(counter++) + L"\\";
  RemoveTree(root_);
  const std::wstring bin = BinFolder();
  ready_ = CreateDirectoryW(root_.c_str(), nullptr) != 0;
  for (const wchar_t* folder : {L"decoder", L"encoder", L"DSPs", L"work"})
    ready_ = ready_ && CreateDirectoryW((root_ + folder).c_str(), nullptr) != 0;
  ready_ = ready_ && CopyInto(bin + L"Rendermill.exe", Program()) &&
           CopyInto(bin + L"testplugins\\decoder\\tvtest_dec.dll", root_ + L"decoder\\tvtest_dec.dll") &&
           CopyInto(bin + L"testplugins\\encoder\\tvtest.dll", root_ + L"encoder\\tvtest.dll") &&
           CopyInto(bin + L"testplugins\\DSPs\\tvtest_dsp.dll", root_ + L"DSPs\\tvtest_dsp.dll");
}

void clProgramFolder::SetLogKnobs() const {
  SetKnob(L"TVTEST_DEC_LOG", LogPath());
  SetKnob(L"TVTEST_ENC_LOG", LogPath());
  SetKnob(L"TVTEST_DSP_LOG", LogPath());
}

clProgramFolder::~clProgramFolder() { RemoveTree(root_); }

std::vector<std::string> clProgramFolder::LogLines() const {
  std::vector<std::string> lines;
  const std::string text = ReadFileBytes(LogPath());
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::wstring clProgramFolder::MakeSource(const std::wstring& name, const std::string& header) const {
  const std::wstring path = Work(name);
  WriteFileBytes(path, header + "\r\n");
  return path;
}

ChildResult RunChild(const ChildOptions& options) {
  ChildResult result;
  PipeReader out, err;
  HANDLE outWrite = nullptr, errWrite = nullptr, inRead = nullptr, inWrite = nullptr;
  if (!MakePipe(out.read, outWrite, false) || !MakePipe(err.read, errWrite, false)) return result;
  SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
  HANDLE input = INVALID_HANDLE_VALUE;
  if (options.inputPipe) {
    if (!MakePipe(inRead, inWrite, true)) return result;
    input = inRead;
  } else {
    input = CreateFileW(options.inputFile.empty() ? L"NUL" : options.inputFile.c_str(), GENERIC_READ,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, OPEN_EXISTING, 0, nullptr);
  }

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = outWrite;
  startup.hStdError = errWrite;
  std::wstring command = L"\"" + options.program + L"\" " + options.arguments;
  std::vector<wchar_t> buffer(command.begin(), command.end());
  buffer.push_back(0);
  PROCESS_INFORMATION info = {};
  result.started = CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                  nullptr, &startup, &info) != FALSE;
  CloseHandle(outWrite);
  CloseHandle(errWrite);
  if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
  out.Start();
  err.Start();

  std::thread feeder;
  if (options.inputPipe) {
    feeder = std::thread([&options, inWrite] {
      for (const std::string& piece : options.inputPieces) {
        DWORD written = 0;
        if (!piece.empty() && !WriteFile(inWrite, piece.data(), DWORD(piece.size()), &written, nullptr)) break;
        if (options.pauseBetweenPiecesMs) Sleep(options.pauseBetweenPiecesMs);
      }
      CloseHandle(inWrite);  // the end of the stream
    });
  }

  if (result.started) {
    const DWORD begun = GetTickCount();
    bool watching = static_cast<bool>(options.whileRunning);
    for (;;) {
      if (WaitForSingleObject(info.hProcess, 20) == WAIT_OBJECT_0) {
        result.finished = true;
        break;
      }
      if (watching && options.whileRunning()) watching = false;
      if (GetTickCount() - begun > options.safetyLimitMs) {
        TerminateProcess(info.hProcess, 0xDEAD);
        WaitForSingleObject(info.hProcess, 5000);
        break;
      }
    }
    GetExitCodeProcess(info.hProcess, &result.exitCode);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  if (feeder.joinable()) feeder.join();
  else if (inWrite) CloseHandle(inWrite);
  out.Finish();
  err.Finish();
  result.out = out.bytes;
  result.err = err.bytes;
  return result;
}

std::vector<std::wstring> Utf16Lines(const std::string& bytes) {
  std::wstring text(bytes.size() / 2, L'\0');
  for (size_t i = 0; i < text.size(); ++i)
    text[i] = wchar_t(static_cast<unsigned char>(bytes[2 * i]) | (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

bool Contains(const std::string& haystack, const std::string& needle) {
  return haystack.find(needle) != std::string::npos;
}

int FindLine(const std::vector<std::string>& lines, const std::string& text, size_t from) {
  for (size_t i = from; i < lines.size(); ++i) {
    if (lines[i].find(text) != std::string::npos) return int(i);
  }
  return -1;
}

int CountLines(const std::vector<std::string>& lines, const std::string& text) {
  int count = 0;
  for (const std::string& line : lines) count += line.find(text) != std::string::npos ? 1 : 0;
  return count;
}

}  // namespace runtest
