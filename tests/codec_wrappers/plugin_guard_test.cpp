// The checks through which the host reads plug-in memory.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstddef>

#include "TvPluginGuard.h"
#include "TvTrace.h"

namespace {

// One readable page followed by a reserved one.
class Trap {
 public:
  Trap() {
    SYSTEM_INFO info = {};
    GetSystemInfo(&info);
    page_ = info.dwPageSize;
    base_ = static_cast<BYTE*>(VirtualAlloc(nullptr, 2 * page_, MEM_RESERVE, PAGE_NOACCESS));
    VirtualAlloc(base_, page_, MEM_COMMIT, PAGE_READWRITE);
  }
  ~Trap() { VirtualFree(base_, 0, MEM_RELEASE); }
  BYTE* Edge(size_t bytes) { return base_ + page_ - bytes; }

 private:
  BYTE* base_;
  size_t page_;
};

TEST(PluginGuard, TextEndingAtTheEdgeOfReadableMemory) {
  Trap trap;
  WCHAR* text = reinterpret_cast<WCHAR*>(trap.Edge(8));
  text[0] = L'a';
  text[1] = L'b';
  text[2] = L'c';
  text[3] = 0;
  std::wstring out;
  EXPECT_TRUE(tv::CopyPluginText(text, out));
  EXPECT_EQ(out, L"abc");
  text[3] = L'd';
  EXPECT_FALSE(tv::CopyPluginText(text, out)) << "no terminator before unreadable memory";
  EXPECT_TRUE(out.empty());
}

TEST(PluginGuard, TextChecks) {
  std::wstring out;
  EXPECT_FALSE(tv::CopyPluginText(nullptr, out));
  const wchar_t* longText = L"0123456789";
  EXPECT_FALSE(tv::CopyPluginText(longText, out, 5)) << "longer than allowed";
  EXPECT_TRUE(tv::CopyPluginText(longText, out, 10));
  EXPECT_TRUE(tv::CopyPluginText(L"", out));
  EXPECT_TRUE(out.empty());
  const char bytes[6] = {0, 'a', 0, 0, 0, 0};
  EXPECT_FALSE(tv::CopyPluginText(reinterpret_cast<const WCHAR*>(bytes + 1), out)) << "odd address";
}

TEST(PluginGuard, BlockChecks) {
  Trap trap;
  BYTE local[16] = {};
  EXPECT_TRUE(tv::IsReadableBlock(nullptr, 0));
  EXPECT_TRUE(tv::IsReadableBlock(local, 16));
  EXPECT_FALSE(tv::IsReadableBlock(nullptr, 1));
  EXPECT_FALSE(tv::IsReadableBlock(local, -1));
  EXPECT_TRUE(tv::IsReadableBlock(trap.Edge(16), 16));
  EXPECT_FALSE(tv::IsReadableBlock(trap.Edge(16), 17));
  EXPECT_FALSE(tv::IsReadableBlock(local, 0x7FFFFFFF));
  EXPECT_TRUE(tv::IsWritableRange(local, sizeof(local)));
  EXPECT_FALSE(tv::IsWritableRange(L"read-only text", 4));
  EXPECT_FALSE(tv::IsReadableRange(reinterpret_cast<const void*>(~uintptr_t(0) - 4), 16)) << "wraps around";
}

TEST(PluginGuard, WaveFormatExtraStaysWithinItsSpace) {
  WAVEFORMATEXTENSIBLE format = {};
  format.Format.cbSize = 22;
  tv::KeepWaveFormatInBounds(format);
  EXPECT_EQ(format.Format.cbSize, 22);
  format.Format.cbSize = 23;
  tv::KeepWaveFormatInBounds(format);
  EXPECT_EQ(format.Format.cbSize, 22);
}

// Plug-ins built without the runtime read the handles through the SDK's view.
static_assert(sizeof(TvPluginReportHandles) == sizeof(TvMessageHandles), "same size");
static_assert(offsetof(TvPluginReportHandles, errorChannel) == offsetof(TvMessageHandles, hErrorChannel), "error");
static_assert(offsetof(TvPluginReportHandles, infoChannel) == offsetof(TvMessageHandles, hInfoChannel), "info");
static_assert(offsetof(TvPluginReportHandles, traceFile) == offsetof(TvMessageHandles, hTraceFile), "trace");

TEST(PluginGuard, ReportHandlesViewReadsTheRecord) {
  TvMessageHandles handles = {};
  handles.hErrorChannel = reinterpret_cast<HANDLE>(0x10);
  handles.hInfoChannel = reinterpret_cast<HANDLE>(0x20);
  handles.hTraceFile = reinterpret_cast<HANDLE>(0x30);
  const TvPluginReportHandles view = TvReportHandlesOf(&handles);
  EXPECT_EQ(view.errorChannel, handles.hErrorChannel);
  EXPECT_EQ(view.infoChannel, handles.hInfoChannel);
  EXPECT_EQ(view.traceFile, handles.hTraceFile);
  EXPECT_EQ(TvReportHandlesOf(nullptr).errorChannel, nullptr);
}

}  // namespace
