// Sources of raw PCM blocks beside the decoder: the render file of non-live
// effects (here) and standard input (TvStdInputSource.h). Both fill the block
// the same way from a known format.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "TvFile.h"
#include "TvPluginApi.h"
#include "clWaveFormat.h"

struct TvMessageHandles;

class clBlockSource {
 public:
  virtual ~clBlockSource() = default;
  // Fills a zeroed block. `byteTotal` is the count of audio bytes the run has
  // passed on so far; raw sources take their positions from it.
  virtual bool NextBlock(TvAudioBlock& block, uint64_t byteTotal) = 0;
};

namespace tv {

// Fills the fields of a raw PCM block: data and size, the format (all 40
// bytes when extensible, else its basic form), bit rate = bytes per second × 8,
// duration = size × 1000 ÷ bytes per second, position = byteTotal × 1000 ÷
// bytes per second, and the last-block flag.
void FillRawBlock(TvAudioBlock& block, const clWaveFormat& format, BYTE* data, int32_t size, uint64_t byteTotal,
                  bool lastBlock);

}  // namespace tv

// The render file as the run's source: 500 ms per block of what remains.
class clRenderFileSource : public clBlockSource {
 public:
  clRenderFileSource() = default;
  ~clRenderFileSource() override = default;

  // Opens the file for reading; everything in it is what remains.
  virtual bool Open(const std::wstring& path, const clWaveFormat& format, const TvMessageHandles* handles);
  bool NextBlock(TvAudioBlock& block, uint64_t byteTotal) override;
  virtual void Close() { file_.Close(); }
  uint64_t Remaining() const { return remaining_; }

 private:
  tv::clTvFile file_;
  clWaveFormat format_;
  uint64_t remaining_ = 0;
  std::vector<BYTE> buffer_;
  const TvMessageHandles* handles_ = nullptr;
};
