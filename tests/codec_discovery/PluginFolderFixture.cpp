#include "PluginFolderFixture.h"

#include <shellapi.h>

#include "TvRegistry.h"
#include "TvString.h"

namespace {

const wchar_t* const kKnobs[] = {L"DECODES", L"LOG", L"REFUSE_CREATE", L"MISBEHAVE", L"FAIL", L"NAME"};
const wchar_t* const kKnobPrefixes[] = {L"TVTEST_DEC_", L"TVTEST_DEC2_", L"TVTEST_ENC_"};
// Every registry cache value a test of this group may write.
const wchar_t* const kExtensions[] = {L".tvt", L".tvtone", L".tvu", L".mp3", L".zzz", L"."};

std::wstring ReadWideFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::wstring();
  std::wstring text(GetFileSize(file, nullptr) / sizeof(wchar_t), L'\0');
  DWORD read = 0;
  if (!text.empty()) ReadFile(file, &text[0], DWORD(text.size() * sizeof(wchar_t)), &read, nullptr);
  CloseHandle(file);
  return text;
}

HANDLE CreateReportFile(const std::wstring& path) {
  return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

void DeleteFolderTree(const std::wstring& folder) {
  std::wstring from = folder;
  if (!from.empty() && from.back() == L'\\') from.pop_back();
  from.push_back(L'\0');  // the list ends with two zeros
  SHFILEOPSTRUCTW op = {};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationW(&op);
}

}  // namespace

void PluginFolderTest::ClearState() {
  for (const wchar_t* prefix : kKnobPrefixes)
    for (const wchar_t* knob : kKnobs) SetEnvironmentVariableW((std::wstring(prefix) + knob).c_str(), nullptr);
  for (const wchar_t* ext : kExtensions) tv::RegDeleteValueAt(tv::Settings(L"DecoderCache"), ext);
}

void PluginFolderTest::SetUp() {
  ClearState();
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  root_ = std::wstring(temp) + L"tvdisc_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
          tv::Utf8ToWide(::testing::UnitTest::GetInstance()->current_test_info()->name()) + L"\\";
  DeleteFolderTree(root_);
  ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
  CreateDirectoryW((root_ + L"decoder").c_str(), nullptr);
  CreateDirectoryW((root_ + L"encoder").c_str(), nullptr);
  CopyPlugin(L"decoder\\tvtest_dec.dll", L"decoder\\tvtest_dec.dll");
  CopyPlugin(L"decoder\\tvtest_dec2.dll", L"decoder\\tvtest_dec2.dll");
  CopyPlugin(L"encoder\\tvtest.dll", L"encoder\\tvtest.dll");
  // Any library in the root serves as the calling module.
  CopyPlugin(L"decoder\\tvtest_dec.dll", L"anchor.dll");
  module_ = LoadLibraryW((root_ + L"anchor.dll").c_str());
  ASSERT_NE(module_, nullptr);

  tracePath_ = root_ + L"trace.txt";
  errorPath_ = root_ + L"errors.txt";
  logPath_ = root_ + L"calls.log";
  handles_.hTraceFile = CreateReportFile(tracePath_);
  handles_.hErrorChannel = CreateReportFile(errorPath_);
  tv::ResetTraceState();
  SetKnob(L"TVTEST_DEC_LOG", logPath_);
  SetKnob(L"TVTEST_DEC2_LOG", logPath_);
}

void PluginFolderTest::TearDown() {
  if (module_) FreeLibrary(module_);
  if (handles_.hTraceFile && handles_.hTraceFile != INVALID_HANDLE_VALUE) CloseHandle(handles_.hTraceFile);
  if (handles_.hErrorChannel && handles_.hErrorChannel != INVALID_HANDLE_VALUE) CloseHandle(handles_.hErrorChannel);
  tv::ResetTraceState();
  ClearState();
  DeleteFolderTree(root_);
}

void PluginFolderTest::CopyPlugin(const std::wstring& builtRelative, const std::wstring& targetRelative) {
  wchar_t cwd[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, cwd);  // the tests run in bin\ of the build tree
  const std::wstring from = std::wstring(cwd) + L"\\testplugins\\" + builtRelative;
  ASSERT_TRUE(CopyFileW(from.c_str(), (root_ + targetRelative).c_str(), FALSE))
      << tv::WideToUtf8(from) << " -> " << tv::WideToUtf8(root_ + targetRelative);
}

void PluginFolderTest::SetKnob(const std::wstring& name, const std::wstring& value) {
  SetEnvironmentVariableW(name.c_str(), value.c_str());
}

std::wstring PluginFolderTest::TraceText() const { return ReadWideFile(tracePath_); }

std::wstring PluginFolderTest::ErrorText() const { return ReadWideFile(errorPath_); }

std::vector<std::wstring> PluginFolderTest::PluginLog() const {
  std::vector<std::wstring> lines;
  HANDLE file = CreateFileW(logPath_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lines;
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  if (!bytes.empty()) ReadFile(file, &bytes[0], DWORD(bytes.size()), &read, nullptr);
  CloseHandle(file);
  std::wstring text = tv::Utf8ToWide(bytes);
  size_t start = 0;
  for (size_t nl; (nl = text.find(L'\n', start)) != std::wstring::npos; start = nl + 1)
    lines.push_back(text.substr(start, nl - start));
  return lines;
}

void PluginFolderTest::ClearPluginLog() { DeleteFileW(logPath_.c_str()); }

int PluginFolderTest::Count(const std::wstring& text, const std::wstring& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}
