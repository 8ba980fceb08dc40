// The audio format of a WAVE stream and the 40-byte wave format record that
// describes it across the plug-in boundary (WAVEFORMATEX, or its extensible
// form with the sub-format GUID at offset 24).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "WaveBytes.h"

namespace tvw {

enum class SampleType { Unsupported, UInt8, Int16, Int24, Int32, Float32, Float64 };

constexpr std::uint16_t kTagPcm = 1;
constexpr std::uint16_t kTagFloat = 3;
constexpr std::uint16_t kTagExtensible = 0xFFFE;
constexpr std::size_t kFormatRecordSize = 40;

struct WaveFormat {
  std::uint16_t formatTag = 0;  // as stored (0xFFFE for the extensible form)
  std::uint16_t channels = 0;
  std::uint32_t sampleRate = 0;
  std::uint32_t avgBytesPerSec = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
  std::uint16_t extraSize = 0;
  // Extensible form only.
  std::uint16_t validBits = 0;
  std::uint32_t channelMask = 0;
  std::uint16_t subFormat = 0;  // the XXXX of {0000XXXX-0000-0010-8000-00AA00389B71}
  bool subFormatIsStandard = false;

  bool isExtensible() const { return formatTag == kTagExtensible && extraSize >= 22; }
  // PCM (1), IEEE float (3), or for the extensible form the sub-format's tag.
  std::uint16_t effectiveTag() const;
  SampleType sampleType() const;
  std::uint32_t bytesPerSample() const { return channels ? blockAlign / channels : 0; }
};

// Parses a 'fmt ' chunk body. false with a reason when it is too short.
bool parseFmtChunk(const std::uint8_t* p, std::size_t n, WaveFormat& out, std::string& error);
// Checks that the format is one the plug-ins can process (PCM 8/16/24/32,
// float 32/64, sane rate and channels, consistent block align).
bool validateFormat(const WaveFormat& f, std::string& error);
// Reads a 40-byte record (from the host); extra bytes beyond the extensible
// part are ignored.
WaveFormat formatFromRecord(const std::uint8_t* record);
// The record of a format: the extensible form when the format is extensible,
// else the basic 18 bytes with zeros after.
void formatToRecord(const WaveFormat& f, std::uint8_t record[kFormatRecordSize]);
// A 'fmt ' chunk body: 16 bytes for plain PCM, 18 for float, 40 extensible.
Bytes fmtChunkBody(const WaveFormat& f);

// A consistent format: block align and bytes per second computed. The
// extensible form is used when asked, or when there are more than two
// channels or more than 16 bits (what other readers expect of such files).
WaveFormat makeFormat(SampleType type, std::uint16_t channels, std::uint32_t rate, bool forceExtensible = false);
std::uint16_t bitsOf(SampleType t);
bool isFloat(SampleType t);
std::string describe(const WaveFormat& f);  // e.g. "PCM 16-bit" or "IEEE float 32-bit"

}  // namespace tvw
