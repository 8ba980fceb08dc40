#include "TvBlockSource.h"

#include "TvConversionRules.h"
#include "TvTrace.h"

namespace {
const char kDecodeFunction[] = "TvRendermill::DecodeAudioBlock";
}  // namespace

namespace tv {

void FillRawBlock(TvAudioBlock& block, const clWaveFormat& format, BYTE* data, int32_t size, uint64_t byteTotal,
                  bool lastBlock) {
  const uint64_t perSecond = format.BytesPerSec() ? format.BytesPerSec() : 1;
  block.data = data;
  block.dataSize = size;
  format.CopyTo(&block.format, format.IsExtensible() ? sizeof(block.format) : sizeof(WAVEFORMATEX));
  block.bitRate = static_cast<INT32>(uint64_t(format.BytesPerSec()) * 8);
  block.durationMs = static_cast<INT64>(uint64_t(size > 0 ? size : 0) * 1000 / perSecond);
  block.positionMs = static_cast<INT64>(byteTotal / perSecond * 1000 + byteTotal % perSecond * 1000 / perSecond);
  block.lastBlock = lastBlock ? 1 : 0;
}

}  // namespace tv

bool clRenderFileSource::Open(const std::wstring& path, const clWaveFormat& format, const TvMessageHandles* handles) {
  handles_ = handles;
  format_ = format;
  file_.Close();
  if (!file_.OpenRead(path, false)) {
    tv::ReportError(L"Error reading back from temporary DSP file.", handles, kDecodeFunction);
    return false;
  }
  remaining_ = file_.Size();
  return true;
}

bool clRenderFileSource::NextBlock(TvAudioBlock& block, uint64_t byteTotal) {
  if (buffer_.empty()) {
    const size_t bytes = tv::HalfSecondBytes(format_.BytesPerSec(), format_.BlockAlign());
    if (bytes != 0) buffer_.resize(bytes);
    if (buffer_.empty()) {
      tv::ReportError(L"Error allocating buffer", handles_, kDecodeFunction);
      return false;
    }
  }
  const DWORD want = static_cast<DWORD>(remaining_ < buffer_.size() ? remaining_ : buffer_.size());
  bool failed = false;
  const DWORD got = want ? file_.Read(buffer_.data(), want, tv::kSeekNone, &failed) : 0;
  if (failed || got != want) {
    tv::ReportError(L"Error reading back from temporary DSP file.", handles_, kDecodeFunction);
    return false;
  }
  remaining_ -= got;
  tv::FillRawBlock(block, format_, buffer_.data(), static_cast<int32_t>(got), byteTotal, remaining_ == 0);
  return true;
}
