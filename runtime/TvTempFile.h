// The temporary folder and named temporary files.
#pragma once
#include <cstdint>
#include <string>

namespace tv {

// The platform's temporary path, or "C:\Temp" when it cannot be had; always
// with a trailing backslash.
std::wstring TempFolder();

// Makes a new, empty, closed temporary file in the temporary folder and
// returns its path. The prefix defaults to "TMP". The name is the platform's
// unique temporary name (prefix + a number + ".tmp"); when the platform cannot
// give one it is the folder, the prefix, a random number from 0 to 9998 and
// ".tmp". An extension is appended to that name ("DBG" and ".TXT" give a name
// such as DBG1A.tmp.TXT). A name already in use is never taken over: another
// is chosen. A missing temporary folder is created. `created` tells whether
// the file could be made; the path is returned either way, so that a
// caller's open of it reports the name.
std::wstring MakeTempFile(const std::wstring& prefix = std::wstring(),
                          const std::wstring& extension = std::wstring(), bool* created = nullptr);

// A random number from 0 to n-1 from the process's Mersenne Twister, seeded
// from the clock on first use (only fallback names use it). Thread-safe.
uint32_t ProcessRandomBelow(uint32_t n);

// A temporary file by path: made on construction, deleted on request, or on
// destruction when asked to.
class clTempFile {
 public:
  explicit clTempFile(const std::wstring& prefix = std::wstring(),
                      const std::wstring& extension = std::wstring());
  virtual ~clTempFile();
  clTempFile(const clTempFile&) = delete;
  clTempFile& operator=(const clTempFile&) = delete;

  const std::wstring& Path() const { return path_; }
  bool Created() const { return created_; }
  // Deletes the file (clearing a read-only attribute when needed).
  virtual bool Delete();
  void SetDeleteOnDestroy(bool deleteOnDestroy) { deleteOnDestroy_ = deleteOnDestroy; }

 private:
  std::wstring path_;
  bool created_ = false;
  bool deleteOnDestroy_ = false;
};

}  // namespace tv
