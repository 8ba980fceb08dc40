// One owned copy of a wave format record (basic 18 bytes plus its extra
// bytes), kept consistent by the fix-ups applied after every set.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "TvWaveFormatRecord.h"

class clWaveFormat {
 public:
  clWaveFormat();  // PCM with every number 0, then fixed up
  clWaveFormat(const clWaveFormat& other);
  clWaveFormat& operator=(const clWaveFormat& other);
  virtual ~clWaveFormat();

  // Copies the record: its 18 bytes plus the extra bytes it announces, but
  // never more than `available` bytes in all (a record from a plug-in may
  // claim more extra bytes than its 40-byte reservation holds; the extra size
  // is then cut to what was there). False for a null record or fewer than 18
  // bytes, leaving this object unchanged.
  virtual bool Set(const void* record, std::size_t available = tv::kWaveFormatReservedSize);
  // Plain PCM (format tag 1, no extra bytes).
  virtual void SetPCM(int channels, int samplesPerSec, int bitsPerSample);

  virtual bool IsExtensible() const;
  // The sub-type of an extensible record when it is one of the public ones
  // (1, 2, 3, 6, 7, 80), else the record's own format tag.
  virtual int EffectiveFormatTag() const;

  virtual std::int64_t BytesToMs(std::int64_t bytes) const;
  virtual std::int64_t MsToBytes(std::int64_t ms) const;
  virtual std::int64_t AlignDown(std::int64_t bytes) const;

  // One line, no line end: "Format Tag: 1  Channels: 2  ...".
  virtual std::wstring Dump() const;

  // The whole record (18 + ExtraSize() bytes).
  const TvWaveFormatRecord* Record() const;
  std::size_t Size() const;
  // Copies the record into a reservation of `capacity` bytes (zero-filling the
  // rest). When it does not fit, the copy's extra size is cut to what fits and
  // the result is false.
  bool CopyTo(void* destination, std::size_t capacity) const;

  int FormatTag() const { return Record()->formatTag; }
  int Channels() const { return Record()->channels; }
  std::uint32_t SamplesPerSec() const { return Record()->samplesPerSec; }
  std::uint32_t BytesPerSec() const { return Record()->avgBytesPerSec; }
  int BlockAlign() const { return Record()->blockAlign; }
  int BitsPerSample() const { return Record()->bitsPerSample; }
  int ExtraSize() const { return Record()->extraSize; }

 private:
  TvWaveFormatRecord* MutableRecord();
  void ApplyFixUps();

  TvWaveFormatRecord inline_{};       // used when there are no extra bytes
  std::vector<std::uint8_t> buffer_;  // 18 + extra bytes otherwise
};
