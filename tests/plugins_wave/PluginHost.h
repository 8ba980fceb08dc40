// A small host for the tests: loads a plug-in DLL from the installation,
// binds its exports by name and collects the lines it reports, the way the
// suite's programs do.
#pragma once
#include <TvPluginApi.h>

#include <string>
#include <vector>

#include "WaveFixtures.h"

namespace wavetest {

std::wstring binDir();  // TV_BIN_DIR as a Windows path, ending in a backslash
std::wstring scratchDir(const std::wstring& name);  // a fresh folder for one test's files

class Library {
 public:
  explicit Library(const std::wstring& relativePath);
  ~Library();
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  bool loaded() const { return module_ != nullptr; }
  template <typename Fn>
  Fn bind(const char* name) const {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }
  bool has(const char* name) const { return GetProcAddress(module_, name) != nullptr; }

 private:
  HMODULE module_ = nullptr;
};

// The error and information channels as anonymous pipes, with room enough
// that a plug-in never waits to write.
class Channels {
 public:
  Channels();
  ~Channels();
  TvMessageHandles* handles() { return reinterpret_cast<TvMessageHandles*>(record_); }
  std::wstring errors();       // everything written since the last call
  std::wstring information();

 private:
  static std::wstring drain(HANDLE read);
  HANDLE errRead_ = nullptr, errWrite_ = nullptr, infoRead_ = nullptr, infoWrite_ = nullptr;
  HANDLE record_[3] = {nullptr, nullptr, nullptr};
};

bool writeFile(const std::wstring& path, const Bytes& bytes);
Bytes readFile(const std::wstring& path);
bool fileExists(const std::wstring& path);

// The tag block form the plug-ins use (count, then size/name/value/data).
struct Tag {
  std::wstring name, value;
  Bytes data;
  bool operator==(const Tag& o) const { return name == o.name && value == o.value && data == o.data; }
};
Bytes tagBlock(const std::vector<Tag>& tags);
std::vector<Tag> readTagBlock(const BYTE* p, int size);
void PrintTo(const Tag& t, std::ostream* os);

}  // namespace wavetest
