// Reads a file's information with a 64-bit decoder plug-in loaded into this
// process (the "TvxExpColumnLoadTv" switch), instead of asking TipfetchInfo.
// The decoder library stays loaded for the next file of the same extension.
#pragma once
#include <windows.h>

#include <mutex>
#include <string>

#include "TvFileInfo.h"
#include "TvTrace.h"
#include "clTvCodecHandler.h"
#include "clTvDecoder.h"

namespace tv {

// Open flags for reading format, tags and property elements only.
constexpr INT32 kInspectOpenFlags = 28;
// Where the audio record starts in the 64-bit stream record.
constexpr size_t kStreamAudioOffset = 12;

class clInProcessReader {
 public:
  // Decoders are looked for in the "decoder" folder beside `module`.
  explicit clInProcessReader(HMODULE module) : module_(module) {}
  virtual ~clInProcessReader() = default;
  clInProcessReader(const clInProcessReader&) = delete;
  clInProcessReader& operator=(const clInProcessReader&) = delete;

  // Fills tags, elements and audio record of `info`; false when no decoder
  // takes the file or its Open fails. One file at a time: a plug-in instance
  // is not shared between threads.
  virtual bool Read(const std::wstring& path, FileInfo& info);
  // Unloads the decoder library.
  virtual void Release();

 private:
  HMODULE module_;
  std::mutex lock_;
  TvMessageHandles handles_ = {};
  clTvCodecHandler handler_;
  clTvDecoder decoder_;
};

}  // namespace tv
