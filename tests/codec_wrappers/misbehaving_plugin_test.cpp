// A plug-in that returns null, unterminated or unreadable texts, absurd sizes
// or bad pointers must not bring the host down: the wrappers drop what
// cannot be read and report it.
#include "PluginTestSupport.h"
#include "clTvDSP.h"
#include "clTvDecoder.h"

using namespace tvtest;

namespace {

class Misbehaving : public PluginTest {
 protected:
  void Start(const wchar_t* modes) {
    SetKnob(L"TVTEST_DEC_MISBEHAVE", modes);
    source_ = TempPath(L"a.tvt");
    WriteFileBytes(source_, "TVTEST ms=100 block_ms=50\n");
    ASSERT_TRUE(decoder_.Load(PluginPath(L"decoder\\tvtest_dec.dll").c_str()));
    ASSERT_TRUE(decoder_.Create(&handles_));
  }
  int OpenSource(TvStreamInfo& stream) {
    stream = TvStreamInfo{};
    stream.sourcePath = source_.c_str();
    stream.openFlags = TV_OPEN_INSPECT;
    return decoder_.Open(&stream);
  }
  std::wstring source_;
  clTvDecoder decoder_;
};

class BadTexts : public Misbehaving, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(BadTexts, CountAsMissing) {
  Start(GetParam());
  const tv::TvSettingTexts decodes = decoder_.GetDecodes(0);
  EXPECT_EQ(decodes.result, 1) << "the plug-in claims success";
  EXPECT_FALSE(decodes.hasText);
  EXPECT_FALSE(decodes.hasText2);
  EXPECT_FALSE(decoder_.GetDecoderDescription().hasText);
  EXPECT_FALSE(decoder_.GetPropertyElements(true).hasText);
  EXPECT_FALSE(decoder_.GetOption(TV_KEY_OPTIONS, 0, 0).hasText3);

  SetKnob(L"TVTEST_DEC_ACTION", L"busy");
  TvStreamInfo stream;
  ASSERT_EQ(OpenSource(stream), 1);
  TvAudioBlock block = {};
  decoder_.DecodeBlock(&block);
  EXPECT_EQ(block.actionText, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Modes, BadTexts, ::testing::Values(L"nulltext", L"unterminated", L"badpointer"));

class BadBlocks : public Misbehaving, public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(BadBlocks, AreDroppedAndReported) {
  Start(GetParam());
  TvStreamInfo stream;
  EXPECT_EQ(OpenSource(stream), 1);
  EXPECT_EQ(stream.tagBlock, nullptr);
  EXPECT_EQ(stream.tagBlockSize, 0);
  EXPECT_EQ(stream.propertyBlock, nullptr);
  EXPECT_EQ(stream.propertyBlockSize, 0);
  const std::wstring openErrors = errors_.Take();
  EXPECT_NE(openErrors.find(L"tag block that cannot be read"), std::wstring::npos) << openErrors;
  EXPECT_NE(openErrors.find(L"property block that cannot be read"), std::wstring::npos) << openErrors;

  TvAudioBlock block = {};
  EXPECT_EQ(decoder_.DecodeBlock(&block), 0) << "unreadable audio is a failed block, not a success";
  EXPECT_EQ(block.data, nullptr);
  EXPECT_EQ(block.dataSize, 0);
  EXPECT_NE(errors_.Take().find(L"audio data that cannot be read"), std::wstring::npos);
}

INSTANTIATE_TEST_SUITE_P(Modes, BadBlocks, ::testing::Values(L"hugesize", L"badpointer"));

TEST_F(Misbehaving, OversizedWaveFormatExtraIsCut) {
  Start(L"cbsize");
  TvStreamInfo stream;
  ASSERT_EQ(OpenSource(stream), 1);
  EXPECT_EQ(stream.description.format.Format.cbSize, 22);
  EXPECT_TRUE(errors_.Take().empty()) << "well-formed blocks pass unreported";
}

TEST_F(Misbehaving, DspReturningAnAbsurdSizeFailsTheBlock) {
  SetKnob(L"TVTEST_DSP_MISBEHAVE", L"hugesize");
  clTvDSP dsp;
  ASSERT_TRUE(dsp.Load(PluginPath(L"DSPs\\tvtest_dsp.dll").c_str()));
  ASSERT_TRUE(dsp.Create(&handles_));
  BYTE data[4] = {};
  TvAudioBlock block = {};
  block.data = data;
  block.dataSize = 4;
  EXPECT_EQ(dsp.PassAudioBlock(&block), 0);
  EXPECT_EQ(block.dataSize, 0);
  EXPECT_NE(errors_.Take().find(L"audio data that cannot be read"), std::wstring::npos);
}

}  // namespace
