// A private program folder for TvShell.dll (a folder name with spaces),
// registered with the real regsvr32 and driven through COM; the helper beside
// it is the real TipfetchInfo.exe, a stand-in, or none.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "clTagElement.h"

// <TV_BIN_DIR> with a trailing backslash.
std::wstring BinDir();

bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadFileBytes(const std::wstring& path);
// A PCM WAVE file: 44 100 Hz, 2 channels, 16 bits, `ms` of silence.
std::vector<uint8_t> WaveFileBytes(int ms);
// Writes tags into a WAVE file through the reference decoder bin\decoder\WAVE.dll.
bool TagWaveFile(const std::wstring& path, const std::vector<clTagElement>& tags);
// Moves the file's last-write time on by `seconds`.
bool TouchFile(const std::wstring& path, int seconds);
// Lines of a text file (UTF-8) that contain `part`.
int CountLinesWith(const std::wstring& path, const std::string& part);

// Exit code of "regsvr32 /s [/u] <dll>", or -1 when it did not run or end.
int RunRegsvr32(const std::wstring& dll, bool unregister);

// Every key registration writes, removed (before and after each test).
void RemoveShellRegistration();
bool ClassesKeyExists(const std::wstring& path);
std::wstring ClassesDefaultValue(const std::wstring& path, const wchar_t* name = nullptr);

enum class HelperKind { Real, Fake, None };

class ShellFolder {
 public:
  explicit ShellFolder(HelperKind helper);
  ~ShellFolder();
  ShellFolder(const ShellFolder&) = delete;
  ShellFolder& operator=(const ShellFolder&) = delete;

  const std::wstring& Path() const { return path_; }  // with trailing backslash
  std::wstring Dll() const { return path_ + L"TvShell.dll"; }
  std::wstring Data(const std::wstring& name) const { return path_ + L"data\\" + name; }
  bool AddDecoder(const std::wstring& fromBin) const;  // into decoder\ under its own name

 private:
  std::wstring path_;
};

// COM initialised, settings and knobs cleared, and the folder's TvShell.dll
// registered with regsvr32; everything taken back afterwards.
class ShellTest : public testing::Test {
 protected:
  explicit ShellTest(HelperKind helper = HelperKind::Real) : folder_(helper) {}
  void SetUp() override;
  void TearDown() override;

  // CoCreateInstance of CTvpShell by its class identifier.
  template <typename T>
  T* Create(REFIID riid) {
    void* object = nullptr;
    const HRESULT result = CoCreateInstance(ClassId(), nullptr, CLSCTX_INPROC_SERVER, riid, &object);
    EXPECT_EQ(result, S_OK);
    return static_cast<T*>(object);
  }
  static REFCLSID ClassId();

  ShellFolder folder_;
  bool comReady_ = false;
};

// Clears the settings values and decoder cache the tests touch, and every
// TVTEST_ knob they set.
void ResetShellEnvironment();
