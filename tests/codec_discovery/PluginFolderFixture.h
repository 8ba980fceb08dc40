// A throw-away program folder with "decoder" and "encoder" subfolders holding
// copies of the test plug-ins, a module loaded from it (the "calling module"
// whose folder the codec handler searches), report handles writing to files,
// and clean registry cache values and plug-in knobs before and after.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TvTrace.h"

class PluginFolderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Copies a built test plug-in (path below bin\testplugins) to a path below the root.
  void CopyPlugin(const std::wstring& builtRelative, const std::wstring& targetRelative);
  void SetKnob(const std::wstring& name, const std::wstring& value);
  std::wstring TraceText() const;
  std::wstring ErrorText() const;
  std::vector<std::wstring> PluginLog() const;  // lines of the decoders' call log
  void ClearPluginLog();
  static int Count(const std::wstring& text, const std::wstring& part);

  std::wstring root_;  // with trailing backslash
  HMODULE module_ = nullptr;
  TvMessageHandles handles_ = {};
  std::wstring logPath_;

 private:
  static void ClearState();
  std::wstring tracePath_;
  std::wstring errorPath_;
};
