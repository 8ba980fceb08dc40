#include "TvListFileIo.h"

#include "TvFileSystem.h"
#include "TvListFile.h"
#include "TvTempFile.h"

namespace tv {

bool WriteListEntry(clTvFile& file, const std::wstring& path) { return file.WriteText(path, true); }

bool WriteListFile(clTvFile& file, const std::vector<std::wstring>& paths) {
  for (const std::wstring& path : paths)
    if (!WriteListEntry(file, path)) return false;
  return true;
}

std::wstring MakeListFile(const std::vector<std::wstring>& paths, const std::wstring& prefix,
                          bool showErrors) {
  const std::wstring listPath = MakeTempFile(prefix);
  clTvFile file;
  bool written = file.Open(listPath, GENERIC_WRITE, CREATE_ALWAYS, showErrors, true) &&
                 WriteListFile(file, paths);
  file.Close();
  if (written) return listPath;
  FileDelete(listPath);
  return std::wstring();
}

bool ReadListFile(const std::wstring& path, std::vector<std::wstring>* paths, bool showErrors) {
  paths->clear();
  clTvFile file;
  if (!file.Open(path, GENERIC_READ, OPEN_EXISTING, showErrors, false)) return false;
  std::string bytes;
  char chunk[64 * 1024];
  bool failed = false;
  for (;;) {
    DWORD got = file.Read(chunk, DWORD(sizeof(chunk)), kSeekNone, &failed);
    bytes.append(chunk, got);
    if (failed || got == 0) break;
  }
  *paths = ParseListBytes(bytes.data(), bytes.size());
  return !failed;
}

}  // namespace tv
