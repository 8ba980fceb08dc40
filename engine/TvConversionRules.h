// The rules of a conversion run that need no platform: where the encoder
// writes while an existing destination waits, how long the block loop pauses
// after empty blocks, whole samples, percent, the realtime factor and the
// completion text, the priority choice and rendered lengths.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "TvNumberFormat.h"

namespace tv {

// The extension that marks a destination the encoder handles itself: no
// temporary file, no tags written by the engine.
extern const wchar_t kIgnoreExtension[];  // ".IGNORE"

// True when the destination's extension (from its last ".") is ".IGNORE" in
// any letter case.
bool IsIgnoreDestination(const std::wstring& destination);

// The file the encoder writes while an existing destination waits for a
// successful end: the destination, cut to 256 - L characters when longer
// (L = length of its extension with the dot, plus one), then ".tmp" and the
// extension again ("song.mp3" -> "song.mp3.tmp.mp3").
std::wstring TemporaryDestinationPath(const std::wstring& destination);

// The pauses after blocks without audio: none after audio, then 0, 25, 25 and
// from then on 50 ms per further empty block.
class clPauseTable {
 public:
  virtual ~clPauseTable() = default;
  virtual void AfterAudio() { index_ = 0; }
  virtual void AfterEmptyBlock() {
    if (index_ < 4) ++index_;
  }
  // Milliseconds to pause now; -1 for no pause at all.
  virtual int PauseMs() const;
  int Index() const { return index_; }

 private:
  int index_ = 0;
};

// What to do with a block whose size may not be whole samples.
enum class SampleCheck {
  Whole,     // a multiple of the block alignment
  CutAtEnd,  // the last block: cut down to whole samples, go on
  MidStream  // any other block: the conversion fails
};
// Checks `size` against `blockAlign` (0 counts as 1); for the last block it
// cuts `size` down to the largest multiple.
SampleCheck CheckWholeSamples(int32_t& size, int blockAlign, bool lastBlock);

// The bytes of `available` that may go on now: whole samples only, unless the
// stream has ended (the rest then goes too, and the loop cuts it).
size_t WholeSampleBytes(size_t available, int blockAlign, bool streamEnded);

// position × 100 ÷ length (64-bit integer division, a length of 0 counted as
// 1), kept within 0..100.
int PercentDone(int64_t positionMs, int64_t lengthMs);

// Source milliseconds per elapsed millisecond (an elapsed time of 0 counts as 1).
double RealtimeSpeed(int64_t lengthMs, int64_t elapsedMs);

// "Conversion completed in " + the elapsed time in words, then, for a speed
// that is not 0, " x" + the speed + " realtime encoding" (10 or more as a
// truncated integer, below with one regional decimal). Empty for an elapsed
// time of 0: a run that took no measurable time reports nothing.
std::wstring CompletionText(int64_t elapsedMs, double speed, const RegionalSettings& regional);

// The `priority` option (compared without case).
enum class ConversionPriority { Normal, Low, Idle, High };
ConversionPriority PriorityFromOption(const std::wstring& value);

// Milliseconds of `bytes` raw PCM: bytes × 1000 ÷ (block align × samples per
// second), a zero divisor counted as 1.
int64_t RawLengthMs(uint64_t bytes, int blockAlign, uint32_t samplesPerSec);

// Bytes of 500 ms of a format (whole samples), never less than one sample;
// 0 when that is beyond what one read buffer may hold.
size_t HalfSecondBytes(uint32_t bytesPerSec, int blockAlign);

}  // namespace tv
