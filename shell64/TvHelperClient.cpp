#include "TvHelperClient.h"

#include "TvFile.h"
#include "TvFileSystem.h"
#include "TvHelperProcess.h"
#include "TvInfoRequest.h"

namespace tv {

std::wstring HelperNotFoundText(const std::wstring& programPath) { return L"Error '" + programPath + L"' Not Found"; }

clTvHelperClient::clTvHelperClient(HMODULE module)
    : programPath_(FolderOfModule(module) + kHelperProgramName), inProcess_(module) {}

clTvHelperClient::~clTvHelperClient() { DeleteLeftoverRequestFiles(); }

void clTvHelperClient::DeleteRequestFile(clTempFile& request) {
  if (request.Delete()) return;
  std::lock_guard<std::mutex> hold(leftoverLock_);
  leftovers_.push_back(request.Path());
}

void clTvHelperClient::DeleteLeftoverRequestFiles() {
  std::lock_guard<std::mutex> hold(leftoverLock_);
  std::vector<std::wstring> still;
  for (const std::wstring& path : leftovers_)
    if (FileExists(path) && !FileDelete(path)) still.push_back(path);
  leftovers_.swap(still);
}

clTvHelperClient::RunResult clTvHelperClient::AskHelper(const wchar_t* option, const std::wstring& audioPath,
                                                        DWORD timeoutMs, size_t maxAnswer,
                                                        std::vector<uint8_t>& answer) {
  answer.clear();
  DeleteLeftoverRequestFiles();
  clTempFile request(kRequestFilePrefix);
  RunResult result = RunResult::NotRun;
  {
    clTvFile file;
    if (request.Created() && file.Open(request.Path(), GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING,
                                       /*showErrors=*/false, /*shared=*/true))
      result = RunOnOpenFile(file, request.Path(), option, audioPath, timeoutMs, maxAnswer, answer);
  }  // closed before it is deleted
  DeleteRequestFile(request);
  return result;
}

clTvHelperClient::RunResult clTvHelperClient::RunOnOpenFile(clTvFile& file, const std::wstring& requestPath,
                                                            const wchar_t* option, const std::wstring& audioPath,
                                                            DWORD timeoutMs, size_t maxAnswer,
                                                            std::vector<uint8_t>& answer) {
  if (!audioPath.empty()) {
    const std::vector<uint8_t> bytes = PathRequestBytes(audioPath);
    if (!file.Write(bytes.data(), DWORD(bytes.size()), kSeekFromStart)) return RunResult::NotRun;
  }
  if (!RunHelperProcess(programPath_, HelperArguments(option, requestPath), true, timeoutMs)) return RunResult::NotRun;
  const uint64_t size = file.Size();
  if (size == 0) return RunResult::Answered;
  if (size > maxAnswer) return RunResult::ReadFailed;
  answer.resize(size_t(size));
  bool failed = false;
  const DWORD read = file.Read(answer.data(), DWORD(size), kSeekFromStart, &failed);
  if (failed || read != size) {
    answer.clear();
    return RunResult::ReadFailed;
  }
  return RunResult::Answered;
}

std::wstring clTvHelperClient::FreshPopupText(const std::wstring& path) {
  std::vector<uint8_t> answer;
  switch (AskHelper(kPopupOption, path, kPopupTimeoutMs, kMaxPopupAnswerBytes, answer)) {
    case RunResult::NotRun:
      return FileExists(programPath_) ? kFrozenDecoderText : HelperNotFoundText(programPath_);
    case RunResult::ReadFailed:
      return kTipReadErrorText;
    case RunResult::Answered:
      break;
  }
  if (answer.empty()) return std::wstring();  // no decoder takes the file
  const std::wstring text = ReadPopupAnswerUtf16(answer.data(), answer.size());
  return text == path ? std::wstring(kHelperFailedText) : text;  // the request was left untouched
}

std::wstring clTvHelperClient::RequestPopupText(const std::wstring& path) {
  if (path.empty()) return std::wstring();
  const uint64_t lastWriteTime = FileLastWriteTime(path);
  {
    std::lock_guard<std::mutex> hold(cacheLock_);
    if (!popup_.path.empty() && popup_.path == path && popup_.lastWriteTime == lastWriteTime) return popup_.text;
  }
  std::wstring text = FreshPopupText(path);  // no lock while the helper runs
  std::lock_guard<std::mutex> hold(cacheLock_);
  popup_ = PopupEntry{path, lastWriteTime, text};
  return text;
}

std::shared_ptr<const FileInfo> clTvHelperClient::FreshFileInfo(const std::wstring& path, uint64_t lastWriteTime,
                                                                bool inProcess) {
  auto info = std::make_shared<FileInfo>();
  info->path = path;
  info->lastWriteTime = lastWriteTime;
  if (inProcess) return inProcess_.Read(path, *info) ? info : nullptr;
  std::vector<uint8_t> answer;
  if (AskHelper(kFileInfoOption, path, kFileInfoTimeoutMs, kMaxFileInfoAnswerBytes, answer) != RunResult::Answered)
    return nullptr;
  return ReadFileInfoAnswer(answer.data(), answer.size(), *info) ? info : nullptr;
}

std::shared_ptr<const FileInfo> clTvHelperClient::RequestFileInfo(const std::wstring& path, bool inProcess) {
  if (path.empty()) return nullptr;
  const uint64_t lastWriteTime = FileLastWriteTime(path);
  {
    std::lock_guard<std::mutex> hold(cacheLock_);
    if (fileInfo_.path == path && fileInfo_.lastWriteTime == lastWriteTime) return fileInfo_.info;
  }
  std::shared_ptr<const FileInfo> info = FreshFileInfo(path, lastWriteTime, inProcess);
  std::lock_guard<std::mutex> hold(cacheLock_);
  fileInfo_ = FileInfoEntry{path, lastWriteTime, info};
  return info;
}

std::vector<std::wstring> clTvHelperClient::RequestDecoderExtensions() {
  std::vector<std::wstring> extensions;
  std::vector<uint8_t> answer;
  if (AskHelper(kExtensionsOption, std::wstring(), kExtensionsTimeoutMs, kMaxExtensionsAnswerBytes, answer) ==
          RunResult::Answered &&
      !ReadExtensionList(answer.data(), answer.size(), extensions))
    extensions.clear();  // a list cut short is no list
  extensions.push_back(kNoRecallExtension);
  return extensions;
}

void clTvHelperClient::ReleaseDecoder() { inProcess_.Release(); }

}  // namespace tv
