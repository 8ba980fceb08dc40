#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "IDTagWriter.h"
#include "PluginFolderFixture.h"
#include "TvString.h"
#include "clTagList.h"

namespace {

class IDTagWriting : public PluginFolderTest {
 protected:
  void SetUp() override {
    PluginFolderTest::SetUp();
    clTagList list;
    list.Add(L"ARTIST", L"A");
    list.Add(L"_albumart_1_Cover", L"image/jpeg", "\xFF\xD8\xFF", 3);
    block_ = list.Save();
    console_ = [this](const std::wstring& text, bool lineEnd) { consoleText_ += text + (lineEnd ? L"\n" : L""); };
  }
  // What the test decoder wrote for a destination (it keeps tags beside the file).
  std::vector<std::uint8_t> WrittenTags(const std::wstring& destination) {
    std::vector<std::uint8_t> bytes;
    HANDLE file = CreateFileW((destination + L".tvtags").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!bytes.empty()) ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
  }

  std::vector<std::uint8_t> block_;
  std::wstring consoleText_;
  tv::ConsoleWriter console_;
};

TEST_F(IDTagWriting, WritesTheBlockThroughTheDestinationsDecoder) {
  const std::wstring destination = root_ + L"out.tvt";
  ASSERT_TRUE(tv::IDTagWriter(destination, block_.data(), std::int32_t(block_.size()), &handles_, console_, module_));
  EXPECT_EQ(WrittenTags(destination), block_);
  EXPECT_EQ(consoleText_, L"Writing ID Tags: Done\n");
  const std::wstring trace = TraceText();
  EXPECT_EQ(Count(trace, L"->->  [TvRendermill::IDTagWriter]"), 1) << tv::WideToUtf8(trace);
  EXPECT_EQ(Count(trace, L"<-<-  [TvRendermill::IDTagWriter]"), 1);
  EXPECT_EQ(Count(trace, L"->->  [clTvCodecHandler::FindDecoder]"), 1);
  bool setSeen = false;
  for (const auto& line : PluginLog()) setSeen |= line.find(L"Set IDTags number=" + std::to_wstring(block_.size()) +
                                                           L" text=" + destination) != std::wstring::npos;
  EXPECT_TRUE(setSeen);
}

TEST_F(IDTagWriting, SilentRunPrintsNothing) {
  const std::wstring destination = root_ + L"quiet.tvt";
  ASSERT_TRUE(tv::IDTagWriter(destination, block_.data(), std::int32_t(block_.size()), &handles_, nullptr, module_));
  EXPECT_EQ(WrittenTags(destination), block_);
}

TEST_F(IDTagWriting, NothingToWriteReturnsAtOnce) {
  EXPECT_TRUE(tv::IDTagWriter(root_ + L"x.tvt", nullptr, 10, &handles_, console_, module_));
  EXPECT_TRUE(tv::IDTagWriter(root_ + L"x.tvt", block_.data(), 0, &handles_, console_, module_));
  EXPECT_EQ(consoleText_, L"");
  EXPECT_EQ(TraceText(), L"");
  EXPECT_TRUE(PluginLog().empty());
}

TEST_F(IDTagWriting, FormatNoDecoderReadsSucceedsWithoutWriting) {
  const std::wstring destination = root_ + L"out.zzz";
  EXPECT_TRUE(tv::IDTagWriter(destination, block_.data(), std::int32_t(block_.size()), &handles_, console_, module_));
  EXPECT_TRUE(WrittenTags(destination).empty());
  EXPECT_EQ(consoleText_, L"Writing ID Tags: Done\n");
}

TEST_F(IDTagWriting, RefusedTagsFailWithoutDone) {
  SetKnob(L"TVTEST_DEC_FAIL", L"Set:IDTags");
  const std::wstring destination = root_ + L"refused.tvt";
  EXPECT_FALSE(tv::IDTagWriter(destination, block_.data(), std::int32_t(block_.size()), &handles_, console_, module_));
  EXPECT_EQ(consoleText_, L"Writing ID Tags: ");
  // The trace stays balanced for whatever the engine traces next.
  EXPECT_EQ(Count(TraceText(), L"<-<-  [TvRendermill::IDTagWriter]"), 1);
}

}  // namespace
