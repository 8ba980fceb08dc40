#include "clWaveFormat.h"

#include <cstring>

namespace {

// The public sub-type GUIDs all read {0000XXXX-0000-0010-8000-00AA00389B71}.
constexpr std::uint8_t kSubTypeTail[8] = {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

bool IsKnownSubType(std::uint32_t code) {
  switch (code) {
    case 1: case 2: case 3: case 6: case 7: case 0x50:
      return true;
    default:
      return false;
  }
}

}  // namespace

clWaveFormat::clWaveFormat() { ApplyFixUps(); }

clWaveFormat::clWaveFormat(const clWaveFormat& other) : inline_(other.inline_), buffer_(other.buffer_) {}

clWaveFormat& clWaveFormat::operator=(const clWaveFormat& other) {
  inline_ = other.inline_;
  buffer_ = other.buffer_;
  return *this;
}

clWaveFormat::~clWaveFormat() = default;

const TvWaveFormatRecord* clWaveFormat::Record() const {
  return buffer_.empty() ? &inline_ : reinterpret_cast<const TvWaveFormatRecord*>(buffer_.data());
}

TvWaveFormatRecord* clWaveFormat::MutableRecord() {
  return buffer_.empty() ? &inline_ : reinterpret_cast<TvWaveFormatRecord*>(buffer_.data());
}

std::size_t clWaveFormat::Size() const { return sizeof(TvWaveFormatRecord) + Record()->extraSize; }

bool clWaveFormat::Set(const void* record, std::size_t available) {
  if (record == nullptr || available < sizeof(TvWaveFormatRecord)) return false;
  TvWaveFormatRecord basic;
  std::memcpy(&basic, record, sizeof basic);
  std::size_t extra = basic.extraSize;
  if (extra > available - sizeof basic) extra = available - sizeof basic;  // never read past the record
  basic.extraSize = static_cast<std::uint16_t>(extra);
  if (extra == 0) {
    inline_ = basic;
    buffer_.clear();
  } else {
    std::vector<std::uint8_t> copy(sizeof basic + extra);
    std::memcpy(copy.data(), record, copy.size());
    std::memcpy(copy.data(), &basic, sizeof basic);
    buffer_.swap(copy);
    inline_ = TvWaveFormatRecord{};
  }
  ApplyFixUps();
  return true;
}

void clWaveFormat::SetPCM(int channels, int samplesPerSec, int bitsPerSample) {
  TvWaveFormatRecord pcm{};
  pcm.formatTag = tv::kWaveFormatPcm;
  pcm.channels = static_cast<std::uint16_t>(channels);
  pcm.samplesPerSec = static_cast<std::uint32_t>(samplesPerSec);
  pcm.bitsPerSample = static_cast<std::uint16_t>(bitsPerSample);
  Set(&pcm, sizeof pcm);
}

bool clWaveFormat::IsExtensible() const {
  const TvWaveFormatRecord* r = Record();
  return r->formatTag == tv::kWaveFormatExtensible && r->extraSize >= tv::kExtensibleExtraSize;
}

int clWaveFormat::EffectiveFormatTag() const {
  if (IsExtensible()) {
    const auto* ext = reinterpret_cast<const TvWaveFormatExtensibleRecord*>(Record());
    const TvGuidRecord& g = ext->subFormat;
    if (g.data2 == 0x0000 && g.data3 == 0x0010 && std::memcmp(g.data4, kSubTypeTail, 8) == 0 &&
        IsKnownSubType(g.data1))
      return static_cast<int>(g.data1);
  }
  return Record()->formatTag;
}

void clWaveFormat::ApplyFixUps() {
  TvWaveFormatRecord* r = MutableRecord();
  const int tag = EffectiveFormatTag();
  if (tag == tv::kWaveFormatPcm || tag == tv::kWaveFormatIeeeFloat) {
    r->blockAlign = static_cast<std::uint16_t>(std::uint32_t(r->channels) * r->bitsPerSample / 8);
    r->avgBytesPerSec = static_cast<std::uint32_t>(std::uint64_t(r->blockAlign) * r->samplesPerSec);
  }
  if (r->avgBytesPerSec == 0) r->avgBytesPerSec = 1;
  if (r->blockAlign == 0) r->blockAlign = 1;
}

// The fix-ups keep both divisors at 1 or more; the guards cover a record
// changed behind our back.
std::int64_t clWaveFormat::BytesToMs(std::int64_t bytes) const {
  const std::int64_t perSecond = BytesPerSec() ? BytesPerSec() : 1;
  return bytes * 1000 / perSecond;
}

std::int64_t clWaveFormat::AlignDown(std::int64_t bytes) const {
  const std::int64_t align = BlockAlign() ? BlockAlign() : 1;
  return bytes / align * align;
}

std::int64_t clWaveFormat::MsToBytes(std::int64_t ms) const {
  const std::int64_t perSecond = BytesPerSec() ? BytesPerSec() : 1;
  return AlignDown(perSecond * ms / 1000);
}

std::wstring clWaveFormat::Dump() const {
  const TvWaveFormatRecord* r = Record();
  std::wstring text = L"Format Tag: " + std::to_wstring(r->formatTag) +
                      L"  Channels: " + std::to_wstring(r->channels) +
                      L"  Bits per Sample: " + std::to_wstring(r->bitsPerSample) +
                      L"  Samples Per Second: " + std::to_wstring(r->samplesPerSec) +
                      L"  Bytes Per Second: " + std::to_wstring(r->avgBytesPerSec) +
                      L"  Block Align: " + std::to_wstring(r->blockAlign) +
                      L"  CB Size: " + std::to_wstring(r->extraSize);
  if (IsExtensible()) text += L"  Extensible Sub-Format: " + std::to_wstring(EffectiveFormatTag());
  return text;
}

bool clWaveFormat::CopyTo(void* destination, std::size_t capacity) const {
  if (destination == nullptr || capacity < sizeof(TvWaveFormatRecord)) return false;
  const std::size_t size = Size();
  const std::size_t copied = size < capacity ? size : capacity;
  std::memcpy(destination, Record(), copied);
  if (copied < capacity) std::memset(static_cast<std::uint8_t*>(destination) + copied, 0, capacity - copied);
  if (copied == size) return true;
  TvWaveFormatRecord basic;
  std::memcpy(&basic, destination, sizeof basic);
  basic.extraSize = static_cast<std::uint16_t>(copied - sizeof basic);
  std::memcpy(destination, &basic, sizeof basic);
  return false;
}
