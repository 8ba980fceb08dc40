// A private program folder holding a copy of TipfetchInfo.exe and the plug-ins
// a test chooses, the runs of the helper in it, and small file helpers.
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
bool PathExists(const std::wstring& path);
std::vector<uint8_t> TextBytes(const std::string& text);

// A PCM WAVE file: 44 100 Hz, 2 channels, 16 bits, `ms` of silence.
std::vector<uint8_t> WaveFileBytes(int ms);
// Writes tags into a file through the reference decoder bin\decoder\WAVE.dll.
bool TagWithWaveDecoder(const std::wstring& path, const std::vector<clTagElement>& tags);

struct HelperRun {
  bool finished = false;  // false: it outlived the safety limit and was ended
  DWORD exitCode = 0xFFFFFFFF;
  DWORD elapsedMs = 0;
};

class HelperFolder {
 public:
  HelperFolder();
  ~HelperFolder();
  HelperFolder(const HelperFolder&) = delete;
  HelperFolder& operator=(const HelperFolder&) = delete;

  const std::wstring& Path() const { return path_; }        // with trailing backslash
  std::wstring Data(const std::wstring& name) const { return path_ + L"data\\" + name; }
  // Copies <bin>\from into the folder as `to` (relative paths).
  bool Copy(const std::wstring& from, const std::wstring& to) const;
  bool AddDecoder(const std::wstring& fromBin) const;  // into decoder\ under its own name
  // Runs TipfetchInfo.exe with the arguments after its quoted path.
  HelperRun Run(const std::wstring& arguments, DWORD safetyMs = 60000) const;
  PROCESS_INFORMATION Start(const std::wstring& arguments) const;

 private:
  std::wstring path_;
};

// Clears every TVTEST_ knob, the decoder cache and the pop-up and unit settings.
void ResetHelperEnvironment();

class HelperTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  HelperFolder folder_;
};
