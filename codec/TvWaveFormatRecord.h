// The wave format record as it crosses the plug-in boundary, declared with
// fixed-width types so portable code can use it without <windows.h>. The
// layouts are byte-identical to WAVEFORMATEX (18 bytes) and
// WAVEFORMATEXTENSIBLE (40 bytes).
#pragma once
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

struct TvWaveFormatRecord {
  std::uint16_t formatTag;
  std::uint16_t channels;
  std::uint32_t samplesPerSec;
  std::uint32_t avgBytesPerSec;
  std::uint16_t blockAlign;
  std::uint16_t bitsPerSample;
  std::uint16_t extraSize;  // bytes that follow these 18
};

struct TvGuidRecord {
  std::uint32_t data1;
  std::uint16_t data2;
  std::uint16_t data3;
  std::uint8_t data4[8];
};

struct TvWaveFormatExtensibleRecord {
  TvWaveFormatRecord format;
  std::uint16_t validBitsPerSample;  // a union of three meanings in the platform header
  std::uint32_t channelMask;
  TvGuidRecord subFormat;
};

#pragma pack(pop)

static_assert(sizeof(TvWaveFormatRecord) == 18, "wave format record is 18 bytes");
static_assert(sizeof(TvWaveFormatExtensibleRecord) == 40, "extensible record is 40 bytes");
static_assert(offsetof(TvWaveFormatExtensibleRecord, subFormat) == 24, "sub-format GUID at offset 24");

namespace tv {

constexpr std::uint16_t kWaveFormatPcm = 1;
constexpr std::uint16_t kWaveFormatIeeeFloat = 3;
constexpr std::uint16_t kWaveFormatExtensible = 0xFFFE;
// Extra bytes the extensible form needs after the basic record.
constexpr std::uint16_t kExtensibleExtraSize = 22;
// Records inside TvStreamInfo and TvAudioBlock always reserve this much.
constexpr std::size_t kWaveFormatReservedSize = sizeof(TvWaveFormatExtensibleRecord);

}  // namespace tv
