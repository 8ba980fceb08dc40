// Trace log, information report and error report.
//
// Every program fills one TvMessageHandles record and every plug-in receives a
// pointer to it at Create; all three report functions write UTF-16LE lines
// (no byte-order mark) to one of its handles. A null or invalid handle makes
// that write do nothing, and write failures are ignored.
#pragma once
#include <windows.h>

#include <string>

// The three report handles, in this order (the layout crosses the plug-in
// boundary; handles are pointer-sized in each build).
struct TvMessageHandles {
  HANDLE hErrorChannel;  // write end of the error channel
  HANDLE hInfoChannel;   // write end of the information channel
  HANDLE hTraceFile;     // trace file; null when there is no trace
};
static_assert(sizeof(TvMessageHandles) == 3 * sizeof(void*), "TvMessageHandles is three handles");

namespace tv {

// Writes prefix + text (+ "  [function]" and CR LF when endLine) to the trace
// file. Without a prefix the current indentation is used, but only when the
// previous trace line was ended, so a line written in pieces is indented
// once. A text beginning "<-<-" first removes two spaces of indentation; a
// text beginning "->->" adds two after it is written. `function` is ANSI.
void Trace(const std::wstring& text, const TvMessageHandles* handles,
           const char* function = nullptr, bool endLine = true, const wchar_t* prefix = nullptr);

// Traces "*** Information: " + text, then writes text + suffix to the
// information channel in one write.
void ReportInformation(const std::wstring& text, const TvMessageHandles* handles,
                       const char* function = nullptr);

// Traces "*** Error: " + text, then writes text + suffix to the error channel
// in one write.
void ReportError(const std::wstring& text, const TvMessageHandles* handles,
                 const char* function = nullptr);

// Forgets the indentation and the last-line flag (for tests and for a program
// that starts a fresh trace file).
void ResetTraceState();

}  // namespace tv

// Traces "->->" with the function name on construction and "<-<-" on
// destruction, so everything traced in between is indented.
class clTraceScope {
 public:
  clTraceScope(const TvMessageHandles* handles, const char* function);
  virtual ~clTraceScope();
  clTraceScope(const clTraceScope&) = delete;
  clTraceScope& operator=(const clTraceScope&) = delete;

 private:
  const TvMessageHandles* handles_;
  const char* function_;
};
