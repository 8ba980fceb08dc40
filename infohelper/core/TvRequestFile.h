// A request file as TipfetchInfo uses it: opened without retry prompts and
// shared for reading and writing (the caller keeps it open while waiting),
// read from its start, cut to zero length and written from its start.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "TvFile.h"

namespace tv {

class clRequestFile {
 public:
  clRequestFile() = default;
  virtual ~clRequestFile() = default;
  clRequestFile(const clRequestFile&) = delete;
  clRequestFile& operator=(const clRequestFile&) = delete;

  // Read and write, created when missing.
  virtual bool OpenForAnswer(const std::wstring& path);
  // Read only; the file must exist.
  virtual bool OpenExisting(const std::wstring& path);
  // Write, always made anew (empty).
  virtual bool CreateAnew(const std::wstring& path);

  // Reads the file's first `maxBytes` bytes (fewer when it is shorter).
  // `whole` tells whether that was the entire file.
  virtual bool ReadHead(size_t maxBytes, std::vector<uint8_t>& data, bool* whole = nullptr);
  // Cuts the file to zero length; the next write starts at its beginning.
  virtual bool Cut();
  // Writes all bytes at the current position.
  virtual bool Write(const std::vector<uint8_t>& data);
  virtual void Close() { file_.Close(); }
  bool IsOpen() const { return file_.IsOpen(); }

 private:
  clTvFile file_;
};

}  // namespace tv
