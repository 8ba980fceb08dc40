#include <gtest/gtest.h>

#include <string>

#include "PluginFolderFixture.h"
#include "TvString.h"
#include "clTvCodecHandler.h"

namespace {

using EncoderLoading = PluginFolderTest;

TEST_F(EncoderLoading, LoadsCodecNamePlusDllFromTheEncoderFolder) {
  clTvCodecHandler handler;
  clTvEncoder encoder;
  ASSERT_TRUE(handler.LoadEncoder(L"tvtest", encoder, &handles_, module_));
  EXPECT_TRUE(encoder.HasInstance());
  const std::wstring trace = TraceText();
  EXPECT_EQ(Count(trace, L"Loading Encoder '" + root_ + L"encoder\\tvtest.DLL'"), 1) << tv::WideToUtf8(trace);
  EXPECT_EQ(Count(trace, L"->->  [clTvCodecHandler::LoadEncoder]"), 1);
  EXPECT_EQ(Count(trace, L"<-<-  [clTvCodecHandler::LoadEncoder]"), 1);
}

TEST_F(EncoderLoading, CodecNameIsUsedUnchanged) {
  clTvCodecHandler handler;
  clTvEncoder encoder;
  EXPECT_TRUE(handler.LoadEncoder(L"TvTest", encoder, &handles_, module_));  // the file system ignores case
  EXPECT_EQ(Count(TraceText(), L"encoder\\TvTest.DLL'"), 1);
  EXPECT_FALSE(handler.LoadEncoder(L"tvtest.dll", encoder, &handles_, module_));  // tvtest.dll.DLL
  EXPECT_FALSE(encoder.HasLibrary());
  EXPECT_FALSE(handler.LoadEncoder(L"absent", encoder, &handles_, module_));
  EXPECT_EQ(ErrorText(), L"");  // plain names fail quietly; the caller reports
}

TEST_F(EncoderLoading, CodecNamesThatLeaveTheEncoderFolderAreRefused) {
  // A real encoder library waits outside the encoder folder for each attempt.
  CopyPlugin(L"encoder\\tvtest.dll", L"evil.DLL");
  CreateDirectoryW((root_ + L"encoder\\sub").c_str(), nullptr);
  CopyPlugin(L"encoder\\tvtest.dll", L"encoder\\sub\\inner.DLL");
  const std::wstring names[] = {L"..\\evil",      L"../evil",           root_ + L"evil", L"C:evil",
                                L"sub\\inner",    L"sub/inner",         L"..",           L"",
                                L"tv..\\..\\evil", L"\\\\server\\share\\x"};
  for (const std::wstring& name : names) {
    clTvCodecHandler handler;
    clTvEncoder encoder;
    EXPECT_FALSE(handler.LoadEncoder(name, encoder, &handles_, module_)) << tv::WideToUtf8(name);
    EXPECT_FALSE(encoder.HasLibrary()) << tv::WideToUtf8(name);
    EXPECT_FALSE(clTvCodecHandler::IsPlainCodecName(name)) << tv::WideToUtf8(name);
  }
  const std::wstring errors = ErrorText();
  EXPECT_EQ(Count(errors, L"is not a plain file name"), 10) << tv::WideToUtf8(errors);
  EXPECT_EQ(Count(errors, L"The codec name '..\\evil' is not a plain file name"), 1);
  EXPECT_EQ(Count(TraceText(), L"Loading Encoder"), 0);
}

TEST_F(EncoderLoading, PlainNamesWithDotsAndSpacesAreAccepted) {
  for (const wchar_t* name : {L"tvtest", L"MP3 (LAME)", L"v1.2", L"a.b.c"})
    EXPECT_TRUE(clTvCodecHandler::IsPlainCodecName(name)) << tv::WideToUtf8(name);
}

}  // namespace
