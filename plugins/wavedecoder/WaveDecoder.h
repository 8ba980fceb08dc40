// One decoder instance: opens a WAVE file, hands out its format, tags and
// properties, decodes it block by block, and writes or deletes its tags.
#pragma once
#include <TvPluginApi.h>

#include <string>

#include "PluginReport.h"
#include "RiffReader.h"
#include "TagList.h"
#include "Win32File.h"

namespace tvw {

class WaveDecoder {
 public:
  explicit WaveDecoder(const TvMessageHandles* handles) : report_(handles) {}
  bool get(const std::u16string& key, TvSettingValue* value);
  bool set(const std::u16string& key, TvSettingValue* value);
  bool open(TvStreamInfo* stream);
  bool close();
  bool decodeBlock(TvAudioBlock* block);
  bool deleteTags(const WCHAR* path, const WCHAR* names);

  // Audio bytes per block: about a quarter of a megabyte, whole frames.
  static std::size_t blockBytes(const WaveFormat& f);

 private:
  bool openAndParse(const std::wstring& path, FileSource& file, WaveLayout& layout, const char* function);
  // Reads the file's tags, lets `edit` change them, and rewrites the file
  // beside itself when anything changed.
  template <typename Edit>
  bool rewriteTags(const std::wstring& path, bool dropUnknownFrames, Edit edit, const char* function);

  PluginReport report_;
  FileSource file_;
  WaveLayout layout_;
  bool streaming_ = false;
  std::uint64_t done_ = 0;
  Bytes audio_, tagBlock_, propertyBlock_;
  std::u16string reply_, reply2_, reply3_;
  std::wstring path_;
};

}  // namespace tvw
