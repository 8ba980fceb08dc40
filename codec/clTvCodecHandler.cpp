#include "clTvCodecHandler.h"

#include "TvFileSystem.h"
#include "TvFolder.h"
#include "TvPath.h"
#include "TvRegistry.h"
#include "TvString.h"
#include "TvTrace.h"

namespace {

constexpr const char* kFindDecoder = "clTvCodecHandler::FindDecoder";
constexpr const char* kLoadEncoder = "clTvCodecHandler::LoadEncoder";
constexpr const wchar_t* kDecoderCacheKey = L"DecoderCache";
// A plug-in whose "Decodes" list never ends must not hang the search; the
// listing programs stop at the same number.
constexpr int kMaxDecodesIndexes = 1000;

tv::RegLocation DecoderCache() { return tv::Settings(kDecoderCacheKey); }

// The cache only ever holds full paths; anything else would let the library
// search order pick a file from the current or system folders.
bool IsFullPath(const std::wstring& path) {
  const bool drive = path.size() >= 3 && ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')) &&
                     path[1] == L':' && path[2] == L'\\';
  const bool network = path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\';
  return drive || network;
}

}  // namespace

clTvCodecHandler::clTvCodecHandler() = default;

clTvCodecHandler::~clTvCodecHandler() = default;

bool clTvCodecHandler::IsPlainCodecName(const std::wstring& codecName) {
  if (codecName.empty() || codecName.find(L"..") != std::wstring::npos) return false;
  for (wchar_t c : codecName)
    if (c == L'\\' || c == L'/' || c == L':' || c < 0x20) return false;
  return true;
}

bool clTvCodecHandler::CheckDecoder(const std::wstring& libraryPath, const std::wstring& extension,
                                    clTvDecoder& decoder, const TvMessageHandles* handles) {
  tv::Trace(L"  Checking Decoder '" + libraryPath + L"' for extension '" + extension + L"'", handles);
  if (decoder.ReloadForExtension(libraryPath.c_str(), extension) && decoder.Create(handles)) {
    for (int index = 0; index < kMaxDecodesIndexes; ++index) {
      const tv::TvSettingTexts decodes = decoder.GetDecodes(index);
      if (decodes.result == 0 || !decodes.hasText) break;
      if (tv::EqualsNoCase(decodes.text, extension)) {
        tv::Trace(L"<<< Match, using decoder", handles);
        return true;
      }
    }
  }
  // A library that does not read the extension must not stay remembered for it.
  decoder.Unload();
  return false;
}

std::wstring clTvCodecHandler::ScanDecoderFolder(const std::wstring& folder, const std::wstring& extension,
                                                 clTvDecoder& decoder, const TvMessageHandles* handles) {
  tv::clFolderEnum entries(folder, L"*.dll", /*filesOnly=*/true);
  while (entries.Next()) {
    if (CheckDecoder(entries.FullPath(), extension, decoder, handles)) return entries.FullPath();
  }
  return std::wstring();
}

bool clTvCodecHandler::FindDecoder(const std::wstring& filePath, clTvDecoder& decoder,
                                   const TvMessageHandles* handles, HMODULE module) {
  clTraceScope scope(handles, kFindDecoder);
  const std::wstring extension = tv::PathExtension(filePath);
  decoder.DestroyInstance();

  // The wrapper may still hold the decoder chosen for the previous file.
  if (!decoder.HasLibrary()) decoder.Unload();
  if (decoder.HasLibrary() && tv::EqualsNoCase(extension, decoder.Extension())) {
    tv::Trace(L"Using Existing Decoder", handles);
    return decoder.Create(handles);
  }

  std::wstring candidate;
  bool loaded = false;  // by the folder scan, with its instance
  if (!cachedExtension_.empty() && tv::EqualsNoCase(cachedExtension_, extension)) {
    tv::Trace(L"Using Cached Decoder: " + cachedPath_, handles);
    candidate = cachedPath_;
  } else {
    const std::wstring registered = tv::RegReadString(DecoderCache(), extension);
    if (IsFullPath(registered) && CheckDecoder(registered, extension, decoder, handles)) {
      tv::Trace(L"Using Registry Cached Decoder: " + registered, handles);
      candidate = registered;
    } else {
      // A registry entry that no longer reads the extension is not used: the
      // result must be a decoder that claims the file.
      const std::wstring folder = tv::FolderOfModule(module);
      if (!folder.empty()) candidate = ScanDecoderFolder(folder + L"decoder\\", extension, decoder, handles);
      loaded = !candidate.empty();
    }
  }

  bool result = false;
  if (!candidate.empty()) {
    result = loaded || (decoder.ReloadForExtension(candidate.c_str(), extension) && decoder.Create(handles));
    cachedPath_ = candidate;
    cachedExtension_ = extension;
    tv::RegWriteString(DecoderCache(), extension, candidate);
  }
  if (!result) decoder.Unload();
  return result;
}

bool clTvCodecHandler::LoadEncoder(const std::wstring& codecName, clTvEncoder& encoder,
                                   const TvMessageHandles* handles, HMODULE module) {
  clTraceScope scope(handles, kLoadEncoder);
  if (!IsPlainCodecName(codecName)) {
    tv::ReportError(L"The codec name '" + codecName +
                        L"' is not a plain file name; no encoder is loaded from outside the encoder folder",
                    handles, kLoadEncoder);
    return false;
  }
  const std::wstring folder = tv::FolderOfModule(module);
  if (folder.empty()) return false;  // never a path relative to the current folder
  const std::wstring path = folder + L"encoder\\" + codecName + L".DLL";
  tv::Trace(L"Loading Encoder '" + path + L"'", handles);
  return encoder.Reload(path.c_str()) && encoder.Create(handles);
}
