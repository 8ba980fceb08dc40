#include "TvRendermill.h"

#include "TvCodePage.h"
#include "TvCommandFile.h"
#include "TvConversionRun.h"
#include "TvDebugSwitch.h"
#include "TvFilePrompt.h"
#include "TvFileSystem.h"
#include "TvRendermillOptions.h"
#include "TvString.h"

namespace {

const char kParseFunction[] = "TvRendermill::ParseCommandLine";

bool Usable(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

}  // namespace

TvRendermill::TvRendermill() = default;

TvRendermill::~TvRendermill() {
  m_dspEffects.clear();
  m_sharedBytes.Close();
  m_watchdogEvent.Close();
  m_quitEvent.Close();
  m_errorChannel.Close();
  m_infoChannel.Close();
  m_errorFile.Close();
  // The trace file goes last: everything above may still trace.
  m_debugSwitch.reset();
}

std::wstring TvRendermill::ProgramCommandText() const {
  const wchar_t* text = GetCommandLineW();
  return text ? std::wstring(text) : std::wstring();
}

HANDLE TvRendermill::FetchStandardOutput() const { return GetStdHandle(STD_OUTPUT_HANDLE); }
HANDLE TvRendermill::FetchStandardError() const { return GetStdHandle(STD_ERROR_HANDLE); }

void TvRendermill::ShowStartupMessage(const std::wstring& text, const std::wstring& caption) {
  tv::ShowMessageBox(text, caption, MB_OK);
}

HANDLE TvRendermill::StartDebugTrace() {
  m_debugSwitch.reset(new clDebugSwitch());
  if (!m_debugSwitch->Start(tv::FolderOfModule(nullptr))) return nullptr;
  return m_debugSwitch->TraceFile();
}

void TvRendermill::Run() {
  m_handles.hTraceFile = StartDebugTrace();

  m_stdOutput = FetchStandardOutput();
  m_stdError = FetchStandardError();
  if (m_stdOutput == INVALID_HANDLE_VALUE) {
    ShowStartupMessage(L"GetStdHandle", L"Console Error");
    return;
  }
  m_errorOutput = m_stdError;
  m_errorChannel.Create(false);
  m_infoChannel.Create(false);
  m_handles.hErrorChannel = m_errorChannel.WriteHandle();
  m_handles.hInfoChannel = m_infoChannel.WriteHandle();

  tv::Trace(L"Splitting Command Line:", &m_handles, nullptr, false);
  const std::wstring commandText = ProgramCommandText();
  Parse(commandText, tv::RendermillArgumentsStart(commandText));
  tv::Trace(L"Done", &m_handles);

  std::wstring commandFile;
  if (GetOption(L"tvcmd", commandFile) && !ReadTvCommandFile(commandFile)) {
    ShowStartupMessage(L"Error reading Tv Command File.", L"Rendermill");
    return;
  }

  const bool parsed = ParseCommandLine();
  ConfigureParentMessages();
  if (!parsed) {
    FlushMessages();
    return;
  }
  RunConversion();
}

void TvRendermill::RunConversion() {
  clConversionRun run(*this);
  run.Execute();
}

void TvRendermill::ConfigureParentMessages() {
  TvParentOutputs outputs;
  outputs.standardOutput = m_stdOutput;
  outputs.errorOutput = m_errorOutput;
  outputs.commandFileMode = m_commandFileMode;
  outputs.silent = m_silent;
  m_parentMessages.Configure(outputs);
}

bool TvRendermill::ReadTvCommandFile(const std::wstring& path) {
  clTraceScope scope(&m_handles, "TvRendermill::ReadTvCommandFile");
  std::wstring text;
  const tv::TvCommandFileResult result = tv::ReadCommandFile(path, text);
  if (result != tv::TvCommandFileResult::Ok) {
    tv::Trace(tv::CommandFileResultText(result), &m_handles);
    return false;
  }
  Parse(text, 1);
  m_commandFileMode = true;
  return true;
}

bool TvRendermill::ParseCommandLine() {
  std::wstring value;

  if (GetOption(L"errorfile", value) && !value.empty()) {
    // Standard error stays open; it is only no longer used for errors. A file
    // that cannot be made leaves the error texts undelivered.
    m_errorFile.Create(value, false);
    m_errorOutput = m_errorFile.Handle();
  }

  m_codecName = OptionValue(L"convert_to");
  m_sourcePath = OptionValue(L"infile");
  m_standardInputSource = m_sourcePath == L"-";
  m_destinationPath = OptionValue(L"outfile");

  if ((m_codecName.empty() && m_sourcePath.empty() && m_destinationPath.empty()) ||
      HasOption(L"help")) {
    if (m_commandFileMode)
      tv::ReportError(L"Error missing infile & outfile & convert_to.", &m_handles);
    else
      WriteConsoleLine(L"Usage: Rendermill.exe -infile=\"filename\" -outfile=\"filename\" "
                       L"-convert_to=\"codec\" [codec compression CLI]");
    return false;
  }
  if (m_codecName.empty()) {
    tv::ReportError(L"Error no encoder specified.", &m_handles, kParseFunction);
    return false;
  }
  if (m_sourcePath.empty()) {
    tv::ReportError(L"Error no input file specified", &m_handles, kParseFunction);
    return false;
  }
  if (m_destinationPath.empty()) {
    tv::ReportError(L"Error no ouput file specified", &m_handles, kParseFunction);
    return false;
  }

  if (HasOption(L"noidtag")) m_writeTags = false;
  m_silent = HasOption(L"silent") || m_commandFileMode;

  if (GetOption(L"evtquit", value) && !value.empty()) {
    m_quitEventName = value;
    m_quitEvent.Create(tv::WideToAnsi(value));
  }
  if (GetOption(L"batchid", value) && !value.empty()) m_batchId = tv::ReadOptionNumber(value);
  if (GetOption(L"evtwatchdog", value) && !value.empty())
    m_watchdogEvent.Create(tv::WideToAnsi(value));

  if (GetOption(L"processor", value) && !value.empty()) {
    tv::Trace(L"Allying to Processor " + value, &m_handles);
    const uint64_t mask =
        tv::ProcessorAffinityMask(tv::ReadOptionNumber(value), unsigned(sizeof(DWORD_PTR) * 8));
    if (mask != 0) SetThreadAffinityMask(GetCurrentThread(), DWORD_PTR(mask));
  }

  if (GetOption(L"shrbytesencoded", value) && !value.empty())
    m_sharedBytes.Open(tv::WideToAnsi(value), 8);

  for (const tv::TvDspEffectOption& option : tv::CollectDspEffectOptions(*this)) {
    TvDspEffectEntry entry;
    entry.name = option.name;
    entry.settings = option.settings;
    m_dspEffects.push_back(entry);
  }
  m_dspOptionCount = tv::CountDspEffectOptions(*this);
  return true;
}

std::wstring TvRendermill::StripRendermillCmds() {
  clTraceScope scope(&m_handles, "TvRendermill::StripRendermillCmds");
  const std::wstring line = tv::BuildCodecCommandLine(*this, m_dspOptionCount);
  tv::Trace(L"Encoder Cmd Line: " + line, &m_handles);
  return line;
}

void TvRendermill::WriteConsoleLine(const std::wstring& text, bool lineEnd) {
  if (!Usable(m_stdOutput)) return;
  std::string bytes = tv::WideToAnsi(text);
  if (lineEnd) bytes += "\r\n";
  DWORD written = 0;
  if (!bytes.empty()) WriteFile(m_stdOutput, bytes.data(), DWORD(bytes.size()), &written, nullptr);
}
