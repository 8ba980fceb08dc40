#include "IDTagWriter.h"

#include "TvTrace.h"
#include "clTvCodecHandler.h"
#include "clTvDecoder.h"

namespace tv {

bool IDTagWriter(const std::wstring& destinationPath, const void* tagBlock, std::int32_t tagBlockSize,
                 const TvMessageHandles* handles, const ConsoleWriter& console, HMODULE module) {
  if (tagBlock == nullptr || tagBlockSize <= 0) return true;
  clTraceScope scope(handles, "TvRendermill::IDTagWriter");
  if (console) console(L"Writing ID Tags: ", false);

  // A decoder and handler of its own: the run's decoder still holds the source.
  clTvDecoder decoder;
  clTvCodecHandler handler;
  if (handler.FindDecoder(destinationPath, decoder, handles, module)) {
    if (decoder.SetIDTags(destinationPath.c_str(), tagBlock, tagBlockSize) == 0) return false;
  }
  if (console) console(L"Done", true);
  return true;
}

}  // namespace tv
