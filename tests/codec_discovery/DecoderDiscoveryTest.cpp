#include <gtest/gtest.h>

#include <string>

#include "PluginFolderFixture.h"
#include "TvRegistry.h"
#include "TvString.h"
#include "clTvCodecHandler.h"

namespace {

class DecoderDiscovery : public PluginFolderTest {
 protected:
  std::wstring Registered(const std::wstring& ext) {
    return tv::RegReadString(tv::Settings(L"DecoderCache"), ext);
  }
  void Register(const std::wstring& ext, const std::wstring& path) {
    tv::RegWriteString(tv::Settings(L"DecoderCache"), ext, path);
  }
  std::wstring Dec() const { return root_ + L"decoder\\tvtest_dec.dll"; }
  std::wstring Dec2() const { return root_ + L"decoder\\tvtest_dec2.dll"; }
  int DecodesQueries() const {
    int n = 0;
    for (const auto& line : PluginLog()) n += Count(line, L"Get Decodes");
    return n;
  }
};

TEST_F(DecoderDiscovery, ScanFindsTheDecoderAndRemembersItTwice) {
  clTvCodecHandler handler;
  clTvDecoder decoder;
  ASSERT_TRUE(handler.FindDecoder(L"C:\\music\\song.tvu", decoder, &handles_, module_));
  EXPECT_TRUE(decoder.HasInstance());
  EXPECT_TRUE(tv::EqualsNoCase(decoder.Path(), Dec2()));
  EXPECT_EQ(decoder.Extension(), L".tvu");
  EXPECT_TRUE(tv::EqualsNoCase(handler.CachedDecoderPath(), Dec2()));
  EXPECT_EQ(handler.CachedExtension(), L".tvu");
  EXPECT_TRUE(tv::EqualsNoCase(Registered(L".tvu"), Dec2()));

  const std::wstring trace = TraceText();
  EXPECT_EQ(Count(trace, L"->->  [clTvCodecHandler::FindDecoder]"), 1) << tv::WideToUtf8(trace);
  EXPECT_EQ(Count(trace, L"<-<-  [clTvCodecHandler::FindDecoder]"), 1);
  EXPECT_EQ(Count(trace, L"Checking Decoder '" + Dec2() + L"' for extension '.tvu'"), 1);
  EXPECT_EQ(Count(trace, L"<<< Match, using decoder"), 1);
}

TEST_F(DecoderDiscovery, SecondFileOfTheSameExtensionReusesTheLoadedDecoderWithoutScanning) {
  clTvCodecHandler handler;
  clTvDecoder decoder;
  ASSERT_TRUE(handler.FindDecoder(L"C:\\a\\one.tvt", decoder, &handles_, module_));
  ClearPluginLog();
  ASSERT_TRUE(handler.FindDecoder(L"C:\\b\\TWO.TVT", decoder, &handles_, module_));
  EXPECT_TRUE(decoder.HasInstance());
  EXPECT_EQ(Count(TraceText(), L"Using Existing Decoder"), 1);
  // The old instance went, a new one came, and nobody was asked for its list.
  const auto log = PluginLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], L"tvtest_dec Destroy");
  EXPECT_EQ(log[1], L"tvtest_dec Create");
}

TEST_F(DecoderDiscovery, ExtensionsMatchWithoutRegardToLetterCase) {
  SetKnob(L"TVTEST_DEC_DECODES", L".mp3|MPEG audio");
  clTvCodecHandler handler;
  clTvDecoder decoder;
  ASSERT_TRUE(handler.FindDecoder(L"D:\\Loud\\TRACK01.MP3", decoder, &handles_, module_));
  EXPECT_TRUE(tv::EqualsNoCase(decoder.Path(), Dec()));
}

TEST_F(DecoderDiscovery, InMemoryCacheServesAFreshWrapper) {
  clTvCodecHandler handler;
  {
    clTvDecoder decoder;
    ASSERT_TRUE(handler.FindDecoder(L"x.tvt", decoder, &handles_, module_));
  }
  tv::RegDeleteValueAt(tv::Settings(L"DecoderCache"), L".tvt");
  ClearPluginLog();
  clTvDecoder fresh;
  ASSERT_TRUE(handler.FindDecoder(L"y.tvt", fresh, &handles_, module_));
  EXPECT_EQ(Count(TraceText(), L"Using Cached Decoder: " + Dec()), 1);
  EXPECT_EQ(DecodesQueries(), 0);
  EXPECT_TRUE(tv::EqualsNoCase(Registered(L".tvt"), Dec()));  // written again
}

TEST_F(DecoderDiscovery, RegistryCacheServesANewHandlerWithOneCheck) {
  Register(L".tvtone", Dec());
  clTvCodecHandler handler;
  clTvDecoder decoder;
  ASSERT_TRUE(handler.FindDecoder(L"tone.tvtone", decoder, &handles_, module_));
  const std::wstring trace = TraceText();
  EXPECT_EQ(Count(trace, L"Using Registry Cached Decoder: " + Dec()), 1);
  EXPECT_EQ(Count(trace, L"Checking Decoder"), 1);  // no scan
  EXPECT_TRUE(decoder.HasInstance());
  EXPECT_EQ(handler.CachedExtension(), L".tvtone");
}

TEST_F(DecoderDiscovery, StaleRegistryEntryIsSkippedAndCorrected) {
  Register(L".tvt", root_ + L"decoder\\gone.dll");
  clTvCodecHandler handler;
  clTvDecoder decoder;
  ASSERT_TRUE(handler.FindDecoder(L"old.tvt", decoder, &handles_, module_));
  EXPECT_TRUE(tv::EqualsNoCase(decoder.Path(), Dec()));
  EXPECT_TRUE(tv::EqualsNoCase(Registered(L".tvt"), Dec()));
  EXPECT_EQ(Count(TraceText(), L"Using Registry Cached Decoder"), 0);
}

TEST_F(DecoderDiscovery, RegistryEntryThatNoLongerReadsTheExtensionIsNotUsed) {
  // The library loads, but no longer lists the extension, and no other does.
  Register(L".zzz", Dec2());
  clTvCodecHandler handler;
  clTvDecoder decoder;
  EXPECT_FALSE(handler.FindDecoder(L"odd.zzz", decoder, &handles_, module_));
  EXPECT_FALSE(decoder.HasLibrary());
  EXPECT_TRUE(handler.CachedExtension().empty());
  EXPECT_TRUE(tv::EqualsNoCase(Registered(L".zzz"), Dec2()));  // never deleted, not rewritten
}

TEST_F(DecoderDiscovery, RelativeRegistryEntryIsNotLoadedThroughTheSearchOrder) {
  // "anchor.dll" in the current folder would claim .tvt if it were loaded by name.
  wchar_t previous[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW(root_.c_str()));
  Register(L".tvt", L"anchor.dll");
  clTvCodecHandler handler;
  clTvDecoder decoder;
  const bool found = handler.FindDecoder(L"song.tvt", decoder, &handles_, module_);
  SetCurrentDirectoryW(previous);
  ASSERT_TRUE(found);
  EXPECT_TRUE(tv::EqualsNoCase(decoder.Path(), Dec()));
  EXPECT_TRUE(tv::EqualsNoCase(Registered(L".tvt"), Dec()));
  EXPECT_EQ(Count(TraceText(), L"anchor.dll"), 0);
}

TEST_F(DecoderDiscovery, AFailedSearchLeavesNoDecoderForTheNextFileOfThatExtension) {
  clTvCodecHandler handler;
  clTvDecoder decoder;
  EXPECT_FALSE(handler.FindDecoder(L"a.zzz", decoder, &handles_, module_));
  EXPECT_FALSE(decoder.HasLibrary());
  EXPECT_TRUE(decoder.Extension().empty());
  // Without a remembered extension the next file is searched again, and again not found.
  EXPECT_FALSE(handler.FindDecoder(L"b.zzz", decoder, &handles_, module_));
  EXPECT_EQ(Count(TraceText(), L"Using Existing Decoder"), 0);
  EXPECT_EQ(Registered(L".zzz"), L"");
}

TEST_F(DecoderDiscovery, PathWithoutExtensionSearchesForDot) {
  clTvCodecHandler handler;
  clTvDecoder decoder;
  EXPECT_FALSE(handler.FindDecoder(L"C:\\dir.tvt\\noext", decoder, &handles_, module_));
  EXPECT_EQ(Count(TraceText(), L"for extension '.'"), 2);  // both decoders asked
}

TEST_F(DecoderDiscovery, DirectoryNamedLikeALibraryIsNeverTried) {
  ASSERT_TRUE(CreateDirectoryW((root_ + L"decoder\\aaa.dll").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((root_ + L"decoder\\zzz.dll").c_str(), nullptr));
  clTvCodecHandler handler;
  clTvDecoder decoder;
  EXPECT_FALSE(handler.FindDecoder(L"a.zzz", decoder, &handles_, module_));
  const std::wstring trace = TraceText();
  EXPECT_EQ(Count(trace, L"Checking Decoder"), 2) << tv::WideToUtf8(trace);
  EXPECT_EQ(Count(trace, L"aaa.dll"), 0);
  EXPECT_EQ(Count(trace, L"zzz.dll"), 0);
}

TEST_F(DecoderDiscovery, UnusableLibrariesAreSkipped) {
  // One that lacks an export, one that refuses Create, one whose list never
  // ends; all claim .tvt, so only the good one may be chosen.
  CopyPlugin(L"incomplete\\decoder\\tvtest_dec_nosetposition.dll", L"decoder\\a_incomplete.dll");
  SetKnob(L"TVTEST_DEC_DECODES", L".tvt|Test");
  SetKnob(L"TVTEST_DEC2_DECODES", L".tvt|Test");
  SetKnob(L"TVTEST_DEC2_REFUSE_CREATE", L"1");
  CopyPlugin(L"decoder\\tvtest_dec.dll", L"decoder\\b_endless.dll");
  clTvCodecHandler handler;
  clTvDecoder decoder;
  {
    // The endless list is bounded; it would claim ".e0", ".e1", ... but never ".tvt".
    SetKnob(L"TVTEST_DEC_MISBEHAVE", L"endless");
    EXPECT_FALSE(handler.FindDecoder(L"song.tvt", decoder, &handles_, module_));
  }
  SetKnob(L"TVTEST_DEC_MISBEHAVE", L"");
  ASSERT_TRUE(handler.FindDecoder(L"song.tvt", decoder, &handles_, module_));
  EXPECT_FALSE(tv::EqualsNoCase(decoder.Path(), Dec2()));
  EXPECT_FALSE(tv::EqualsNoCase(decoder.Path(), root_ + L"decoder\\a_incomplete.dll"));
}

TEST_F(DecoderDiscovery, CheckDecoderAnswersTheMatchTest) {
  clTvCodecHandler handler;
  clTvDecoder decoder;
  EXPECT_TRUE(handler.CheckDecoder(Dec(), L".TVTONE", decoder, &handles_));
  EXPECT_TRUE(decoder.HasInstance());
  EXPECT_EQ(decoder.Extension(), L".TVTONE");
  EXPECT_FALSE(handler.CheckDecoder(Dec(), L".tvu", decoder, &handles_));
  EXPECT_FALSE(decoder.HasLibrary());
  EXPECT_FALSE(handler.CheckDecoder(root_ + L"decoder\\missing.dll", L".tvu", decoder, &handles_));
  EXPECT_EQ(Count(TraceText(), L"  Checking Decoder '" + Dec() + L"' for extension '.TVTONE'"), 1);
}

}  // namespace
