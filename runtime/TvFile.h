// The file object: one operating-system handle, opened by path or attached,
// with optional Retry/Cancel boxes (TvFilePrompt.h) on failure.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tv {

// Where a read or write happens: at the start of the file, at its end, or at
// the current position (no seek).
constexpr int kSeekFromStart = 0;
constexpr int kSeekFromEnd = 1;
constexpr int kSeekNone = 2;

class clTvFile {
 public:
  clTvFile() = default;
  virtual ~clTvFile();  // closes the handle when the object opened it
  clTvFile(const clTvFile&) = delete;
  clTvFile& operator=(const clTvFile&) = delete;
  clTvFile(clTvFile&& other) noexcept;
  clTvFile& operator=(clTvFile&& other) noexcept;

  // Opens `path` (long paths in the "\\?\" form); share mode is read and write
  // when `shared`, none otherwise. With `showErrors` a failure asks
  // Retry/Cancel ("File Write Error" when write access was asked, else
  // "File Read Error"); Cancel returns false.
  virtual bool Open(const std::wstring& path, DWORD access, DWORD creation, bool showErrors,
                    bool shared, DWORD attributes = FILE_ATTRIBUTE_NORMAL);
  // The usual calls: an existing file for reading (shared), or a new file
  // (create always, shared) for writing, or reading and writing.
  bool OpenRead(const std::wstring& path, bool showErrors);
  bool Create(const std::wstring& path, bool showErrors, bool alsoRead = false);
  // Takes a handle the object does not own (standard handles, pipe ends):
  // closing leaves it open. `name` only serves the failure messages.
  virtual void Attach(HANDLE handle, const std::wstring& name = std::wstring());

  // Reads up to `count` bytes; returns the bytes read. A short read at the end
  // of the file is no failure; `failed` tells whether the read failed.
  virtual DWORD Read(void* buffer, DWORD count, int seekMode = kSeekNone, bool* failed = nullptr);
  // Writes all `count` bytes; a null buffer with count 0 is a successful write.
  // After a partial write, Retry continues with the bytes not yet written.
  virtual bool Write(const void* buffer, DWORD count, int seekMode = kSeekNone);
  // Text without its terminating zero, then "\r\n" in the same width when asked;
  // one write at the current position.
  virtual bool WriteText(const std::string& text, bool addLineEnd);
  virtual bool WriteText(const std::wstring& text, bool addLineEnd);

  virtual uint64_t Size() const;  // 0 without a handle
  virtual void Close();

  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Handle() const { return handle_; }
  const std::wstring& Path() const { return path_; }
  bool ShowErrors() const { return showErrors_; }
  void SetShowErrors(bool show) { showErrors_ = show; }

 private:
  bool Seek(int seekMode);
  bool AskRetry(const std::wstring& what, const wchar_t* caption) const;

  std::wstring path_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  bool showErrors_ = false;
  bool ownsHandle_ = false;
};

// Reads a whole file into memory; false when it cannot be opened, is too
// large for memory, or is not read completely.
bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>* data, bool showErrors = false);

}  // namespace tv
