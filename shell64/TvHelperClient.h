// The shell extension's questions to TipfetchInfo: the pop-up text of an info
// tip, the tags and properties behind the Explorer columns, and the list of
// extensions the decoders read. Each question is one run of the helper on a
// temporary request file. The last answer of each kind is kept per path and
// last-write time.
//
// Shell threads call in at the same time: each cache is replaced whole under
// a lock that is held only to look at or replace it, never while the helper
// runs, and callers get their own copy (or a shared, never-changed record),
// so no thread ever sees another file's data or half of an update.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "TvFileInfo.h"
#include "TvFile.h"
#include "TvInProcessReader.h"
#include "TvTempFile.h"

namespace tv {

// Texts the info tip shows when the helper gives none.
constexpr const wchar_t* kFrozenDecoderText = L"Error: Decoder appears to have frozen, corrupt audio file?";
constexpr const wchar_t* kTipReadErrorText = L"Error Reading ToolTip";
constexpr const wchar_t* kHelperFailedText = L"Error TipfetchInfo failed.";
// "Error '<program path>' Not Found".
std::wstring HelperNotFoundText(const std::wstring& programPath);

// Ends the decoder extension list, so it is never empty and never asked for again.
constexpr const wchar_t* kNoRecallExtension = L".NORECALL";

// Largest answers read back; a bigger request file counts as unreadable.
constexpr size_t kMaxPopupAnswerBytes = 1024 * 1024;
constexpr size_t kMaxFileInfoAnswerBytes = 2 * size_t(kMaxAnswerBlockBytes) + 3 * 8 + kAudioInfoRecordBytes;
constexpr size_t kMaxExtensionsAnswerBytes = 4 * 1024 * 1024;

class clTvHelperClient {
 public:
  // TipfetchInfo.exe and the decoder folder are looked for beside `module`.
  explicit clTvHelperClient(HMODULE module);
  virtual ~clTvHelperClient();
  clTvHelperClient(const clTvHelperClient&) = delete;
  clTvHelperClient& operator=(const clTvHelperClient&) = delete;

  const std::wstring& ProgramPath() const { return programPath_; }

  // The info tip text for `path`: cached while path and last-write time are
  // unchanged, else a fresh run of the helper, else an error text. Empty when
  // no decoder takes the file.
  virtual std::wstring RequestPopupText(const std::wstring& path);

  // The file's information, or null when there is none. Cached like the tip,
  // also when there was none, so Explorer asking column after column costs
  // one helper run per file. `inProcess` reads with a 64-bit decoder loaded
  // here instead of the helper.
  virtual std::shared_ptr<const FileInfo> RequestFileInfo(const std::wstring& path, bool inProcess);

  // The extensions the decoders read, as the helper lists them, followed by
  // ".NORECALL" (alone when the helper gave no list).
  virtual std::vector<std::wstring> RequestDecoderExtensions();

  // Unloads an in-process decoder (before the library itself is unloaded).
  virtual void ReleaseDecoder();

 private:
  enum class RunResult { Answered, NotRun, ReadFailed };

  // One request: a new "Tvp" temporary file holding the audio path (UTF-16LE,
  // no terminator), kept open and shared while the helper runs, then read
  // whole from its start; deleted in every case (later, when a helper left
  // running still holds it).
  RunResult AskHelper(const wchar_t* option, const std::wstring& audioPath, DWORD timeoutMs, size_t maxAnswer,
                      std::vector<uint8_t>& answer);
  RunResult RunOnOpenFile(clTvFile& file, const std::wstring& requestPath, const wchar_t* option,
                          const std::wstring& audioPath, DWORD timeoutMs, size_t maxAnswer,
                          std::vector<uint8_t>& answer);
  std::wstring FreshPopupText(const std::wstring& path);
  // A helper left running past its time limit still holds its request file,
  // so the file cannot go yet; it is deleted at a later request instead.
  void DeleteRequestFile(clTempFile& request);
  void DeleteLeftoverRequestFiles();
  std::shared_ptr<const FileInfo> FreshFileInfo(const std::wstring& path, uint64_t lastWriteTime, bool inProcess);

  struct PopupEntry {
    std::wstring path;
    uint64_t lastWriteTime = 0;
    std::wstring text;
  };
  struct FileInfoEntry {
    std::wstring path;  // empty: nothing cached
    uint64_t lastWriteTime = 0;
    std::shared_ptr<const FileInfo> info;  // null: the file has no information
  };

  std::wstring programPath_;
  clInProcessReader inProcess_;
  std::mutex leftoverLock_;  // guards leftovers_ only
  std::vector<std::wstring> leftovers_;
  std::mutex cacheLock_;  // guards popup_ and fileInfo_ only
  PopupEntry popup_;
  FileInfoEntry fileInfo_;
};

}  // namespace tv
