// Everything Rendermill sends to its parent and its console: the contents of
// the two message channels, the "MSGTO: Tvx: " lines, the console's progress
// stars, the quit test and the shared byte counter.
//
// Command-file mode: standard output carries nothing but UTF-16LE lines (the
// parent messages and the information channel's lines, unchanged); the error
// output gets the error channel's bytes unchanged. Otherwise standard output
// and the error output get ANSI text, and `silent` keeps everything but the
// error texts off the console.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "TvMessageChannel.h"
#include "TvProgress.h"
#include "TvSharedMemory.h"
#include "TvSync.h"

// The outputs of one run, as the engine's options set them.
struct TvParentOutputs {
  HANDLE standardOutput = nullptr;  // not owned
  HANDLE errorOutput = nullptr;     // standard error or the file of option errorfile; not owned
  bool commandFileMode = false;
  bool silent = false;              // command-file mode is always silent on the console
};

class clParentMessages {
 public:
  clParentMessages() = default;
  virtual ~clParentMessages() = default;
  clParentMessages(const clParentMessages&) = delete;
  clParentMessages& operator=(const clParentMessages&) = delete;

  // Sets the outputs and starts a fresh run (progress state and failure cleared).
  virtual void Configure(const TvParentOutputs& outputs);
  virtual const TvParentOutputs& Outputs() const { return outputs_; }

  // Empties both channels to their outputs without waiting. True when the
  // error channel held text: that fails the conversion, even when every call
  // of the writer succeeded. Failed() remembers it for the rest of the run.
  virtual bool Flush(clMessageChannel& information, clMessageChannel& errors);
  virtual bool Failed() const { return failed_; }

  // Command-file mode only: `line` as UTF-16LE, then CR LF.
  virtual void SendParentMessage(const std::wstring& line);
  // SendParentMessage("MSGTO: Tvx: " + text).
  virtual void SendTvxMessage(const std::wstring& text);

  // "ActionInput" / "ActionOutput" when the text is new (command-file mode).
  virtual void ShowInputAction(const std::wstring& text);
  virtual void ShowOutputAction(const std::wstring& text);
  // A block's percent: a "PCDone" line when it is higher than the last one
  // sent (command-file mode), the stars it is due on the console (neither
  // silent nor command-file mode).
  virtual void ReportProgress(int percent);

  // Console only: an empty line, the scale and one space (stars follow on
  // that line); after the block loop, two line ends.
  virtual void ShowProgressScale();
  virtual void EndProgressLine();
  // Console only: ANSI text, with a line end when asked.
  virtual void ConsoleText(const std::wstring& text, bool lineEnd = true);

  virtual const clProgressState& Progress() const { return progress_; }

 private:
  bool ShowsConsole() const { return !outputs_.commandFileMode && !outputs_.silent; }
  // Channel bytes as text; a trailing odd byte waits in `carry` for the next
  // flush, so a line written in two pieces is never garbled.
  static std::wstring TakeUtf16(std::string& carry, const std::string& bytes);

  TvParentOutputs outputs_;
  clProgressState progress_;
  bool failed_ = false;
  std::string infoCarry_;
  std::string errorCarry_;
};

namespace tv {

// Writes bytes to a handle, ignoring failures (and null or invalid handles).
void WriteOutputBytes(HANDLE handle, const std::string& bytes);

// True when the quit event is signalled (tested without waiting); an event
// that was never created never is.
bool QuitRequested(const clEvent& quit);

// Writes the 64-bit byte total into the shared 8-byte counter under its
// mutex; false when the counter is not open (or not 8 bytes).
bool WriteByteCounter(clSharedMemory& counter, uint64_t bytes);
// During non-live rendering: the running count as the low 32 bits, high 32
// bits zero.
bool WriteRenderByteCounter(clSharedMemory& counter, uint32_t bytes);

}  // namespace tv
