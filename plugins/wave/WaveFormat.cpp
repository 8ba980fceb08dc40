#include "WaveFormat.h"

#include <cstring>

namespace tvw {

namespace {
// The tail every standard sub-format GUID shares: -0000-0010-8000-00AA00389B71.
const std::uint8_t kGuidTail[12] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr std::uint32_t kMaxChannels = 256;
constexpr std::uint32_t kMaxRate = 10000000;
}  // namespace

std::uint16_t WaveFormat::effectiveTag() const {
  if (isExtensible()) return subFormatIsStandard ? subFormat : formatTag;
  return formatTag;
}

std::uint16_t bitsOf(SampleType t) {
  switch (t) {
    case SampleType::UInt8: return 8;
    case SampleType::Int16: return 16;
    case SampleType::Int24: return 24;
    case SampleType::Int32: return 32;
    case SampleType::Float32: return 32;
    case SampleType::Float64: return 64;
    default: return 0;
  }
}

bool isFloat(SampleType t) { return t == SampleType::Float32 || t == SampleType::Float64; }

SampleType WaveFormat::sampleType() const {
  if (channels == 0 || blockAlign % channels != 0) return SampleType::Unsupported;
  std::uint32_t container = bytesPerSample();
  std::uint16_t tag = effectiveTag();
  // The sample's meaningful bits may be fewer than its container (20 bits in
  // 3 bytes); the container decides how it is read.
  if (bitsPerSample == 0 || bitsPerSample > container * 8) return SampleType::Unsupported;
  if (tag == kTagPcm) {
    switch (container) {
      case 1: return SampleType::UInt8;
      case 2: return SampleType::Int16;
      case 3: return SampleType::Int24;
      case 4: return SampleType::Int32;
      default: return SampleType::Unsupported;
    }
  }
  if (tag == kTagFloat) {
    if (container == 4 && bitsPerSample == 32) return SampleType::Float32;
    if (container == 8 && bitsPerSample == 64) return SampleType::Float64;
  }
  return SampleType::Unsupported;
}

bool parseFmtChunk(const std::uint8_t* p, std::size_t n, WaveFormat& f, std::string& error) {
  if (n < 16) {
    error = "its 'fmt ' chunk is too short";
    return false;
  }
  f = WaveFormat();
  f.formatTag = le16(p);
  f.channels = le16(p + 2);
  f.sampleRate = le32(p + 4);
  f.avgBytesPerSec = le32(p + 8);
  f.blockAlign = le16(p + 12);
  f.bitsPerSample = le16(p + 14);
  if (n >= 18) f.extraSize = le16(p + 16);
  if (f.formatTag == kTagExtensible) {
    if (n < 40 || f.extraSize < 22) {
      error = "its extensible 'fmt ' chunk is too short";
      return false;
    }
    f.validBits = le16(p + 18);
    f.channelMask = le32(p + 20);
    f.subFormat = le16(p + 24);
    f.subFormatIsStandard = le16(p + 26) == 0 && std::memcmp(p + 28, kGuidTail, 12) == 0;
  } else {
    f.extraSize = 0;  // extra bytes of other tags carry nothing we use
  }
  return true;
}

bool validateFormat(const WaveFormat& f, std::string& error) {
  if (f.channels == 0 || f.channels > kMaxChannels) {
    error = "it has an unsupported channel count (" + std::to_string(f.channels) + ")";
    return false;
  }
  if (f.sampleRate == 0 || f.sampleRate > kMaxRate) {
    error = "it has an unsupported sample rate (" + std::to_string(f.sampleRate) + " Hz)";
    return false;
  }
  if (f.sampleType() == SampleType::Unsupported) {
    error = "its audio format is not supported (format tag " + std::to_string(f.effectiveTag()) + ", " +
            std::to_string(f.bitsPerSample) + " bits, block align " + std::to_string(f.blockAlign) +
            "); PCM 8/16/24/32-bit and IEEE float 32/64-bit are";
    return false;
  }
  return true;
}

WaveFormat formatFromRecord(const std::uint8_t* r) {
  WaveFormat f;
  std::string ignored;
  if (!parseFmtChunk(r, kFormatRecordSize, f, ignored)) f = WaveFormat();
  return f;
}

void formatToRecord(const WaveFormat& f, std::uint8_t record[kFormatRecordSize]) {
  std::memset(record, 0, kFormatRecordSize);
  Bytes body = fmtChunkBody(f);
  std::memcpy(record, body.data(), body.size() < kFormatRecordSize ? body.size() : kFormatRecordSize);
}

Bytes fmtChunkBody(const WaveFormat& f) {
  Bytes b;
  append16(b, f.formatTag);
  append16(b, f.channels);
  append32(b, f.sampleRate);
  append32(b, f.avgBytesPerSec);
  append16(b, f.blockAlign);
  append16(b, f.bitsPerSample);
  if (f.isExtensible()) {
    append16(b, 22);
    append16(b, f.validBits);
    append32(b, f.channelMask);
    append16(b, f.subFormat);
    append16(b, 0);
    appendBytes(b, kGuidTail, sizeof kGuidTail);
  } else if (f.formatTag != kTagPcm) {
    append16(b, 0);  // non-PCM formats carry the extra size field
  }
  return b;
}

WaveFormat makeFormat(SampleType type, std::uint16_t channels, std::uint32_t rate, bool forceExtensible) {
  WaveFormat f;
  std::uint16_t bits = bitsOf(type);
  std::uint16_t tag = isFloat(type) ? kTagFloat : kTagPcm;
  f.channels = channels;
  f.sampleRate = rate;
  f.bitsPerSample = bits;
  f.blockAlign = std::uint16_t(channels * (bits / 8));
  f.avgBytesPerSec = f.blockAlign * rate;
  if (forceExtensible || channels > 2 || (tag == kTagPcm && bits > 16)) {
    f.formatTag = kTagExtensible;
    f.extraSize = 22;
    f.validBits = bits;
    static const std::uint32_t kMasks[] = {0, 0x4, 0x3, 0x7, 0x33, 0x37, 0x3F, 0x13F, 0x63F};
    f.channelMask = channels < 9 ? kMasks[channels] : 0;
    f.subFormat = tag;
    f.subFormatIsStandard = true;
  } else {
    f.formatTag = tag;
  }
  return f;
}

std::string describe(const WaveFormat& f) {
  std::string kind = f.effectiveTag() == kTagFloat ? "IEEE float " : "PCM ";
  return kind + std::to_string(f.bitsPerSample) + "-bit";
}

}  // namespace tvw
