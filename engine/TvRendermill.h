// The conversion engine: one object per run of Rendermill.exe. Run() prepares
// the outputs, splits the command text (or the command file of option tvcmd),
// validates the options and then hands over to the conversion step.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "TvFile.h"
#include "TvMessageChannel.h"
#include "TvParentMessages.h"
#include "TvSharedMemory.h"
#include "TvSync.h"
#include "TvTrace.h"
#include "clCommandLine.h"

class clDebugSwitch;
class clTvDSP;

// One effect of the DSP chain as the options name it. The wrapper that loads
// the effect's library is added by the conversion run; dropping the entry (or
// the wrapper) unloads it.
struct TvDspEffectEntry {
  std::wstring name;      // also the base name of the plug-in library
  std::wstring settings;  // handed to the plug-in unchanged
  bool live = false;      // clear until the plug-in is asked
  bool active = true;
  std::shared_ptr<clTvDSP> wrapper;
};

class TvRendermill : public clCommandLine {
 public:
  TvRendermill();
  ~TvRendermill() override;
  TvRendermill(const TvRendermill&) = delete;
  TvRendermill& operator=(const TvRendermill&) = delete;

  // The whole run. It ends early when the console is unusable, the command
  // file cannot be read or the options are invalid; it never throws.
  virtual void Run();

  // Replaces the options with those of a UTF-16LE command file and switches
  // command-file mode on.
  virtual bool ReadTvCommandFile(const std::wstring& path);
  // Validates and applies the options; false ends the run.
  virtual bool ParseCommandLine();
  // The options the engine does not own, for the encoder.
  virtual std::wstring StripRendermillCmds();

  // Empties both message channels to their outputs (standard output, the
  // error output); any error text sets the error flag.
  virtual void FlushMessages();
  // Everything the run sends to its parent and console (set up after the parse).
  clParentMessages& ParentMessages() { return m_parentMessages; }
  // A failure of the run that did not come through the error channel.
  void RaiseErrorFlag() { m_errorFlag = 1; }

  // What the options set (read by the conversion run).
  const std::wstring& CodecName() const { return m_codecName; }
  const std::wstring& SourcePath() const { return m_sourcePath; }
  const std::wstring& DestinationPath() const { return m_destinationPath; }
  bool IsStandardInputSource() const { return m_standardInputSource; }
  bool IsCommandFileMode() const { return m_commandFileMode; }
  bool IsSilent() const { return m_silent; }
  bool WritesTags() const { return m_writeTags; }
  const std::wstring& QuitEventName() const { return m_quitEventName; }
  clEvent& QuitEvent() { return m_quitEvent; }
  clEvent& WatchdogEvent() { return m_watchdogEvent; }
  int32_t BatchId() const { return m_batchId; }
  clSharedMemory& SharedByteCounter() { return m_sharedBytes; }
  std::vector<TvDspEffectEntry>& DspEffects() { return m_dspEffects; }
  const TvMessageHandles& MessageHandles() const { return m_handles; }
  int32_t ErrorFlag() const { return m_errorFlag; }
  HANDLE StandardOutput() const { return m_stdOutput; }
  HANDLE ErrorOutput() const { return m_errorOutput; }

 protected:
  // The process's surroundings, replaceable so the entry can be exercised
  // inside a test process.
  virtual std::wstring ProgramCommandText() const;
  virtual HANDLE FetchStandardOutput() const;
  virtual HANDLE FetchStandardError() const;
  // A start-up failure the console cannot show (no console, unreadable
  // command file): a message box with an OK button.
  virtual void ShowStartupMessage(const std::wstring& text, const std::wstring& caption);
  // Prepares the trace file and its watcher when the per-user debug switch
  // asks for it; returns the trace file handle or null.
  virtual HANDLE StartDebugTrace();
  // Everything after a successful parse.
  virtual void RunConversion();

  // Writes ANSI text (with a line end when asked) to standard output.
  void WriteConsoleLine(const std::wstring& text, bool lineEnd = true);
  // Points the parent messages at the outputs the options chose.
  void ConfigureParentMessages();

  std::wstring m_codecName;
  std::wstring m_sourcePath;
  std::wstring m_destinationPath;
  bool m_standardInputSource = false;
  bool m_commandFileMode = false;
  bool m_silent = false;
  bool m_writeTags = true;
  std::wstring m_quitEventName;
  clEvent m_quitEvent;
  clEvent m_watchdogEvent;
  int32_t m_batchId = 0;
  clSharedMemory m_sharedBytes;
  std::vector<TvDspEffectEntry> m_dspEffects;
  size_t m_dspOptionCount = 0;  // dspeffect1..N read, with or without an effect
  int32_t m_errorFlag = 0;

  HANDLE m_stdOutput = nullptr;   // not owned
  HANDLE m_stdError = nullptr;    // not owned
  HANDLE m_errorOutput = nullptr; // standard error or m_errorFile
  tv::clTvFile m_errorFile;       // the file of option errorfile
  clMessageChannel m_errorChannel;
  clMessageChannel m_infoChannel;
  TvMessageHandles m_handles{};
  clParentMessages m_parentMessages;
  std::unique_ptr<clDebugSwitch> m_debugSwitch;
};
