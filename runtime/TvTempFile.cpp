#include "TvTempFile.h"

#include <windows.h>

#include <mutex>
#include <random>
#include <vector>

#include "TvFileSystem.h"
#include "TvFolder.h"
#include "TvFsCalls.h"
#include "TvPath.h"
#include "TvRandom.h"

namespace tv {

namespace {

constexpr int kNameAttempts = 100;

uint32_t SeedFromClock() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  RandomSeedInputs in;
  in.year = now.wYear;
  in.hour = now.wHour;
  in.minute = now.wMinute;
  in.second = now.wSecond;
  in.milliseconds = now.wMilliseconds;
  LARGE_INTEGER counter = {};
  in.hasCounter = QueryPerformanceCounter(&counter) != FALSE;
  in.counter = uint64_t(counter.QuadPart);
  in.tickCount = GetTickCount();
  return RandomSeed(in);
}

enum class Made { kDone, kNameTaken, kFailed };

// Makes `path` an empty, closed file. A name that must be new is never
// reused, so another program's file is never emptied.
Made MakeEmptyFile(const std::wstring& path, bool mustBeNew) {
  HANDLE file = FsOpen(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       mustBeNew ? CREATE_NEW : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return Made::kDone;
  }
  DWORD error = GetLastError();
  return (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) ? Made::kNameTaken : Made::kFailed;
}

}  // namespace

std::wstring TempFolder() {
  std::wstring folder = FsTempPath();
  if (folder.empty()) folder = L"C:\\Temp";
  return EnsureTrailingBackslash(folder);
}

uint32_t ProcessRandomBelow(uint32_t n) {
  static std::mutex lock;
  static std::mt19937 generator(SeedFromClock());
  std::lock_guard<std::mutex> hold(lock);
  return RandomBelow(generator, n);
}

std::wstring MakeTempFile(const std::wstring& prefix, const std::wstring& extension, bool* created) {
  const std::wstring namePrefix = prefix.empty() ? std::wstring(L"TMP") : prefix;
  const std::wstring folder = TempFolder();
  // Platform names whose extended form was taken stay reserved until the end,
  // so the platform cannot hand out the same name again.
  std::vector<std::wstring> reserved;
  std::wstring path;
  Made made = Made::kFailed;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::wstring base;
    const bool platformName = FsTempFileName(folder, namePrefix, &base);
    if (!platformName) base = folder + namePrefix + std::to_wstring(ProcessRandomBelow(9999)) + L".tmp";
    path = base + extension;
    // The platform's own new file may be rewritten; every other name must be new.
    const bool mustBeNew = !(platformName && extension.empty());
    made = MakeEmptyFile(path, mustBeNew);
    if (made == Made::kFailed) {
      CreateFolderTree(folder);
      made = MakeEmptyFile(path, mustBeNew);
    }
    if (platformName && !extension.empty()) reserved.push_back(base);
    if (made != Made::kNameTaken) break;
  }
  for (const std::wstring& name : reserved) FileDelete(name);
  if (created) *created = made == Made::kDone;
  return path;
}

clTempFile::clTempFile(const std::wstring& prefix, const std::wstring& extension) {
  path_ = MakeTempFile(prefix, extension, &created_);  // in the body: created_ has its own initialiser
}

clTempFile::~clTempFile() {
  if (deleteOnDestroy_) Delete();
}

bool clTempFile::Delete() { return !path_.empty() && FileDelete(path_); }

}  // namespace tv
