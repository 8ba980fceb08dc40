// Support for the conversion tests: a private program folder per test (a copy
// of Rendermill.exe with the test plug-ins it needs), test audio files, the
// test plug-ins' knobs and call log, and a Rendermill child process whose
// standard input, output and error the test controls.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace runtest {

// <TV_BIN_DIR> as a Windows path with a trailing backslash.
std::wstring BinFolder();

std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool Exists(const std::wstring& path);
// The bytes the test decoder produces: byte k of the stream is k % 251.
std::string TestPattern(size_t bytes, unsigned char xorMask = 0);
// UTF-16LE bytes of a text.
std::string Utf16(const std::wstring& text);
std::string Narrow(const std::wstring& text);

// Sets (or, with an empty value, clears) a test plug-in knob for the
// children started from now on.
void SetKnob(const std::wstring& name, const std::wstring& value);
void ClearAllKnobs();

// A folder laid out as a program folder: Rendermill.exe, decoder\, encoder\,
// DSPs\ (with the test plug-ins), plus a "work" folder for audio files. The
// whole tree goes when the object does.
class clProgramFolder {
 public:
  clProgramFolder();
  ~clProgramFolder();
  clProgramFolder(const clProgramFolder&) = delete;
  clProgramFolder& operator=(const clProgramFolder&) = delete;

  bool Ready() const { return ready_; }
  const std::wstring& Root() const { return root_; }
  std::wstring Program() const { return root_ + L"Rendermill.exe"; }
  // A path in the work folder.
  std::wstring Work(const std::wstring& name) const { return root_ + L"work\\" + name; }
  // The call log all test plug-ins share (SetLogKnobs points them at it).
  std::wstring LogPath() const { return root_ + L"calls.log"; }
  void SetLogKnobs() const;
  std::vector<std::string> LogLines() const;
  // A source file the test decoder reads with the given format header line.
  std::wstring MakeSource(const std::wstring& name, const std::string& header) const;

 private:
  std::wstring root_;
  bool ready_ = false;
};

struct ChildResult {
  bool started = false;
  bool finished = false;  // false: it outlived the safety limit and was ended
  DWORD exitCode = 0xFFFFFFFF;
  std::string out;
  std::string err;
};

struct ChildOptions {
  std::wstring program;
  std::wstring arguments;
  // Standard input: NUL by default; a file's contents, or bytes written
  // through a pipe in pieces (with a pause after each) and then closed.
  std::wstring inputFile;
  bool inputPipe = false;
  std::vector<std::string> inputPieces;
  DWORD pauseBetweenPiecesMs = 0;
  // Called every 20 ms while the child runs, until it returns true.
  std::function<bool()> whileRunning;
  DWORD safetyLimitMs = 120000;  // not a timing check: a hung child must not hang the test
};

ChildResult RunChild(const ChildOptions& options);

// Lines of a UTF-16LE output (without their CR LF).
std::vector<std::wstring> Utf16Lines(const std::string& bytes);
bool Contains(const std::string& haystack, const std::string& needle);
// Index of the first log line containing `text` at or after `from`; -1 when none.
int FindLine(const std::vector<std::string>& lines, const std::string& text, size_t from = 0);
int CountLines(const std::vector<std::string>& lines, const std::string& text);

}  // namespace runtest
