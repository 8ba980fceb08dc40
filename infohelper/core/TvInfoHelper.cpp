#include "TvInfoHelper.h"

#include <shellapi.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "TvAudioInfoAnswer.h"
#include "TvCodePage.h"
#include "TvFileSystem.h"
#include "TvFolder.h"
#include "TvInfoRequest.h"
#include "TvPath.h"
#include "TvPluginApi.h"
#include "TvPluginGuard.h"
#include "TvPopupBuilder.h"
#include "TvRequestFile.h"
#include "TvSync.h"
#include "TvTrace.h"
#include "clTvCodecHandler.h"
#include "clTvDecoder.h"

namespace tv {

// Lets a request that ran out of time be abandoned without a half-written
// answer: the worker writes only while holding the gate, and not at all once
// the gate is shut.
class clAnswerGate {
 public:
  bool BeginWrite() {
    lock_.lock();
    if (!shut_) return true;
    lock_.unlock();
    return false;
  }
  void EndWrite() { lock_.unlock(); }
  void Shut() {
    std::lock_guard<std::mutex> hold(lock_);  // waits for a write in progress
    shut_ = true;
  }

 private:
  std::mutex lock_;
  bool shut_ = false;
};

namespace {

// Holds the gate (when there is one) for one answer write.
class clGateWrite {
 public:
  explicit clGateWrite(clAnswerGate* gate) : gate_(gate), open_(!gate || gate->BeginWrite()) {}
  ~clGateWrite() {
    if (gate_ && open_) gate_->EndWrite();
  }
  clGateWrite(const clGateWrite&) = delete;
  clGateWrite& operator=(const clGateWrite&) = delete;
  bool Open() const { return open_; }

 private:
  clAnswerGate* gate_;
  bool open_;
};

// TvxShell.dll loaded from the helper's folder, freed when this goes.
class clTvxShellDLL {
 public:
  explicit clTvxShellDLL(const std::wstring& path) {
    UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    if (FileExists(path)) module_ = LoadLibraryW(path.c_str());
    SetErrorMode(previous);
  }
  ~clTvxShellDLL() {
    if (module_) FreeLibrary(module_);
  }
  clTvxShellDLL(const clTvxShellDLL&) = delete;
  clTvxShellDLL& operator=(const clTvxShellDLL&) = delete;

  TvEditIDTagsFn EditIDTags() const {
    if (!module_) return nullptr;
    return reinterpret_cast<TvEditIDTagsFn>(reinterpret_cast<void*>(GetProcAddress(module_, kEditIDTagsExport)));
  }

 private:
  HMODULE module_ = nullptr;
};

std::vector<uint8_t> CopyBlock(const BYTE* block, INT32 size) {
  if (!block || size <= 0 || uint32_t(size) > kMaxAnswerBlockBytes || !IsReadableBlock(block, size))
    return std::vector<uint8_t>();
  return std::vector<uint8_t>(block, block + size);
}

static_assert(sizeof(TvAudioDescription) + sizeof(TvStreamInfo::reserved1) == kAudioInfoRecordBytes,
              "the AUDI record is the audio description and the 8 bytes after it");

}  // namespace

void clWin32InfoHelperHost::ShowMessage(const std::wstring& text, const std::wstring& caption) {
  MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

bool clWin32InfoHelperHost::OpenDocument(const std::wstring& path, const std::wstring& workingFolder) {
  HINSTANCE result =
      ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, workingFolder.c_str(), SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

void clWin32InfoHelperHost::Pause(DWORD milliseconds) { Sleep(milliseconds); }

void clWin32InfoHelperHost::Abandon() {
  // Not ExitProcess: a plug-in thread stuck inside the loader or a lock would hold it.
  TerminateProcess(GetCurrentProcess(), 0);
}

clInfoHelper::clInfoHelper(clInfoHelperHost& host, HMODULE module) : host_(host), module_(module) {}

void clInfoHelper::Run(const std::wstring& commandLine) {
  const InfoRequest request = ParseInfoRequest(commandLine);
  DWORD budget = 0;
  switch (request.kind) {
    case InfoRequestKind::PopupTempF:
    case InfoRequestKind::Popup:
    case InfoRequestKind::AudioInfo: budget = kReadRequestBudgetMs; break;
    case InfoRequestKind::Extensions: budget = kExtensionsBudgetMs; break;
    default: break;
  }
  if (!budget || request.value.empty()) {
    Serve(request, nullptr);
    return;
  }

  clAnswerGate gate;
  std::mutex lock;
  std::condition_variable finished;
  bool done = false;
  std::thread worker([&] {
    Serve(request, &gate);
    std::lock_guard<std::mutex> hold(lock);
    done = true;
    finished.notify_all();
  });
  bool inTime;
  {
    std::unique_lock<std::mutex> wait(lock);
    inTime = finished.wait_for(wait, std::chrono::milliseconds(budget), [&] { return done; });
  }
  if (!inTime) {
    gate.Shut();
    host_.Abandon();  // ends the process; a host that returns waits for the worker below
  }
  worker.join();
}

void clInfoHelper::Serve(const InfoRequest& request) { Serve(request, nullptr); }
void clInfoHelper::ServePopup(const std::wstring& requestFile, bool tempF) { ServePopup(requestFile, tempF, nullptr); }
void clInfoHelper::ServeAudioInfo(const std::wstring& requestFile) { ServeAudioInfo(requestFile, nullptr); }
void clInfoHelper::ServeExtensions(const std::wstring& answerFile) { ServeExtensions(answerFile, nullptr); }

void clInfoHelper::Serve(const InfoRequest& request, clAnswerGate* gate) {
  if (request.kind == InfoRequestKind::None) {
    host_.ShowMessage(kNotStandaloneText, kHelperCaption);
    return;
  }
  if (request.value.empty()) return;  // a named request without its value does nothing
  switch (request.kind) {
    case InfoRequestKind::PopupTempF: ServePopup(request.value, true, gate); break;
    case InfoRequestKind::Popup: ServePopup(request.value, false, gate); break;
    case InfoRequestKind::AudioInfo: ServeAudioInfo(request.value, gate); break;
    case InfoRequestKind::Extensions: ServeExtensions(request.value, gate); break;
    case InfoRequestKind::DeleteTags: ServeDeleteTags(request.value); break;
    case InfoRequestKind::SetTags: ServeSetTags(request.value); break;
    case InfoRequestKind::DebugWatch: WatchDebugTrace(request.value, request.value2); break;
    case InfoRequestKind::EditTags: EditTags(request.value); break;
    case InfoRequestKind::None: break;
  }
}

void clInfoHelper::ServePopup(const std::wstring& requestFile, bool tempF, clAnswerGate* gate) {
  clRequestFile file;
  if (!file.OpenForAnswer(requestFile)) return;
  std::vector<uint8_t> request;
  file.ReadHead(tempF ? kTempFPathBytes : kMaxPathRequestBytes, request);
  std::wstring audioPath;
  bool haveRequest;
  if (tempF) {
    std::string ansiPath;
    haveRequest = ParseTempFRequest(request, ansiPath);
    audioPath = AnsiToWide(ansiPath);
  } else {
    haveRequest = ParsePathRequest(request, audioPath);
  }
  file.Cut();
  if (!haveRequest || audioPath.empty()) return;

  std::wstring text;
  if (!BuildPopupText(audioPath, text, module_)) return;  // no decoder: the answer stays empty
  clGateWrite write(gate);
  if (write.Open()) file.Write(tempF ? PopupAnswerUtf8(text) : PopupAnswerUtf16(text));
}

void clInfoHelper::ServeAudioInfo(const std::wstring& requestFile, clAnswerGate* gate) {
  clRequestFile file;
  if (!file.OpenForAnswer(requestFile)) return;
  std::vector<uint8_t> request;
  file.ReadHead(kMaxPathRequestBytes, request);
  std::wstring audioPath;
  const bool haveRequest = ParsePathRequest(request, audioPath);
  file.Cut();
  if (!haveRequest) return;

  TvMessageHandles handles = {};
  clTvCodecHandler codecs;
  clTvDecoder decoder;
  if (!codecs.FindDecoder(audioPath, decoder, &handles, module_)) return;
  TvStreamInfo stream = {};
  stream.sourcePath = audioPath.c_str();
  stream.openFlags = TV_OPEN_INSPECT;
  if (!decoder.Open(&stream)) return;

  AudioInfoAnswer answer;
  answer.tagBlock = CopyBlock(stream.tagBlock, stream.tagBlockSize);
  answer.propertyBlock = CopyBlock(stream.propertyBlock, stream.propertyBlockSize);
  std::memcpy(answer.audio, &stream.description, sizeof stream.description);
  std::memcpy(answer.audio + sizeof stream.description, stream.reserved1, sizeof stream.reserved1);
  const std::vector<uint8_t> bytes = WriteAudioInfoAnswer(answer);
  clGateWrite write(gate);
  if (write.Open()) file.Write(bytes);
}

void clInfoHelper::ServeExtensions(const std::wstring& answerFile, clAnswerGate* gate) {
  std::vector<std::wstring> extensions;
  TvMessageHandles handles = {};
  clFolderEnum entries(FolderOfModule(module_) + TV_DECODER_FOLDER L"\\", L"*.dll", true);
  while (entries.Next() && extensions.size() < kMaxExtensionsInList) {
    clTvDecoder decoder;
    if (!decoder.ReloadForExtension(entries.FullPath().c_str(), L".ANY_EXT")) continue;
    if (!decoder.Create(&handles)) continue;
    for (int index = 0; index < kMaxExtensionsPerDecoder && extensions.size() < kMaxExtensionsInList; ++index) {
      TvSettingTexts decodes = decoder.GetDecodes(index);
      if (!decodes.result || decodes.text.empty()) break;
      extensions.push_back(decodes.text);
    }
  }
  const std::vector<uint8_t> bytes = WriteExtensionList(extensions);
  clGateWrite write(gate);
  if (!write.Open()) return;
  clRequestFile file;
  if (file.CreateAnew(answerFile)) file.Write(bytes);
}

void clInfoHelper::ServeDeleteTags(const std::wstring& requestFile) {
  std::vector<uint8_t> data;
  {
    clRequestFile file;
    if (!file.OpenExisting(requestFile) || !file.ReadHead(kMaxDelTagRequestBytes, data)) return;
  }
  DelTagRequest request;
  if (!ParseDelTagRequest(data, request)) return;
  TvMessageHandles handles = {};
  clTvCodecHandler codecs;
  clTvDecoder decoder;
  if (!codecs.FindDecoder(request.path, decoder, &handles, module_)) return;
  if (request.all) {
    decoder.DeleteATag(request.path.c_str(), nullptr);
  } else {
    const std::wstring names = TagNameList(request.names);
    decoder.DeleteATag(request.path.c_str(), names.c_str());
  }
}

void clInfoHelper::ServeSetTags(const std::wstring& requestFile) {
  std::vector<uint8_t> data;
  {
    clRequestFile file;
    if (!file.OpenExisting(requestFile) || !file.ReadHead(kMaxSetTagsRequestBytes, data)) return;
  }
  SetTagsRequest request;
  if (!ParseSetTagsRequest(data, request)) return;
  TvMessageHandles handles = {};
  clTvCodecHandler codecs;
  clTvDecoder decoder;
  if (!codecs.FindDecoder(request.path, decoder, &handles, module_)) return;
  decoder.SetIDTags(request.path.c_str(), request.tagBlock.data(), INT32(request.tagBlock.size()));
}

void clInfoHelper::WatchDebugTrace(const std::wstring& eventName, const std::wstring& traceFile) {
  if (eventName.empty() || traceFile.empty()) return;
  const std::string name = WideToAnsi(eventName);
  clEvent watch;
  for (;;) {
    bool existed = false;
    // A name that cannot be made into an event (taken by another kind of
    // object) can never become free: show the trace rather than wait forever.
    if (!watch.Create(name, &existed) || !existed) break;
    watch.Close();
    host_.Pause(kDebugWatchPollMs);
  }
  host_.OpenDocument(traceFile, PathFolder(traceFile));
  host_.Pause(kDebugShowMs);
  FileDelete(traceFile);
  watch.Close();
}

void clInfoHelper::EditTags(const std::wstring& listFile) {
  if (listFile.empty()) return;
  clTvxShellDLL library(FolderOfModule(module_) + kTvxShellLibrary);
  TvEditIDTagsFn editIDTags = library.EditIDTags();
  if (editIDTags) editIDTags(listFile.c_str());
}

}  // namespace tv
