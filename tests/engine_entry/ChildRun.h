// Runs a program as a child with its standard handles redirected to pipes and
// collects what it writes, for the engine's process tests.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct ChildResult {
  bool started = false;
  bool finished = false;  // false: it outlived the safety limit and was ended
  DWORD exitCode = 0xFFFFFFFF;
  std::string out;  // standard output bytes
  std::string err;  // standard error bytes
  std::vector<std::wstring> boxes;  // "caption|text" of every message box it showed
};

struct ChildOptions {
  std::wstring program;              // full path
  std::wstring arguments;            // appended after the quoted program path
  bool invalidStandardOutput = false;  // hand the child INVALID_HANDLE_VALUE as stdout
  bool closeMessageBoxes = true;     // read and close every box the child shows
  DWORD safetyLimitMs = 60000;       // not a timing check: a hung child must not hang the test
};

ChildResult RunChild(const ChildOptions& options);

// <TV_BIN_DIR>\Rendermill.exe
std::wstring RendermillPath();

// UTF-16LE bytes of a text, as the engine's command-file mode writes them.
std::string Utf16Bytes(const std::wstring& text);
