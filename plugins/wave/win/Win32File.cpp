#include "Win32File.h"

#include <cstring>

namespace tvw {

namespace {
constexpr std::size_t kWriteBuffer = 1u << 20;
constexpr DWORD kMaxIo = 1u << 30;  // one ReadFile/WriteFile moves at most this

bool seekTo(HANDLE h, std::uint64_t offset) {
  LARGE_INTEGER li;
  li.QuadPart = LONGLONG(offset);
  return SetFilePointerEx(h, li, nullptr, FILE_BEGIN) != 0;
}
}  // namespace

void FileHandle::reset(HANDLE h) {
  if (valid()) CloseHandle(h_);
  h_ = h;
}

bool FileSource::open(const std::wstring& path) {
  file_.reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file_.valid()) return false;
  LARGE_INTEGER li;
  if (!GetFileSizeEx(file_.get(), &li)) {
    file_.reset();
    return false;
  }
  size_ = std::uint64_t(li.QuadPart);
  return true;
}

bool FileSource::readAt(std::uint64_t offset, void* out, std::size_t n) {
  if (!file_.valid() || offset > size_ || n > size_ - offset) return false;
  if (!seekTo(file_.get(), offset)) return false;
  auto* p = static_cast<std::uint8_t*>(out);
  while (n > 0) {
    DWORD want = n > kMaxIo ? kMaxIo : DWORD(n), got = 0;
    if (!ReadFile(file_.get(), p, want, &got, nullptr) || got == 0) return false;
    p += got;
    n -= got;
  }
  return true;
}

bool FileSink::create(const std::wstring& path) {
  file_.reset(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  end_ = 0;
  buffer_.clear();
  failed_ = !file_.valid();
  return file_.valid();
}

bool FileSink::openExisting(const std::wstring& path) {
  file_.reset(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  buffer_.clear();
  failed_ = !file_.valid();
  end_ = 0;
  LARGE_INTEGER li;
  if (file_.valid() && GetFileSizeEx(file_.get(), &li)) end_ = std::uint64_t(li.QuadPart);
  return file_.valid();
}

bool FileSink::rawWriteAt(std::uint64_t offset, const void* data, std::size_t n) {
  if (!file_.valid() || !seekTo(file_.get(), offset)) return false;
  const auto* p = static_cast<const std::uint8_t*>(data);
  while (n > 0) {
    DWORD want = n > kMaxIo ? kMaxIo : DWORD(n), done = 0;
    if (!WriteFile(file_.get(), p, want, &done, nullptr) || done == 0) return false;
    p += done;
    n -= done;
  }
  return true;
}

bool FileSink::flush() {
  if (buffer_.empty()) return !failed_;
  if (!rawWriteAt(end_, buffer_.data(), buffer_.size())) failed_ = true;
  end_ += buffer_.size();
  buffer_.clear();
  return !failed_;
}

bool FileSink::write(const void* data, std::size_t n) {
  if (failed_) return false;
  if (buffer_.size() + n > kWriteBuffer) {
    if (!flush()) return false;
    if (n >= kWriteBuffer) {  // large pieces go straight to the file
      if (!rawWriteAt(end_, data, n)) {
        failed_ = true;
        return false;
      }
      end_ += n;
      return true;
    }
  }
  buffer_.append(static_cast<const char*>(data), n);
  return true;
}

bool FileSink::writeAt(std::uint64_t offset, const void* data, std::size_t n) {
  if (!flush()) return false;
  if (offset > end_ || n > end_ - offset) return false;
  if (!rawWriteAt(offset, data, n)) failed_ = true;
  return !failed_;
}

bool FileSink::readAt(std::uint64_t offset, void* out, std::size_t n) {
  if (!flush() || offset > end_ || n > end_ - offset || !seekTo(file_.get(), offset)) return false;
  auto* p = static_cast<std::uint8_t*>(out);
  while (n > 0) {
    DWORD want = n > kMaxIo ? kMaxIo : DWORD(n), got = 0;
    if (!ReadFile(file_.get(), p, want, &got, nullptr) || got == 0) return false;
    p += got;
    n -= got;
  }
  return true;
}

bool FileSink::close() {
  if (!file_.valid()) return !failed_;
  bool ok = flush();
  file_.reset();
  return ok;
}

std::wstring siblingTempPath(const std::wstring& path) {
  for (unsigned i = 0; i < 1000; ++i) {
    std::wstring candidate = path + L".tvtag" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(i);
    if (GetFileAttributesW(candidate.c_str()) == INVALID_FILE_ATTRIBUTES) return candidate;
  }
  return path + L".tvtag";
}

bool replaceFile(const std::wstring& from, const std::wstring& to) {
  DWORD attributes = GetFileAttributesW(to.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesW(to.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

std::wstring lastErrorText() {
  DWORD code = GetLastError();
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                 code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring out = text ? text : L"";
  if (text) LocalFree(text);
  while (!out.empty() && (out.back() == L'\r' || out.back() == L'\n' || out.back() == L' ')) out.pop_back();
  if (out.empty()) out = L"system error " + std::to_wstring(code);
  return out;
}

}  // namespace tvw
