// TvShell's cost as Explorer sees it: the info tip of each of 200 WAVE files
// (first request, which starts TipfetchInfo, and the cached second request),
// and the column data of the folder (the column table with its extension
// list, then every default column of every file). Prints the figures; not a
// test.
//
// Usage: shell_bench.exe <bin folder> [files]   (the bin folder holds
// TvShell.dll, TipfetchInfo.exe and decoder\WAVE.dll)
#include <windows.h>
#include <oleauto.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// {FED7043D-346A-414D-ACD7-550D052499A7}
const CLSID kClassId = {0xFED7043D, 0x346A, 0x414D, {0xAC, 0xD7, 0x55, 0x0D, 0x05, 0x24, 0x99, 0xA7}};

double NowMs() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * double(counter.QuadPart) / double(frequency.QuadPart);
}

bool WriteWave(const std::wstring& path, int ms) {
  const uint32_t data = uint32_t(44100ull * 4 * ms / 1000);
  std::vector<uint8_t> b;
  auto put = [&b](uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(uint8_t(v >> (8 * i)));
  };
  auto id = [&b](const char* s) { b.insert(b.end(), s, s + 4); };
  id("RIFF"); put(36 + data, 4); id("WAVE"); id("fmt "); put(16, 4); put(1, 2); put(2, 2); put(44100, 4);
  put(176400, 4); put(4, 2); put(16, 2); id("data"); put(data, 4);
  b.resize(b.size() + data, 0);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, b.data(), DWORD(b.size()), &written, nullptr) && written == b.size();
  CloseHandle(file);
  return ok;
}

struct Figures {
  std::vector<double> samples;
  void Add(double ms) { samples.push_back(ms); }
  void Print(const char* what) {
    if (samples.empty()) return;
    std::vector<double> s = samples;
    std::sort(s.begin(), s.end());
    double total = 0;
    for (double v : s) total += v;
    std::printf("%-34s n=%4zu  mean %9.3f ms  median %9.3f ms  max %9.3f ms  total %10.1f ms\n", what, s.size(),
                total / s.size(), s[s.size() / 2], s.back(), total);
  }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: shell_bench <bin folder> [files]\n");
    return 2;
  }
  std::wstring bin = argv[1];
  if (bin.back() != L'\\') bin += L'\\';
  const int files = argc > 2 ? _wtoi(argv[2]) : 200;

  // A private program folder, so nothing else in bin\decoder takes part.
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"tv shell bench " + std::to_wstring(GetCurrentProcessId()) + L"\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  CreateDirectoryW((folder + L"decoder").c_str(), nullptr);
  CreateDirectoryW((folder + L"data").c_str(), nullptr);
  if (!CopyFileW((bin + L"TvShell.dll").c_str(), (folder + L"TvShell.dll").c_str(), FALSE) ||
      !CopyFileW((bin + L"TipfetchInfo.exe").c_str(), (folder + L"TipfetchInfo.exe").c_str(), FALSE) ||
      !CopyFileW((bin + L"decoder\\WAVE.dll").c_str(), (folder + L"decoder\\WAVE.dll").c_str(), FALSE)) {
    std::fprintf(stderr, "TvShell.dll, TipfetchInfo.exe or decoder\\WAVE.dll missing in the bin folder\n");
    return 1;
  }
  std::vector<std::wstring> paths;
  for (int i = 0; i < files; ++i) {
    paths.push_back(folder + L"data\\track " + std::to_wstring(i) + L".wav");
    if (!WriteWave(paths.back(), 1000 + i * 10)) return 1;
  }

  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HMODULE library = LoadLibraryW((folder + L"TvShell.dll").c_str());
  auto getClassObject =
      reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(GetProcAddress(library, "DllGetClassObject"));
  IClassFactory* factory = nullptr;
  if (!getClassObject || FAILED(getClassObject(kClassId, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
    std::fprintf(stderr, "TvShell.dll gives no class object\n");
    return 1;
  }

  Figures firstTip, cachedTip, table, perFile, perValue;
  for (const std::wstring& path : paths) {
    IPersistFile* persist = nullptr;
    factory->CreateInstance(nullptr, IID_IPersistFile, reinterpret_cast<void**>(&persist));
    IQueryInfo* info = nullptr;
    persist->QueryInterface(IID_IQueryInfo, reinterpret_cast<void**>(&info));
    persist->Load(path.c_str(), STGM_READ);
    for (Figures* figures : {&firstTip, &cachedTip}) {
      PWSTR tip = nullptr;
      const double start = NowMs();
      info->GetInfoTip(0, &tip);
      figures->Add(NowMs() - start);
      CoTaskMemFree(tip);
    }
    info->Release();
    persist->Release();
  }

  IColumnProvider* provider = nullptr;
  factory->CreateInstance(nullptr, IID_IColumnProvider, reinterpret_cast<void**>(&provider));
  SHCOLUMNINIT init = {};
  provider->Initialize(&init);
  std::vector<SHCOLUMNINFO> columns;
  const double tableStart = NowMs();
  for (DWORD index = 0;; ++index) {
    SHCOLUMNINFO column = {};
    if (provider->GetColumnInfo(index, &column) != S_OK) break;
    columns.push_back(column);
  }
  table.Add(NowMs() - tableStart);
  int values = 0;
  for (const std::wstring& path : paths) {
    SHCOLUMNDATA data = {};
    data.dwFileAttributes = FILE_ATTRIBUTE_NORMAL;
    wchar_t extension[] = L".wav";
    data.pwszExt = extension;
    wcsncpy(data.wszFile, path.c_str(), MAX_PATH - 1);
    const double fileStart = NowMs();
    for (const SHCOLUMNINFO& column : columns) {
      VARIANT value;
      VariantInit(&value);
      const double valueStart = NowMs();
      if (provider->GetItemData(&column.scid, &data, &value) == S_OK) ++values;
      perValue.Add(NowMs() - valueStart);
      VariantClear(&value);
    }
    perFile.Add(NowMs() - fileStart);
  }
  provider->Release();
  factory->Release();

  std::printf("TvShell: %d WAVE files, %zu columns, %d values given\n", files, columns.size(), values);
  firstTip.Print("info tip, first request");
  cachedTip.Print("info tip, cached request");
  table.Print("column table with extension list");
  perFile.Print("column data, one file (all cols)");
  perValue.Print("column data, one value");
  CoUninitialize();
  return 0;
}
