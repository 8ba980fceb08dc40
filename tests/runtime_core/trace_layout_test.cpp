// The trace's indentation and line layout, without any handle.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TvTraceFormat.h"

namespace {

struct Piece {
  std::wstring text;
  bool endLine;
  std::wstring expected;
};

std::wstring Compose(clTraceLayout& layout, const Piece& piece) {
  const std::wstring function = L"clTvCodecHandler::FindDecoder";
  return layout.Compose(piece.text, &function, piece.endLine, nullptr);
}

}  // namespace

TEST(TraceLayout, EntryAndExitIndentWhatLiesBetween) {
  clTraceLayout layout;
  const std::vector<Piece> pieces = {
      {L"->->", true, L"->->  [clTvCodecHandler::FindDecoder]\r\n"},
      {L"middle", true, L"  middle  [clTvCodecHandler::FindDecoder]\r\n"},
      {L"->->", true, L"  ->->  [clTvCodecHandler::FindDecoder]\r\n"},
      {L"deeper", true, L"    deeper  [clTvCodecHandler::FindDecoder]\r\n"},
      {L"<-<-", true, L"  <-<-  [clTvCodecHandler::FindDecoder]\r\n"},
      {L"<-<-", true, L"<-<-  [clTvCodecHandler::FindDecoder]\r\n"},
      {L"after", true, L"after  [clTvCodecHandler::FindDecoder]\r\n"},
  };
  // The first line of a process is never indented (no line has ended yet).
  for (const Piece& piece : pieces) EXPECT_EQ(Compose(layout, piece), piece.expected) << piece.text;
}

TEST(TraceLayout, LineInTwoPiecesIsIndentedOnce) {
  clTraceLayout layout;
  layout.Compose(L"start", nullptr, true, nullptr);
  layout.Compose(L"->->", nullptr, true, nullptr);
  EXPECT_EQ(layout.Compose(L"Splitting Command Line:", nullptr, false, nullptr), L"  Splitting Command Line:");
  EXPECT_EQ(layout.Compose(L"Done", nullptr, true, nullptr), L"Done\r\n");
  EXPECT_EQ(layout.Compose(L"next", nullptr, true, nullptr), L"  next\r\n");
}

TEST(TraceLayout, GivenPrefixReplacesIndentation) {
  clTraceLayout layout;
  layout.Compose(L"x", nullptr, true, nullptr);
  layout.Compose(L"->->", nullptr, true, nullptr);
  const std::wstring prefix = L"*** Error: ";
  const std::wstring function = L"TvRendermill::ParseCommandLine";
  EXPECT_EQ(layout.Compose(L"Error no encoder specified.", &function, true, &prefix),
            L"*** Error: Error no encoder specified.  [TvRendermill::ParseCommandLine]\r\n");
}

TEST(TraceLayout, UnbalancedExitNeverUnderflows) {
  clTraceLayout layout;
  EXPECT_EQ(layout.Compose(L"<-<-", nullptr, true, nullptr), L"<-<-\r\n");
  EXPECT_EQ(layout.Indentation(), L"");
  layout.Compose(L"->->", nullptr, true, nullptr);
  EXPECT_EQ(layout.Indentation(), L"  ");
}

TEST(TraceLayout, SuffixNamesTheFunctionOnlyWhenThereIsOne) {
  const std::wstring empty;
  const std::wstring name = L"NDLL::Load";
  EXPECT_EQ(tv::TraceLineSuffix(nullptr), L"\r\n");
  EXPECT_EQ(tv::TraceLineSuffix(&empty), L"\r\n");
  EXPECT_EQ(tv::TraceLineSuffix(&name), L"  [NDLL::Load]\r\n");
}
