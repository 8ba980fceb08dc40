// TipfetchInfo's requests: one per run, named on the command line
// (TvInfoRequestKind.h), answered through the request file (TvInfoRequest.h,
// TvAudioInfoAnswer.h). What reaches a person - the message box, the shell's
// opening of a trace file - and the waiting go through a replaceable host, so
// the helper can be run without one.
#pragma once
#include <windows.h>

#include <string>

#include "TvInfoRequestKind.h"

namespace tv {

constexpr const wchar_t* kNotStandaloneText = L"This application is not designed to run on its own";
constexpr const wchar_t* kHelperCaption = L"TipfetchInfo";
constexpr const wchar_t* kTvxShellLibrary = L"TvxShell.dll";
constexpr const char* kEditIDTagsExport = "EditIDTags";
// The tag editor export of TvxShell.dll: the list file's path; the result means nothing.
typedef int(WINAPI* TvEditIDTagsFn)(const wchar_t* listFile);

// How long a request that only reads may take before the helper gives up and
// ends with an empty answer: under the caller's own waits (10 s for a pop-up
// or file information, 60 s for the extension list), so a decoder that hangs
// on a damaged file never outlives its caller's patience. Tag writing and the
// waits for the engine or the tag editor have no such limit.
constexpr DWORD kReadRequestBudgetMs = 9000;
constexpr DWORD kExtensionsBudgetMs = 55000;
// Debug trace watch: the pause between tries, and the time the shell is given
// to open the trace file before it is deleted.
constexpr DWORD kDebugWatchPollMs = 1000;
constexpr DWORD kDebugShowMs = 4000;

class clInfoHelperHost {
 public:
  virtual ~clInfoHelperHost() = default;
  // A message box with the information icon.
  virtual void ShowMessage(const std::wstring& text, const std::wstring& caption) = 0;
  // Opens a document with the program the shell associates with it.
  virtual bool OpenDocument(const std::wstring& path, const std::wstring& workingFolder) = 0;
  virtual void Pause(DWORD milliseconds) = 0;
  // Ends the process at once (a read request ran out of time; its answer is
  // already empty).
  virtual void Abandon() = 0;
};

// Message box, shell execution, Sleep and process termination.
class clWin32InfoHelperHost : public clInfoHelperHost {
 public:
  void ShowMessage(const std::wstring& text, const std::wstring& caption) override;
  bool OpenDocument(const std::wstring& path, const std::wstring& workingFolder) override;
  void Pause(DWORD milliseconds) override;
  void Abandon() override;
};

class clAnswerGate;

class clInfoHelper {
 public:
  // Plug-in folders and TvxShell.dll are looked for beside `module` (the
  // program for null).
  explicit clInfoHelper(clInfoHelperHost& host, HMODULE module = nullptr);
  virtual ~clInfoHelper() = default;
  clInfoHelper(const clInfoHelper&) = delete;
  clInfoHelper& operator=(const clInfoHelper&) = delete;

  // Serves the command line's request. Requests that only read run within
  // their budget (the host's Abandon ends the process when it runs out).
  virtual void Run(const std::wstring& commandLine);
  // Serves one request on this thread, without a budget.
  virtual void Serve(const InfoRequest& request);

  virtual void ServePopup(const std::wstring& requestFile, bool tempF);
  virtual void ServeAudioInfo(const std::wstring& requestFile);
  virtual void ServeExtensions(const std::wstring& answerFile);
  virtual void ServeDeleteTags(const std::wstring& requestFile);
  virtual void ServeSetTags(const std::wstring& requestFile);
  virtual void WatchDebugTrace(const std::wstring& eventName, const std::wstring& traceFile);
  virtual void EditTags(const std::wstring& listFile);

 private:
  void Serve(const InfoRequest& request, clAnswerGate* gate);
  void ServePopup(const std::wstring& requestFile, bool tempF, clAnswerGate* gate);
  void ServeAudioInfo(const std::wstring& requestFile, clAnswerGate* gate);
  void ServeExtensions(const std::wstring& answerFile, clAnswerGate* gate);

  clInfoHelperHost& host_;
  HMODULE module_;
};

}  // namespace tv
