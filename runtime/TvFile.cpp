#include "TvFile.h"

#include <cstddef>
#include <utility>

#include "TvFilePrompt.h"
#include "TvFsCalls.h"

namespace tv {

namespace {
const wchar_t kReadCaption[] = L"File Read Error";
const wchar_t kWriteCaption[] = L"File Write Error";
}  // namespace

clTvFile::~clTvFile() { Close(); }

clTvFile::clTvFile(clTvFile&& other) noexcept { *this = std::move(other); }

clTvFile& clTvFile::operator=(clTvFile&& other) noexcept {
  if (this != &other) {
    Close();
    path_ = std::move(other.path_);
    handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
    showErrors_ = other.showErrors_;
    ownsHandle_ = std::exchange(other.ownsHandle_, false);
  }
  return *this;
}

bool clTvFile::AskRetry(const std::wstring& what, const wchar_t* caption) const {
  return showErrors_ && CurrentFilePrompt().AskRetry(what + L" '" + path_ + L"'", caption);
}

bool clTvFile::Open(const std::wstring& path, DWORD access, DWORD creation, bool showErrors,
                    bool shared, DWORD attributes) {
  Close();
  path_ = path;
  showErrors_ = showErrors;
  const DWORD share = shared ? (FILE_SHARE_READ | FILE_SHARE_WRITE) : 0;
  const wchar_t* caption = (access & GENERIC_WRITE) ? kWriteCaption : kReadCaption;
  for (;;) {
    HANDLE handle = FsOpen(path, access, share, creation, attributes);
    if (handle != INVALID_HANDLE_VALUE) {
      handle_ = handle;
      ownsHandle_ = true;
      return true;
    }
    if (!AskRetry(L"Unable to open", caption)) return false;
  }
}

bool clTvFile::OpenRead(const std::wstring& path, bool showErrors) {
  return Open(path, GENERIC_READ, OPEN_EXISTING, showErrors, true);
}

bool clTvFile::Create(const std::wstring& path, bool showErrors, bool alsoRead) {
  DWORD access = GENERIC_WRITE | (alsoRead ? GENERIC_READ : 0);
  return Open(path, access, CREATE_ALWAYS, showErrors, true);
}

void clTvFile::Attach(HANDLE handle, const std::wstring& name) {
  Close();
  path_ = name;
  handle_ = handle;
  ownsHandle_ = false;
}

bool clTvFile::Seek(int seekMode) {
  if (seekMode == kSeekNone) return true;
  LARGE_INTEGER zero = {};
  return SetFilePointerEx(handle_, zero, nullptr, seekMode == kSeekFromEnd ? FILE_END : FILE_BEGIN) !=
         FALSE;
}

DWORD clTvFile::Read(void* buffer, DWORD count, int seekMode, bool* failed) {
  if (failed) *failed = false;
  if (count == 0) return 0;
  if (!buffer) {  // nothing to read into: a caller's mistake, not a disk's
    if (failed) *failed = true;
    return 0;
  }
  auto* bytes = static_cast<BYTE*>(buffer);
  DWORD got = 0;
  bool seeked = false;
  for (;;) {
    bool bad = true;
    if (IsOpen() && (seeked || Seek(seekMode))) {
      // After a partial read a retry goes on from where the data stopped.
      seeked = true;
      DWORD n = 0;
      SetLastError(0);
      BOOL ok = ReadFile(handle_, bytes + got, count - got, &n, nullptr);
      DWORD error = GetLastError();
      got += n;
      bad = (!ok || got < count) && error != 0 && error != ERROR_HANDLE_EOF;
    }
    if (!bad) return got;
    if (!AskRetry(L"Unable to read from", kReadCaption)) {
      if (failed) *failed = true;
      return got;
    }
  }
}

bool clTvFile::Write(const void* buffer, DWORD count, int seekMode) {
  if (count == 0) return true;
  if (!buffer) {
    if (showErrors_) CurrentFilePrompt().Tell(L"Error writing a NULL buffer to file", kWriteCaption);
    return false;
  }
  const auto* bytes = static_cast<const BYTE*>(buffer);
  DWORD done = 0;
  bool seeked = false;
  for (;;) {
    if (IsOpen() && (seeked || Seek(seekMode))) {
      // After a partial write a retry goes on with the bytes not yet written,
      // so nothing is written twice.
      seeked = true;
      while (done < count) {
        DWORD n = 0;
        BOOL ok = WriteFile(handle_, bytes + done, count - done, &n, nullptr);
        done += n;
        if (!ok || n == 0) break;
      }
      if (done == count) return true;
    }
    if (!AskRetry(L"Unable to write to", kWriteCaption)) return false;
  }
}

namespace {
// One write takes at most MAXDWORD bytes.
bool FitsOneWrite(size_t bytes) {
  if constexpr (sizeof(size_t) > sizeof(DWORD)) return bytes <= size_t(MAXDWORD);
  return true;
}
}  // namespace

bool clTvFile::WriteText(const std::string& text, bool addLineEnd) {
  if (!FitsOneWrite(text.size() + 2)) return false;
  std::string line = addLineEnd ? text + "\r\n" : text;
  return Write(line.data(), DWORD(line.size()), kSeekNone);
}

bool clTvFile::WriteText(const std::wstring& text, bool addLineEnd) {
  if (!FitsOneWrite((text.size() + 2) * sizeof(wchar_t))) return false;
  std::wstring line = addLineEnd ? text + L"\r\n" : text;
  return Write(line.data(), DWORD(line.size() * sizeof(wchar_t)), kSeekNone);
}

uint64_t clTvFile::Size() const {
  LARGE_INTEGER size = {};
  if (!IsOpen() || !GetFileSizeEx(handle_, &size)) return 0;
  return uint64_t(size.QuadPart);
}

void clTvFile::Close() {
  if (ownsHandle_ && IsOpen()) CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
  ownsHandle_ = false;
}

bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>* data, bool showErrors) {
  data->clear();
  clTvFile file;
  if (!file.OpenRead(path, showErrors)) return false;
  uint64_t size = file.Size();
  if (size > uint64_t(MAXDWORD) || size > uint64_t(SIZE_MAX)) return false;
  data->resize(size_t(size));
  if (size == 0) return true;
  bool failed = false;
  DWORD got = file.Read(data->data(), DWORD(size), kSeekFromStart, &failed);
  if (failed || got != size) {
    data->clear();
    return false;
  }
  return true;
}

}  // namespace tv
