// What the wrapper tests share: where the test plug-ins lie, a clean set of
// knobs per test, message channels to read report lines from, temp files.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TvTrace.h"

namespace tvtest {

// <bin>\testplugins\<relative>, e.g. L"decoder\\tvtest_dec.dll".
std::wstring PluginPath(const std::wstring& relative);
void SetKnob(const std::wstring& name, const std::wstring& value);  // full variable name
std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::vector<std::string> ReadLines(const std::wstring& path);
std::wstring ToWide(const std::string& text);

// A pipe whose write end serves as a report channel.
class clTestChannel {
 public:
  clTestChannel();
  ~clTestChannel();
  HANDLE WriteEnd() const { return write_; }
  // Everything written so far, as UTF-16 text.
  std::wstring Take();

 private:
  HANDLE read_ = nullptr;
  HANDLE write_ = nullptr;
};

// Clears every TVTEST_ variable, makes a temp folder and report channels.
class PluginTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::wstring TempPath(const std::wstring& name) const;
  // The lines the plug-ins logged (TVTEST_*_LOG points every kind at one file).
  std::vector<std::string> LogLines() const;
  bool Logged(const std::string& line) const;

  std::wstring tempDir_;
  std::wstring logPath_;
  clTestChannel errors_;
  clTestChannel infos_;
  TvMessageHandles handles_ = {};
};

}  // namespace tvtest
