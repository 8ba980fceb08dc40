// Files for the format code: a read-only source and a buffered, writable
// sink over Win32 handles, each owning its handle.
#pragma once
#include <windows.h>

#include <string>

#include "WaveIo.h"

namespace tvw {

class FileHandle {
 public:
  FileHandle() = default;
  explicit FileHandle(HANDLE h) : h_(h) {}
  ~FileHandle() { reset(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  void reset(HANDLE h = INVALID_HANDLE_VALUE);
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }

 private:
  HANDLE h_ = INVALID_HANDLE_VALUE;
};

class FileSource : public ByteSource {
 public:
  // Shared for reading, so a player may have the file open too.
  bool open(const std::wstring& path);
  void close() { file_.reset(); }
  std::uint64_t size() const override { return size_; }
  bool readAt(std::uint64_t offset, void* out, std::size_t n) override;

 private:
  FileHandle file_;
  std::uint64_t size_ = 0;
};

class FileSink : public ByteSink {
 public:
  ~FileSink() override { close(); }
  bool create(const std::wstring& path);      // replaces an existing file
  bool openExisting(const std::wstring& path); // read and write, for in-place rewriting
  bool write(const void* data, std::size_t n) override;
  bool writeAt(std::uint64_t offset, const void* data, std::size_t n) override;
  std::uint64_t position() const override { return end_ + buffer_.size(); }
  bool readAt(std::uint64_t offset, void* out, std::size_t n);
  bool flush();
  bool close();  // flushes; false when anything failed

 private:
  bool rawWriteAt(std::uint64_t offset, const void* data, std::size_t n);
  FileHandle file_;
  std::string buffer_;
  std::uint64_t end_ = 0;  // bytes already in the file
  bool failed_ = false;
};

// The path of a not yet existing file beside `path`, for writing a
// replacement that is moved over the original only once it is complete.
std::wstring siblingTempPath(const std::wstring& path);
// Moves `from` over `to` (replacing it); the original stays when this fails.
bool replaceFile(const std::wstring& from, const std::wstring& to);
std::wstring lastErrorText();

}  // namespace tvw
