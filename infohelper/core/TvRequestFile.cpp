#include "TvRequestFile.h"

#include <windows.h>

#include <algorithm>

namespace tv {

bool clRequestFile::OpenForAnswer(const std::wstring& path) {
  return file_.Open(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, false, true);
}

bool clRequestFile::OpenExisting(const std::wstring& path) {
  return file_.Open(path, GENERIC_READ, OPEN_EXISTING, false, true);
}

bool clRequestFile::CreateAnew(const std::wstring& path) {
  return file_.Open(path, GENERIC_WRITE, CREATE_ALWAYS, false, true);
}

bool clRequestFile::ReadHead(size_t maxBytes, std::vector<uint8_t>& data, bool* whole) {
  data.clear();
  if (whole) *whole = false;
  if (!file_.IsOpen()) return false;
  const uint64_t size = file_.Size();
  const size_t wanted = size_t(std::min<uint64_t>(size, maxBytes));
  data.resize(wanted);
  size_t got = 0;
  int seek = kSeekFromStart;
  while (got < wanted) {
    DWORD chunk = DWORD(std::min<size_t>(wanted - got, 1u << 20));
    bool failed = false;
    DWORD n = file_.Read(data.data() + got, chunk, seek, &failed);
    seek = kSeekNone;
    if (failed) {
      data.clear();
      return false;
    }
    if (n == 0) break;  // the file shrank under us
    got += n;
  }
  data.resize(got);
  if (whole) *whole = got == size;
  return true;
}

bool clRequestFile::Cut() {
  if (!file_.IsOpen()) return false;
  LARGE_INTEGER zero = {};
  return SetFilePointerEx(file_.Handle(), zero, nullptr, FILE_BEGIN) && SetEndOfFile(file_.Handle());
}

bool clRequestFile::Write(const std::vector<uint8_t>& data) {
  if (!file_.IsOpen()) return false;
  size_t done = 0;
  while (done < data.size()) {
    DWORD chunk = DWORD(std::min<size_t>(data.size() - done, 1u << 20));
    if (!file_.Write(data.data() + done, chunk, kSeekNone)) return false;
    done += chunk;
  }
  return true;
}

}  // namespace tv
