// The platform-free option rules: splitting, numbers, the {qt} escape, DSP
// effect options, the processor mask and the codec command line.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "TvCommandFileText.h"
#include "TvRendermillOptions.h"
#include "clCommandLine.h"

namespace {

using Options = std::vector<std::pair<std::wstring, std::wstring>>;

Options Split(const std::wstring& text, size_t start = 1) {
  clCommandLine line;
  line.Parse(text, start);
  Options out;
  std::wstring name, value;
  for (size_t i = 0; line.OptionAt(i, name, value); ++i) out.emplace_back(name, value);
  return out;
}

struct SplitCase {
  const wchar_t* text;
  Options expected;
};

class SplitTable : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTable, GivesOptions) {
  EXPECT_EQ(Split(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SplitTable,
    ::testing::Values(
        SplitCase{L"", {}},
        SplitCase{L"no options here", {}},
        // Space, "=", "=" between spaces, quoted or plain: all the same option.
        SplitCase{L"-outfile b.mp3", {{L"outfile", L"b.mp3"}}},
        SplitCase{L"-outfile=b.mp3", {{L"outfile", L"b.mp3"}}},
        SplitCase{L"-outfile = b.mp3", {{L"outfile", L"b.mp3"}}},
        SplitCase{L"-outfile =\"b.mp3\"", {{L"outfile", L"b.mp3"}}},
        SplitCase{L"-outfile= = \"b.mp3\"", {{L"outfile", L"b.mp3"}}},
        // Two dashes equal one.
        SplitCase{L"--outfile=b.mp3", {{L"outfile", L"b.mp3"}}},
        // Names keep their case.
        SplitCase{L"-InFile=a.wav", {{L"InFile", L"a.wav"}}},
        // A value beginning with a dash must be quoted.
        SplitCase{L"-infile - -outfile x", {{L"infile", L""}, {L"outfile", L"x"}}},
        SplitCase{L"-infile \"-\" -outfile x", {{L"infile", L"-"}, {L"outfile", L"x"}}},
        // Options without values.
        SplitCase{L"-silent -noidtag", {{L"silent", L""}, {L"noidtag", L""}}},
        SplitCase{L"-cbr", {{L"cbr", L""}}},
        SplitCase{L"-V=", {{L"V", L""}}},
        // Quoted values keep spaces, dashes and equals signs.
        SplitCase{L"-infile=\"C:\\My Music\\a-b.wav\" -V 2",
                  {{L"infile", L"C:\\My Music\\a-b.wav"}, {L"V", L"2"}}},
        SplitCase{L"-tag=\"ARTIST=A B\"", {{L"tag", L"ARTIST=A B"}}},
        // A plain value runs to the next space, equals signs included.
        SplitCase{L"-tag=ARTIST=X -x", {{L"tag", L"ARTIST=X"}, {L"x", L""}}},
        // A name ends at a quote; the quoted text is its value.
        SplitCase{L"-name\"va lue\"", {{L"name", L"va lue"}}},
        // An unclosed quote gives an empty value; scanning goes on after it.
        SplitCase{L"-a=\"x -b=2", {{L"a", L""}, {L"b", L"2"}}},
        // Empty names are skipped.
        SplitCase{L"- -= -\"q\" -- -x=1", {{L"x", L"1"}}},
        SplitCase{L"---x", {{L"-x", L""}}},
        // A dash inside plain text starts a name.
        SplitCase{L"foo-bar=1", {{L"bar", L"1"}}},
        // Several spaces between options.
        SplitCase{L"  -a=1    -b   2  ", {{L"a", L"1"}, {L"b", L"2"}}},
        // A byte-order mark is an ordinary character the scan passes over.
        SplitCase{L"\xFEFF-infile=a", {{L"infile", L"a"}}},
        // Repeated names keep their order.
        SplitCase{L"-tag=A=1 -tag=B=2", {{L"tag", L"A=1"}, {L"tag", L"B=2"}}}));

TEST(CommandLine, ParseStartsAtTheGivenPositionAndReplacesEarlierOptions) {
  clCommandLine line;
  line.Parse(L"-old=1");
  line.Parse(L"-a=1 -b=2", 6);
  std::wstring value;
  EXPECT_FALSE(line.HasOption(L"old"));
  EXPECT_FALSE(line.HasOption(L"a"));
  ASSERT_TRUE(line.GetOption(L"b", value));
  EXPECT_EQ(value, L"2");
  line.Parse(L"-a=1", 100);  // beyond the end: nothing
  EXPECT_EQ(line.OptionCount(), 0u);
}

TEST(CommandLine, LookupsFoldOnlyAsciiLetters) {
  clCommandLine line;
  line.Parse(L"-OutFile=x -\x00C4rger=1 -dup=first -dup=second");
  std::wstring value = L"stale";
  EXPECT_TRUE(line.GetOption(L"OUTFILE", value));
  EXPECT_EQ(value, L"x");
  EXPECT_TRUE(line.HasOption(L"\x00C4RGER"));
  EXPECT_FALSE(line.HasOption(L"\x00E4rger"));  // no folding beyond A-Z
  EXPECT_EQ(line.OptionValue(L"dup"), L"first");
  value = L"stale";
  EXPECT_FALSE(line.GetOption(L"missing", value));
  EXPECT_EQ(value, L"");
  std::wstring name = L"stale";
  EXPECT_FALSE(line.OptionAt(4, name, value));
  EXPECT_EQ(name, L"");
}

TEST(CommandLine, LongValuesArriveWhole) {
  const std::wstring longValue(200000, L'x');
  clCommandLine line;
  line.Parse(L"-outfile=\"" + longValue + L"\" -" + std::wstring(5000, L'n') + L"=1");
  EXPECT_EQ(line.OptionValue(L"outfile"), longValue);
  EXPECT_EQ(line.OptionValue(std::wstring(5000, L'N')), L"1");
}

TEST(ArgumentsStart, SkipsTheProgramPath) {
  const std::pair<const wchar_t*, Options> cases[] = {
      {L"\"C:\\Tv-Suite\\Rendermill.exe\" -infile=a", {{L"infile", L"a"}}},
      {L"\"C:\\Tv-Suite\\Rendermill.exe\"-infile=a", {{L"infile", L"a"}}},
      {L"C:\\Tv-Suite\\Rendermill.exe -infile=a", {{L"infile", L"a"}}},
      {L"Rendermill.exe", {}},
      {L"C:\\Tv-Suite\\Rendermill.exe", {}},      // only a path: no options from its dash
      {L"\"C:\\Tv-Suite\\Rendermill.exe", {}},    // unclosed quote: only a path
      {L"", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Split(c.first, tv::RendermillArgumentsStart(c.first)), c.second) << c.first;
}

TEST(OptionNumber, ReadsLeadingDecimalDigits) {
  const std::pair<const wchar_t*, int32_t> cases[] = {
      {L"", 0},        {L"abc", 0},          {L"-", 0},           {L"7", 7},
      {L"-12", -12},   {L"42kHz", 42},       {L"+5", 0},          {L" 5", 0},
      {L"007", 7},     {L"2147483647", 2147483647},  {L"-2147483648", -2147483647 - 1},
      {L"2147483648", 2147483647},  {L"99999999999999999999999", 2147483647},
      {L"-99999999999999999999999", -2147483647 - 1}};
  for (const auto& c : cases) EXPECT_EQ(tv::ReadOptionNumber(c.first), c.second) << c.first;
}

TEST(QuoteEscape, ReplacesEveryOccurrence) {
  EXPECT_EQ(tv::ReplaceQuoteEscapes(L"ARTIST={qt}X{qt}"), L"ARTIST=\"X\"");
  EXPECT_EQ(tv::ReplaceQuoteEscapes(L"{qt}{qt}{QT}{qt"), L"\"\"{QT}{qt");
  EXPECT_EQ(tv::ReplaceQuoteEscapes(L""), L"");
}

TEST(DspEffects, NumberedWithoutGapsAndSplitAtTheFirstEquals) {
  clCommandLine line;
  line.Parse(L"-dspeffect1=\"Echo=delay={qt}5{qt}\" -DSPEFFECT2=NoEquals "
             L"-dspeffect3=Gain=2 -dspeffect5=Lost=1");
  const auto effects = tv::CollectDspEffectOptions(line);
  ASSERT_EQ(effects.size(), 2u);
  EXPECT_EQ(effects[0].name, L"Echo");
  EXPECT_EQ(effects[0].settings, L"delay=\"5\"");
  EXPECT_EQ(effects[1].name, L"Gain");
  EXPECT_EQ(effects[1].settings, L"2");
  EXPECT_EQ(tv::CountDspEffectOptions(line), 3u);
}

TEST(DspEffects, AGapEndsTheChainAndTheRestGoesToTheEncoder) {
  clCommandLine line;
  line.Parse(L"-dspeffect1=A=1 -dspeffect3=C=3");
  const auto effects = tv::CollectDspEffectOptions(line);
  ASSERT_EQ(effects.size(), 1u);
  EXPECT_EQ(effects[0].name, L"A");
  EXPECT_EQ(tv::BuildCodecCommandLine(line, tv::CountDspEffectOptions(line)),
            L" -dspeffect3=\"C=3\"");
}

TEST(ProcessorMask, OneBitPerProcessor) {
  EXPECT_EQ(tv::ProcessorAffinityMask(3, 64), 4u);
  EXPECT_EQ(tv::ProcessorAffinityMask(2, 64), 2u);
  EXPECT_EQ(tv::ProcessorAffinityMask(1, 64), 1u);
  EXPECT_EQ(tv::ProcessorAffinityMask(0, 64), 1u);
  EXPECT_EQ(tv::ProcessorAffinityMask(-5, 64), 1u);
  EXPECT_EQ(tv::ProcessorAffinityMask(32, 32), 0x80000000u);
  EXPECT_EQ(tv::ProcessorAffinityMask(64, 64), 0x8000000000000000u);
  // Beyond the mask's width there is no such processor: leave the mask alone.
  EXPECT_EQ(tv::ProcessorAffinityMask(33, 32), 0u);
  EXPECT_EQ(tv::ProcessorAffinityMask(65, 64), 0u);
  EXPECT_EQ(tv::ProcessorAffinityMask(2147483647, 64), 0u);
}

TEST(CodecCommandLine, CarriesOnlyTheEncodersOptions) {
  clCommandLine line;
  line.Parse(L"-INFILE=a.wav --OutFile=b.mp3 -Convert_To=lame -V 2 -cbr -TvCmd=x "
             L"-EvtQuit=q -evtwatchdog=w -priority=low -SILENT -errorfile=e -processor=2 "
             L"-sourcefreq=1 -sourcebits=2 -sourcechannels=3 -sourcelength=4 -idtags=t "
             L"-NoIdTag -TAG=A=B -shrbytesencoded=s -batchid=9 -dspeffect1=E=1 -help "
             L"-b \"1 2\"");
  EXPECT_EQ(tv::BuildCodecCommandLine(line, tv::CountDspEffectOptions(line)),
            L" -V=\"2\" -cbr -help -b=\"1 2\"");
}

TEST(CodecCommandLine, EmptyWhenTheEncoderGetsNothing) {
  clCommandLine line;
  line.Parse(L"-infile=a -outfile=b -convert_to=c");
  EXPECT_EQ(tv::BuildCodecCommandLine(line, 0), L"");
}

TEST(CommandFileText, DecodesUtf16LittleEndian) {
  const unsigned char bytes[] = {'-', 0, 'x', 0, '=', 0, 0xAC, 0x20, 0x3D, 0xD8, 0x00, 0xDE};
  EXPECT_EQ(tv::DecodeCommandFileText(bytes, sizeof bytes), L"-x=\x20AC\xD83D\xDE00");
}

TEST(CommandFileText, HalfACodeUnitAndTextAfterAZeroAreNotText) {
  const unsigned char odd[] = {'-', 0, 'x', 0, '1'};
  EXPECT_EQ(tv::DecodeCommandFileText(odd, sizeof odd), L"-x");
  const unsigned char zero[] = {'-', 0, 'a', 0, 0, 0, '-', 0, 'b', 0};
  EXPECT_EQ(tv::DecodeCommandFileText(zero, sizeof zero), L"-a");
  EXPECT_EQ(tv::DecodeCommandFileText(odd, 1), L"");
  EXPECT_EQ(tv::DecodeCommandFileText(nullptr, 4), L"");
}

}  // namespace
