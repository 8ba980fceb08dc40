// Rendermill's memory against the length of its source: converts generated
// audio of 1 and of 30 minutes with the test plug-ins (plain, and through a
// non-live effect that renders the whole stream to its temporary file) and
// prints the engine's peak working set for each. A conversion streams, so the
// figures should not grow with the length.
//
// Usage: engine_memory.exe <bin folder of a 64-bit build>
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <thread>
#include <string>
#include <vector>

namespace {

bool Copy(const std::wstring& from, const std::wstring& to) { return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0; }

bool WriteText(const std::wstring& path, const std::string& text) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
  CloseHandle(file);
  return written == text.size();
}

unsigned long long FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (unsigned long long)data.nFileSizeHigh << 32 | data.nFileSizeLow;
}

struct Outcome {
  bool ran = false;
  SIZE_T peakWorkingSet = 0;
  SIZE_T peakPrivate = 0;
  DWORD elapsedMs = 0;
  std::string errors;
};

Outcome RunEngine(const std::wstring& program, const std::wstring& arguments) {
  Outcome outcome;
  SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
  HANDLE errRead = nullptr, errWrite = nullptr;
  if (!CreatePipe(&errRead, &errWrite, &sa, 1 << 16)) return outcome;
  SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
  HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                           OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nul;
  startup.hStdOutput = nul;
  startup.hStdError = errWrite;
  std::wstring command = L"\"" + program + L"\" " + arguments;
  std::vector<wchar_t> line(command.begin(), command.end());
  line.push_back(0);
  PROCESS_INFORMATION info = {};
  const DWORD begun = GetTickCount();
  if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                     &info)) {
    CloseHandle(errWrite);
    errWrite = nullptr;
    std::thread reader([&outcome, errRead] {
      char chunk[4096];
      DWORD got = 0;
      while (ReadFile(errRead, chunk, sizeof chunk, &got, nullptr) && got > 0) outcome.errors.append(chunk, got);
    });
    // Sampled while the engine runs as well: not every system keeps a
    // finished process's counters.
    for (;;) {
      const bool ended = WaitForSingleObject(info.hProcess, 50) == WAIT_OBJECT_0;
      PROCESS_MEMORY_COUNTERS counters = {};
      counters.cb = sizeof counters;
      if (GetProcessMemoryInfo(info.hProcess, &counters, sizeof counters)) {
        const SIZE_T workingSet =
            counters.PeakWorkingSetSize > counters.WorkingSetSize ? counters.PeakWorkingSetSize : counters.WorkingSetSize;
        const SIZE_T privateBytes =
            counters.PeakPagefileUsage > counters.PagefileUsage ? counters.PeakPagefileUsage : counters.PagefileUsage;
        if (workingSet > outcome.peakWorkingSet) outcome.peakWorkingSet = workingSet;
        if (privateBytes > outcome.peakPrivate) outcome.peakPrivate = privateBytes;
        outcome.ran = true;
      }
      if (ended) break;
    }
    outcome.elapsedMs = GetTickCount() - begun;
    reader.join();
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  if (errWrite) CloseHandle(errWrite);
  CloseHandle(errRead);
  CloseHandle(nul);
  return outcome;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::printf("usage: engine_memory.exe <bin folder>\n");
    return 2;
  }
  std::wstring bin = argv[1];
  if (bin.back() != L'\\') bin += L'\\';

  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring root = std::wstring(temp) + L"tv_engine_memory_" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  for (const wchar_t* folder : {L"", L"decoder", L"encoder", L"DSPs"}) CreateDirectoryW((root + folder).c_str(), nullptr);
  const std::wstring program = root + L"Rendermill.exe";
  if (!Copy(bin + L"Rendermill.exe", program) ||
      !Copy(bin + L"testplugins\\decoder\\tvtest_dec.dll", root + L"decoder\\tvtest_dec.dll") ||
      !Copy(bin + L"testplugins\\encoder\\tvtest.dll", root + L"encoder\\tvtest.dll") ||
      !Copy(bin + L"testplugins\\DSPs\\tvtest_dsp.dll", root + L"DSPs\\tvtest_dsp.dll")) {
    std::printf("cannot lay out the program folder from %ls (build Rendermill and tvtest_plugins first)\n",
                bin.c_str());
    return 1;
  }

  struct Case {
    const char* label;
    int minutes;
    const wchar_t* effects;
  } cases[] = {
      {"plain", 1, L""},
      {"plain", 30, L""},
      {"non-live effect", 1, L" -dspeffect1=\"tvtest_dsp=live=0 xor=5\""},
      {"non-live effect", 30, L" -dspeffect1=\"tvtest_dsp=live=0 xor=5\""},
  };
  std::printf("Rendermill peak working set (44.1 kHz 16-bit stereo, test plug-ins)\n");
  std::printf("%-16s %8s %14s %16s %16s %10s\n", "chain", "minutes", "output bytes", "peak working KB",
              "peak private KB", "seconds");
  int status = 0;
  for (const Case& c : cases) {
    const std::wstring source = root + L"source" + std::to_wstring(c.minutes) + L".tvt";
    const std::wstring output = root + L"out.tvo";
    WriteText(source, "TVTEST rate=44100 channels=2 bits=16 block_ms=100 ms=" +
                          std::to_string(c.minutes * 60000LL) + "\r\n");
    DeleteFileW(output.c_str());
    const Outcome outcome = RunEngine(program, L"-silent -infile=\"" + source + L"\" -outfile=\"" + output +
                                                   L"\" -convert_to=tvtest" + c.effects);
    const unsigned long long bytes = FileSize(output);
    if (!outcome.ran || !outcome.errors.empty()) status = 1;
    std::printf("%-16s %8d %14llu %16llu %16llu %10.1f%s%s\n", c.label, c.minutes, bytes,
                (unsigned long long)(outcome.peakWorkingSet / 1024), (unsigned long long)(outcome.peakPrivate / 1024),
                outcome.elapsedMs / 1000.0,
                outcome.errors.empty() ? "" : "  errors: ", outcome.errors.c_str());
    DeleteFileW(output.c_str());
    DeleteFileW(source.c_str());
  }
  for (const wchar_t* file : {L"Rendermill.exe", L"decoder\\tvtest_dec.dll", L"encoder\\tvtest.dll",
                              L"DSPs\\tvtest_dsp.dll"})
    DeleteFileW((root + file).c_str());
  for (const wchar_t* folder : {L"decoder", L"encoder", L"DSPs", L""}) RemoveDirectoryW((root + folder).c_str());
  return status;
}
