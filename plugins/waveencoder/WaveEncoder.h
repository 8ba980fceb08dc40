// One encoder instance: writes the blocks it is given to a WAVE file in the
// chosen sample format, and leaves the tags to the host.
#pragma once
#include <TvPluginApi.h>

#include <memory>
#include <string>

#include "PluginReport.h"
#include "RiffWriter.h"
#include "Win32File.h"

namespace tvw {

class WaveEncoder {
 public:
  explicit WaveEncoder(const TvMessageHandles* handles) : report_(handles) {}
  bool get(const std::u16string& key, TvSettingValue* value);
  bool set(const std::u16string& key, TvSettingValue* value);
  bool begin(TvConversionInfo* conversion);
  bool encodeBlock(TvAudioBlock* block);
  bool end(TvConversionInfo* conversion, INT32* writeTags);

 private:
  PluginReport report_;
  FileSink sink_;
  std::unique_ptr<WaveStreamWriter> writer_;
  WaveFormat input_, output_;
  Bytes converted_;
  std::wstring path_;
  std::u16string reply_, reply2_, reply3_;
};

}  // namespace tvw
