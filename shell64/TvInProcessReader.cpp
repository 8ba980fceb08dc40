#include "TvInProcessReader.h"

#include <cstring>

#include "TvPluginApi.h"

namespace tv {

static_assert(offsetof(TvStreamInfo, description) == kStreamAudioOffset, "audio record offset");
static_assert(sizeof(TvStreamInfo) >= kStreamAudioOffset + kAudioInfoRecordBytes, "audio record size");

bool clInProcessReader::Read(const std::wstring& path, FileInfo& info) {
  std::lock_guard<std::mutex> hold(lock_);
  if (!handler_.FindDecoder(path, decoder_, &handles_, module_)) return false;
  TvStreamInfo stream;
  std::memset(&stream, 0, sizeof(stream));
  stream.sourcePath = path.c_str();
  stream.openFlags = kInspectOpenFlags;
  const bool opened = decoder_.Open(&stream) != 0;
  if (opened) {
    // The wrapper has checked both blocks are readable at their stated sizes.
    info.tags.Load(stream.tagBlock, stream.tagBlock ? stream.tagBlockSize : 0);
    info.elements.Load(stream.propertyBlock, stream.propertyBlock ? stream.propertyBlockSize : 0);
    std::memcpy(info.audio, reinterpret_cast<const uint8_t*>(&stream) + kStreamAudioOffset, kAudioInfoRecordBytes);
  }
  decoder_.DestroyInstance();  // the library stays for the next file
  return opened;
}

void clInProcessReader::Release() {
  std::lock_guard<std::mutex> hold(lock_);
  decoder_.Unload();
}

}  // namespace tv
