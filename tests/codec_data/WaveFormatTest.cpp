#include <windows.h>
#include <mmreg.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "clWaveFormat.h"

namespace {

// The platform's own records must overlay ours byte for byte.
static_assert(sizeof(WAVEFORMATEX) == sizeof(TvWaveFormatRecord), "");
static_assert(sizeof(WAVEFORMATEXTENSIBLE) == sizeof(TvWaveFormatExtensibleRecord), "");
static_assert(offsetof(WAVEFORMATEX, wFormatTag) == offsetof(TvWaveFormatRecord, formatTag), "");
static_assert(offsetof(WAVEFORMATEX, nChannels) == offsetof(TvWaveFormatRecord, channels), "");
static_assert(offsetof(WAVEFORMATEX, nSamplesPerSec) == offsetof(TvWaveFormatRecord, samplesPerSec), "");
static_assert(offsetof(WAVEFORMATEX, nAvgBytesPerSec) == offsetof(TvWaveFormatRecord, avgBytesPerSec), "");
static_assert(offsetof(WAVEFORMATEX, nBlockAlign) == offsetof(TvWaveFormatRecord, blockAlign), "");
static_assert(offsetof(WAVEFORMATEX, wBitsPerSample) == offsetof(TvWaveFormatRecord, bitsPerSample), "");
static_assert(offsetof(WAVEFORMATEX, cbSize) == offsetof(TvWaveFormatRecord, extraSize), "");
static_assert(offsetof(WAVEFORMATEXTENSIBLE, Samples) ==
                  offsetof(TvWaveFormatExtensibleRecord, validBitsPerSample), "");
static_assert(offsetof(WAVEFORMATEXTENSIBLE, dwChannelMask) ==
                  offsetof(TvWaveFormatExtensibleRecord, channelMask), "");
static_assert(offsetof(WAVEFORMATEXTENSIBLE, SubFormat) == offsetof(TvWaveFormatExtensibleRecord, subFormat), "");

// {0000XXXX-0000-0010-8000-00AA00389B71}
GUID PublicSubType(WORD code) {
  return GUID{code, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
}

WAVEFORMATEXTENSIBLE Extensible(const GUID& subType, WORD channels, DWORD rate, WORD bits) {
  WAVEFORMATEXTENSIBLE w{};
  w.Format.wFormatTag = WAVE_FORMAT_EXTENSIBLE;
  w.Format.nChannels = channels;
  w.Format.nSamplesPerSec = rate;
  w.Format.wBitsPerSample = bits;
  w.Format.cbSize = 22;
  w.Samples.wValidBitsPerSample = bits;
  w.dwChannelMask = 3;
  w.SubFormat = subType;
  return w;
}

TEST(WaveFormat, PcmFixUpsComputeAlignAndRate) {
  clWaveFormat f;
  f.SetPCM(2, 44100, 16);
  EXPECT_EQ(f.FormatTag(), 1);
  EXPECT_EQ(f.BlockAlign(), 4);
  EXPECT_EQ(f.BytesPerSec(), 176400u);
  EXPECT_EQ(f.ExtraSize(), 0);
  EXPECT_EQ(f.Size(), 18u);
}

TEST(WaveFormat, SetRecomputesPcmAndFloatButKeepsOtherTagsExceptZeroes) {
  struct Case { WORD tag; WORD channels; DWORD rate; WORD bits; DWORD bps; WORD align; DWORD wantBps; WORD wantAlign; };
  const Case cases[] = {
      {1, 2, 48000, 24, 7, 9, 288000, 6},   // PCM: recomputed whatever was given
      {3, 2, 48000, 32, 0, 0, 384000, 8},   // IEEE float: recomputed
      {2, 2, 44100, 4, 22000, 2048, 22000, 2048},  // ADPCM: left as given
      {0x55, 2, 44100, 0, 0, 0, 1, 1},      // compressed with zeroes: both become 1
      {1, 0, 44100, 16, 0, 0, 1, 1},        // PCM without channels: zero align becomes 1
  };
  for (const Case& c : cases) {
    WAVEFORMATEX w{c.tag, c.channels, c.rate, c.bps, c.align, c.bits, 0};
    clWaveFormat f;
    ASSERT_TRUE(f.Set(&w, sizeof w));
    EXPECT_EQ(f.BytesPerSec(), c.wantBps) << "tag " << c.tag;
    EXPECT_EQ(f.BlockAlign(), c.wantAlign) << "tag " << c.tag;
  }
}

TEST(WaveFormat, EffectiveTagOfExtensibleSubTypes) {
  const struct { WORD code; int want; } cases[] = {{1, 1}, {3, 3}, {6, 6}, {7, 7}, {2, 2}, {0x50, 80}, {0x55, 0xFFFE}};
  for (const auto& c : cases) {
    WAVEFORMATEXTENSIBLE w = Extensible(PublicSubType(c.code), 2, 44100, 16);
    clWaveFormat f;
    ASSERT_TRUE(f.Set(&w, sizeof w));
    EXPECT_TRUE(f.IsExtensible());
    EXPECT_EQ(f.EffectiveFormatTag(), c.want) << c.code;
  }
  GUID foreign = PublicSubType(1);
  foreign.Data4[7] = 0x72;
  WAVEFORMATEXTENSIBLE w = Extensible(foreign, 2, 44100, 16);
  clWaveFormat f;
  f.Set(&w, sizeof w);
  EXPECT_EQ(f.EffectiveFormatTag(), 0xFFFE);
}

TEST(WaveFormat, ExtensiblePcmGetsItsAlignAndRateRecomputed) {
  WAVEFORMATEXTENSIBLE w = Extensible(PublicSubType(1), 6, 48000, 24);
  w.Format.nBlockAlign = 1;
  w.Format.nAvgBytesPerSec = 5;
  clWaveFormat f;
  ASSERT_TRUE(f.Set(&w, sizeof w));
  EXPECT_EQ(f.BlockAlign(), 18);
  EXPECT_EQ(f.BytesPerSec(), 864000u);
  EXPECT_EQ(f.Size(), 40u);
  // The extra bytes travel with the copy.
  const auto* copy = reinterpret_cast<const WAVEFORMATEXTENSIBLE*>(f.Record());
  EXPECT_EQ(copy->dwChannelMask, 3u);
  EXPECT_TRUE(IsEqualGUID(copy->SubFormat, PublicSubType(1)));
}

TEST(WaveFormat, ShortExtraSizeIsNotExtensible) {
  WAVEFORMATEXTENSIBLE w = Extensible(PublicSubType(1), 2, 44100, 16);
  w.Format.cbSize = 21;
  clWaveFormat f;
  ASSERT_TRUE(f.Set(&w, sizeof w));
  EXPECT_FALSE(f.IsExtensible());
  EXPECT_EQ(f.EffectiveFormatTag(), 0xFFFE);
}

TEST(WaveFormat, ExtraSizeBeyondTheRecordIsCutToWhatIsThere) {
  WAVEFORMATEXTENSIBLE w = Extensible(PublicSubType(3), 2, 44100, 32);
  w.Format.cbSize = 60000;  // a plug-in's garbage: only 22 bytes follow
  clWaveFormat f;
  ASSERT_TRUE(f.Set(&w));  // the 40-byte reservation is the default bound
  EXPECT_EQ(f.ExtraSize(), 22);
  EXPECT_EQ(f.EffectiveFormatTag(), 3);
  EXPECT_EQ(f.BlockAlign(), 8);
}

TEST(WaveFormat, SetRefusesNullAndShortRecordsAndKeepsTheOldOne) {
  clWaveFormat f;
  f.SetPCM(1, 8000, 8);
  WAVEFORMATEX w{1, 2, 44100, 0, 0, 16, 0};
  EXPECT_FALSE(f.Set(nullptr));
  EXPECT_FALSE(f.Set(&w, 17));
  EXPECT_EQ(f.SamplesPerSec(), 8000u);
}

TEST(WaveFormat, Conversions) {
  clWaveFormat f;
  f.SetPCM(2, 44100, 16);
  EXPECT_EQ(f.MsToBytes(500), 88200);
  EXPECT_EQ(f.BytesToMs(176400), 1000);
  EXPECT_EQ(f.BytesToMs(88200), 500);
  EXPECT_EQ(f.AlignDown(7), 4);
  EXPECT_EQ(f.MsToBytes(1), 176);  // 176.4 bytes, aligned down to the block
  // 64-bit sizes: ten hours of 192 kHz 8-channel 32-bit audio.
  f.SetPCM(8, 192000, 32);
  const std::int64_t tenHours = 36000000;
  EXPECT_EQ(f.MsToBytes(tenHours), std::int64_t(6144000) * 36000);
  EXPECT_EQ(f.BytesToMs(f.MsToBytes(tenHours)), tenHours);
}

TEST(WaveFormat, ZeroBytesPerSecondActsAsOne) {
  WAVEFORMATEX w{0x55, 2, 44100, 0, 0, 0, 0};
  clWaveFormat f;
  f.Set(&w, sizeof w);
  EXPECT_EQ(f.BytesToMs(3), 3000);
  EXPECT_EQ(f.MsToBytes(3000), 3);
  EXPECT_EQ(f.AlignDown(3), 3);
}

TEST(WaveFormat, Dump) {
  clWaveFormat f;
  f.SetPCM(2, 44100, 16);
  EXPECT_EQ(f.Dump(),
            L"Format Tag: 1  Channels: 2  Bits per Sample: 16  Samples Per Second: 44100"
            L"  Bytes Per Second: 176400  Block Align: 4  CB Size: 0");
  WAVEFORMATEXTENSIBLE w = Extensible(PublicSubType(3), 2, 96000, 32);
  f.Set(&w, sizeof w);
  EXPECT_EQ(f.Dump(),
            L"Format Tag: 65534  Channels: 2  Bits per Sample: 32  Samples Per Second: 96000"
            L"  Bytes Per Second: 768000  Block Align: 8  CB Size: 22  Extensible Sub-Format: 3");
}

TEST(WaveFormat, CopyToFillsAReservationAndCutsWhatDoesNotFit) {
  WAVEFORMATEXTENSIBLE w = Extensible(PublicSubType(1), 2, 44100, 16);
  clWaveFormat f;
  f.Set(&w, sizeof w);
  std::vector<std::uint8_t> reservation(48, 0xCC);
  EXPECT_TRUE(f.CopyTo(reservation.data(), reservation.size()));
  EXPECT_EQ(std::memcmp(reservation.data(), f.Record(), 40), 0);
  EXPECT_EQ(reservation[40], 0);
  EXPECT_EQ(reservation[47], 0);

  std::vector<std::uint8_t> small(20, 0xCC);
  EXPECT_FALSE(f.CopyTo(small.data(), small.size()));
  EXPECT_EQ(reinterpret_cast<const WAVEFORMATEX*>(small.data())->cbSize, 2);
  EXPECT_FALSE(f.CopyTo(small.data(), 17));
}

TEST(WaveFormat, CopiesAreIndependent) {
  WAVEFORMATEXTENSIBLE w = Extensible(PublicSubType(1), 2, 44100, 16);
  clWaveFormat a;
  a.Set(&w, sizeof w);
  clWaveFormat b(a);
  a.SetPCM(1, 8000, 8);
  EXPECT_TRUE(b.IsExtensible());
  EXPECT_EQ(b.SamplesPerSec(), 44100u);
  b = a;
  EXPECT_FALSE(b.IsExtensible());
  EXPECT_EQ(b.Size(), 18u);
}

}  // namespace
