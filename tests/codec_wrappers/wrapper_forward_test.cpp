// Forwarders: nothing reaches a plug-in without an instance; with one, the
// calls and records reach the real test plug-ins and come back.
#include "PluginTestSupport.h"
#include "clTvDSP.h"
#include "clTvDecoder.h"
#include "clTvEncoder.h"

using namespace tvtest;

namespace {

const wchar_t kDecoder[] = L"decoder\\tvtest_dec.dll";
const wchar_t kEncoder[] = L"encoder\\tvtest.dll";
const wchar_t kDSP[] = L"DSPs\\tvtest_dsp.dll";

using Forward = PluginTest;

// Every forwarder of every wrapper, with a library (loaded = true) or
// without one, but never with an instance.
void ExpectAllForwardersReturnZero(bool loaded) {
  clTvDecoder decoder;
  clTvEncoder encoder;
  clTvDSP dsp;
  if (loaded) {
    ASSERT_TRUE(decoder.Load(PluginPath(kDecoder).c_str()));
    ASSERT_TRUE(encoder.Load(PluginPath(kEncoder).c_str()));
    ASSERT_TRUE(dsp.Load(PluginPath(kDSP).c_str()));
  }
  TvSettingValue value = {};
  TvStreamInfo stream = {};
  stream.sourcePath = L"C:\\x.tvt";
  TvAudioBlock block = {};
  TvConversionInfo conversion = {};
  TvAudioDescription description = {};

  EXPECT_EQ(decoder.Get(TV_KEY_DECODES, &value), 0);
  EXPECT_EQ(decoder.Set(TV_KEY_BATCHID, &value), 0);
  EXPECT_EQ(decoder.Open(&stream), 0);
  EXPECT_EQ(decoder.Close(&conversion), 0);
  EXPECT_EQ(decoder.DecodeBlock(&block), 0);
  EXPECT_EQ(decoder.DeleteATag(L"C:\\x.tvt", nullptr), 0);
  EXPECT_EQ(decoder.GetDecodes(0).result, 0);
  EXPECT_EQ(decoder.SetIDTags(L"C:\\x.tvt", nullptr, 0), 0);
  EXPECT_EQ(decoder.SetDecodeAsHighestQuality(), 0);

  EXPECT_EQ(encoder.Get(TV_KEY_EXTENSION, &value), 0);
  EXPECT_EQ(encoder.Set(TV_KEY_PRIORITY, &value), 0);
  EXPECT_EQ(encoder.BeginConversion(&conversion), 0);
  EXPECT_EQ(encoder.EncodeBlock(&block), 0);
  INT32 writeTags = 7;
  EXPECT_EQ(encoder.EndConversion(&conversion, &writeTags), 0);
  EXPECT_EQ(writeTags, 0) << "the out flag is cleared before anything else";
  EXPECT_EQ(encoder.EndConversion(&conversion, nullptr), 0);
  EXPECT_EQ(encoder.GetSendRawUnCompressed(L"a", L"b", L"c"), 0);

  EXPECT_EQ(dsp.Get(TV_KEY_IS_LIVE, &value), 0);
  EXPECT_EQ(dsp.Set(TV_KEY_BATCHID, &value), 0);
  EXPECT_EQ(dsp.BeginConversion(&conversion, L""), 0);
  EXPECT_EQ(dsp.PassAudioBlock(&block), 0);
  EXPECT_EQ(dsp.PassNonLive(L"C:\\x.pcm", &description, L"", L"quit"), 0);
  EXPECT_EQ(dsp.EndConversion(&conversion), 0);
  EXPECT_EQ(dsp.AfterConversion(&conversion), 0);
}

TEST_F(Forward, WithoutInstanceEveryForwarderReturnsZero) {
  ExpectAllForwardersReturnZero(false);
  ExpectAllForwardersReturnZero(true);
  EXPECT_TRUE(LogLines().empty()) << "no plug-in entry was called";
}

TEST_F(Forward, DecodesTheChosenFormatAndLength) {
  // The file's own first line overrides the knobs.
  const std::wstring source = TempPath(L"tone.tvt");
  WriteFileBytes(source, "TVTEST rate=8000 channels=1 bits=16 ms=250 block_ms=100\n");
  SetKnob(L"TVTEST_DEC_ACTION", L"Decoding tone");
  clTvDecoder decoder;
  ASSERT_TRUE(decoder.Load(PluginPath(kDecoder).c_str()));
  ASSERT_TRUE(decoder.Create(&handles_));

  TvStreamInfo stream = {};
  stream.sourcePath = source.c_str();
  stream.openFlags = TV_OPEN_CONVERT;
  ASSERT_EQ(decoder.Open(&stream), 1);
  EXPECT_EQ(stream.description.format.Format.nSamplesPerSec, 8000u);
  EXPECT_EQ(stream.description.format.Format.nChannels, 1);
  EXPECT_EQ(stream.description.lengthMs, 250);

  std::string pcm;
  std::vector<INT32> sizes;
  for (int guard = 0; guard < 100; ++guard) {
    TvAudioBlock block = {};
    ASSERT_EQ(decoder.DecodeBlock(&block), 1);
    pcm.append(reinterpret_cast<const char*>(block.data), static_cast<size_t>(block.dataSize));
    sizes.push_back(block.dataSize);
    ASSERT_NE(block.actionText, nullptr);
    EXPECT_STREQ(block.actionText, L"Decoding tone");
    if (block.lastBlock) break;
  }
  EXPECT_EQ(sizes, (std::vector<INT32>{1600, 1600, 800}));
  for (size_t i = 0; i < pcm.size(); ++i) ASSERT_EQ(static_cast<unsigned char>(pcm[i]), i % 251) << i;
  TvConversionInfo conversion = {};
  EXPECT_EQ(decoder.Close(&conversion), 1);
}

TEST_F(Forward, EncoderWritesBlocksVerbatimAndAsksForTags) {
  SetKnob(L"TVTEST_ENC_WRITE_TAGS", L"1");
  const std::wstring output = TempPath(L"out.tvo");
  clTvEncoder encoder;
  ASSERT_TRUE(encoder.Load(PluginPath(kEncoder).c_str()));
  ASSERT_TRUE(encoder.Create(&handles_));
  TvConversionInfo conversion = {};
  conversion.sourcePath = L"-";
  conversion.outputPath = output.c_str();
  ASSERT_EQ(encoder.BeginConversion(&conversion), 1);
  std::string first = "first block", second = "and the second";
  for (std::string* data : {&first, &second}) {
    TvAudioBlock block = {};
    block.data = reinterpret_cast<BYTE*>(&(*data)[0]);
    block.dataSize = static_cast<INT32>(data->size());
    ASSERT_EQ(encoder.EncodeBlock(&block), 1);
  }
  INT32 writeTags = 0;
  ASSERT_EQ(encoder.EndConversion(&conversion, &writeTags), 1);
  EXPECT_EQ(writeTags, 1);
  EXPECT_EQ(ReadFileBytes(output), first + second);
}

TEST_F(Forward, EncoderThatReadsTheSourceItselfCopiesIt) {
  SetKnob(L"TVTEST_ENC_SEND_RAW", L"1");
  const std::wstring source = TempPath(L"in.raw"), output = TempPath(L"out.tvo");
  WriteFileBytes(source, std::string("raw\0bytes", 9));
  clTvEncoder encoder;
  ASSERT_TRUE(encoder.Load(PluginPath(kEncoder).c_str()));
  ASSERT_TRUE(encoder.Create(&handles_));
  EXPECT_EQ(encoder.GetSendRawUnCompressed(source.c_str(), L"-b 128", output.c_str()), 1);
  EXPECT_TRUE(Logged("Get SendRawUnCompressed index=0 number=0 text=" + std::string(source.begin(), source.end()) +
                     " text2=-b 128"));
  TvConversionInfo conversion = {};
  conversion.sourcePath = source.c_str();
  conversion.outputPath = output.c_str();
  ASSERT_EQ(encoder.BeginConversion(&conversion), 1);
  ASSERT_EQ(encoder.EndConversion(&conversion, nullptr), 1);
  EXPECT_EQ(ReadFileBytes(output), std::string("raw\0bytes", 9));
}

TEST_F(Forward, DspChangesBlocksAndFilesInPlace) {
  clTvDSP dsp;
  ASSERT_TRUE(dsp.Load(PluginPath(kDSP).c_str()));
  ASSERT_TRUE(dsp.Create(&handles_));
  EXPECT_EQ(dsp.GetIsLive(L"xor=1 live=0"), 0);
  EXPECT_EQ(dsp.GetIsLive(L"xor=1"), 1);

  TvConversionInfo conversion = {};
  ASSERT_EQ(dsp.BeginConversion(&conversion, L"xor=255"), 1);
  BYTE data[3] = {0x00, 0x0F, 0xFF};
  TvAudioBlock block = {};
  block.data = data;
  block.dataSize = 3;
  ASSERT_EQ(dsp.PassAudioBlock(&block), 1);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), 3), std::string("\xFF\xF0\x00", 3));

  const std::wstring pcm = TempPath(L"stage.pcm");
  WriteFileBytes(pcm, std::string("\x01\x02", 2));
  TvAudioDescription description = {};
  description.format.Format.nBlockAlign = 4;
  ASSERT_EQ(dsp.PassNonLive(pcm.c_str(), &description, L"xor=3 rate=22050", L"tvtest_no_such_event"), 1);
  EXPECT_EQ(ReadFileBytes(pcm), std::string("\x02\x01", 2));
  EXPECT_EQ(description.format.Format.nSamplesPerSec, 22050u);
  EXPECT_EQ(description.format.Format.nAvgBytesPerSec, 88200u);
  EXPECT_EQ(dsp.EndConversion(&conversion), 1);
  EXPECT_EQ(dsp.AfterConversion(&conversion), 1);
}

// A chosen call writes an error line or a note, or fails.
struct ReportCase {
  const wchar_t* knob;
  const wchar_t* value;
  std::wstring expectedErrors;
  std::wstring expectedInfos;
  int expectedOpen;
};

class DecoderReports : public PluginTest, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(DecoderReports, ReachTheChannels) {
  const std::wstring source = TempPath(L"a.tvt");
  WriteFileBytes(source, "x");
  SetKnob(GetParam().knob, GetParam().value);
  clTvDecoder decoder;
  ASSERT_TRUE(decoder.Load(PluginPath(kDecoder).c_str()));
  ASSERT_TRUE(decoder.Create(&handles_));
  TvStreamInfo stream = {};
  stream.sourcePath = source.c_str();
  EXPECT_EQ(decoder.Open(&stream), GetParam().expectedOpen);
  EXPECT_EQ(errors_.Take(), GetParam().expectedErrors);
  EXPECT_EQ(infos_.Take(), GetParam().expectedInfos);
}

INSTANTIATE_TEST_SUITE_P(
    Knobs, DecoderReports,
    ::testing::Values(ReportCase{L"TVTEST_DEC_ERROR", L"Open", L"tvtest_dec: error in Open\r\n", L"", 1},
                      ReportCase{L"TVTEST_DEC_ERROR", L"Get,Close", L"", L"", 1},
                      ReportCase{L"TVTEST_DEC_INFO", L"Open", L"", L"tvtest_dec: note from Open\r\n", 1},
                      ReportCase{L"TVTEST_DEC_FAIL", L"Open", L"", L"", 0},
                      ReportCase{L"TVTEST_DEC_FAIL", L"Get:Decodes", L"", L"", 1}));

TEST_F(Forward, OpenOfAMissingFileFailsWithAnErrorLine) {
  clTvDecoder decoder;
  ASSERT_TRUE(decoder.Load(PluginPath(kDecoder).c_str()));
  ASSERT_TRUE(decoder.Create(&handles_));
  const std::wstring missing = TempPath(L"missing.tvt");
  TvStreamInfo stream = {};
  stream.sourcePath = missing.c_str();
  EXPECT_EQ(decoder.Open(&stream), 0);
  EXPECT_EQ(errors_.Take(), L"tvtest_dec: cannot open " + missing + L"\r\n");
}

TEST_F(Forward, TagsAreWrittenReadBackAndDeleted) {
  const std::wstring file = TempPath(L"song.tvt");
  WriteFileBytes(file, "x");
  clTvDecoder decoder;
  ASSERT_TRUE(decoder.Load(PluginPath(kDecoder).c_str()));
  ASSERT_TRUE(decoder.Create(&handles_));

  // ARTIST=A, TITLE=T (with three data bytes), ALBUM=B in the flat form.
  struct Element {
    std::string name, value, data;
  };
  std::string block("\x03\0\0\0", 4), titleElement;
  for (const Element& e : std::vector<Element>{{"ARTIST", "A", ""}, {"TITLE", "T", "\x01\x02\x03"}, {"ALBUM", "B", ""}}) {
    std::string element;
    for (const std::string& text : {e.name, e.value}) {
      for (char c : text) element += std::string(1, c) + '\0';
      element += std::string(2, '\0');
    }
    element += e.data;
    const INT32 size = static_cast<INT32>(element.size() + 4);
    element = std::string(reinterpret_cast<const char*>(&size), 4) + element;
    if (e.name == "TITLE") titleElement = element;
    block += element;
  }
  ASSERT_EQ(decoder.SetIDTags(file.c_str(), block.data(), static_cast<INT32>(block.size())), 1);

  TvStreamInfo stream = {};
  stream.sourcePath = file.c_str();
  stream.openFlags = TV_OPEN_TAGS_ONLY;
  ASSERT_EQ(decoder.Open(&stream), 1);
  ASSERT_EQ(stream.tagBlockSize, static_cast<INT32>(block.size()));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(stream.tagBlock), block.size()), block);

  EXPECT_EQ(decoder.DeleteATag(file.c_str(), L"artist\0ALBUM\0"), 1);
  EXPECT_TRUE(Logged("DeleteATag path=" + std::string(file.begin(), file.end()) + " names=artist|ALBUM"));
  stream = TvStreamInfo{};
  stream.sourcePath = file.c_str();
  ASSERT_EQ(decoder.Open(&stream), 1);
  ASSERT_EQ(stream.tagBlockSize, static_cast<INT32>(4 + titleElement.size()));  // only TITLE is left, data and all
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(stream.tagBlock) + 4, titleElement.size()), titleElement);

  EXPECT_EQ(decoder.DeleteATag(file.c_str(), nullptr), 1);
  EXPECT_EQ(GetFileAttributesW((file + L".tvtags").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Forward, TagNameListsAreBuiltWhole) {
  const std::wstring file = TempPath(L"song.tvt");
  clTvDecoder decoder;
  ASSERT_TRUE(decoder.Load(PluginPath(kDecoder).c_str()));
  EXPECT_EQ(decoder.DeleteTags(file.c_str(), {L"ARTIST"}), 0) << "no instance";
  ASSERT_TRUE(decoder.Create(&handles_));
  EXPECT_EQ(decoder.DeleteTags(file.c_str(), {L"", L"ARTIST", std::wstring(L"TITLE\0junk", 10)}), 1);
  EXPECT_TRUE(Logged("names=ARTIST|TITLE")) << "an empty name does not end the list early";
  EXPECT_EQ(decoder.DeleteTags(file.c_str(), {L""}), 1);
  EXPECT_EQ(decoder.DeleteTags(file.c_str(), {}), 1);
  int deletes = 0;
  for (const std::string& line : LogLines()) deletes += line.find("DeleteATag") != std::string::npos;
  EXPECT_EQ(deletes, 1) << "an empty selection never reaches the plug-in";
}

TEST_F(Forward, KeysOfTheListingPrograms) {
  SetKnob(L"TVTEST_DEC_DECODES", L".aaa|Type A;.bbb|Type B");
  clTvDecoder decoder;
  clTvEncoder encoder;
  ASSERT_TRUE(decoder.Load(PluginPath(kDecoder).c_str()));
  ASSERT_TRUE(encoder.Load(PluginPath(kEncoder).c_str()));
  ASSERT_TRUE(decoder.Create(&handles_));
  ASSERT_TRUE(encoder.Create(&handles_));

  tv::TvSettingTexts decodes = decoder.GetDecodes(1);
  EXPECT_EQ(decodes.result, 1);
  EXPECT_EQ(decodes.text, L".bbb");
  EXPECT_EQ(decodes.text2, L"Type B");
  decodes = decoder.GetDecodes(2);
  EXPECT_EQ(decodes.result, 0);
  EXPECT_FALSE(decodes.hasText);

  EXPECT_EQ(decoder.GetDecoderDescription().text, L"Tonvera test decoder");
  EXPECT_EQ(decoder.GetPropertyElements(false).text, L"Sample Rate\rChannels");

  tv::TvSettingTexts option = decoder.GetOption(TV_KEY_OPTIONS, 0, 0);
  EXPECT_EQ(option.text, L"Test Quality");
  EXPECT_EQ(option.text2, L"TestDecoder\\Quality");
  EXPECT_EQ(option.text3, L"Low");
  EXPECT_EQ(decoder.GetOption(TV_KEY_OPTIONS, 1, 0).result, 0) << "option numbers may have gaps";
  EXPECT_EQ(decoder.GetOption(TV_KEY_OPTIONS, 2, 1).text3, L"B");
  EXPECT_EQ(decoder.GetOption(TV_KEY_ID_TAG_OPTIONS, 0, 0).text, L"Tag Version");
  EXPECT_EQ(encoder.GetOption(0, 1).text3, L"256");

  EXPECT_EQ(decoder.SetBatchID(42), 1);
  EXPECT_EQ(decoder.SetDecodeAsHighestQuality(), 1);
  EXPECT_EQ(encoder.SetPriority(L"low"), 1);
  EXPECT_EQ(encoder.SetBatchID(42), 1);
  EXPECT_TRUE(Logged("tvtest_dec Set BatchID number=42"));
  EXPECT_TRUE(Logged("tvtest_dec Set Decode As number=0 text=Highest Quality"));
  EXPECT_TRUE(Logged("tvtest_enc Set Priority number=0 text=low"));
}

}  // namespace
