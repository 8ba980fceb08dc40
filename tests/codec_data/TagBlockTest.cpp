#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "clTagList.h"
#include "TvTagBlock.h"

namespace {

// Builds blocks byte by byte, so the tests state the layout they expect.
struct BlockBuilder {
  std::vector<std::uint8_t> bytes;
  BlockBuilder& Int32(std::int32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(std::uint8_t(std::uint32_t(v) >> (8 * i)));
    return *this;
  }
  BlockBuilder& Text(const std::wstring& t, bool terminate = true) {
    for (wchar_t c : t) {
      bytes.push_back(std::uint8_t(c & 0xFF));
      bytes.push_back(std::uint8_t(c >> 8));
    }
    if (terminate) {
      bytes.push_back(0);
      bytes.push_back(0);
    }
    return *this;
  }
  BlockBuilder& Bytes(const std::vector<std::uint8_t>& b) {
    for (std::uint8_t x : b) bytes.push_back(x);
    return *this;
  }
  // One element with its true size.
  BlockBuilder& Element(const std::wstring& name, const std::wstring& value, std::vector<std::uint8_t> data = {}) {
    Int32(std::int32_t(4 + 2 * (name.size() + 1) + 2 * (value.size() + 1) + data.size()));
    return Text(name).Text(value).Bytes(data);
  }
};

std::int32_t Int32At(const std::vector<std::uint8_t>& b, size_t at) {
  std::int32_t v;
  std::memcpy(&v, b.data() + at, 4);
  return v;
}

TEST(TagBlock, SingleElementWithoutDataIs26Bytes) {
  clTagList list;
  list.Add(L"ARTIST", L"X");
  const std::vector<std::uint8_t> block = list.Save();
  ASSERT_EQ(block.size(), 26u);
  EXPECT_EQ(Int32At(block, 0), 1);
  EXPECT_EQ(Int32At(block, 4), 22);
  EXPECT_EQ(block, BlockBuilder().Int32(1).Element(L"ARTIST", L"X").bytes);
}

TEST(TagBlock, EmptyListSavesACountOfZero) {
  EXPECT_EQ(clTagList().Save(), (std::vector<std::uint8_t>{0, 0, 0, 0}));
}

TEST(TagBlock, RoundTripKeepsNamesValuesDataAndOrder) {
  std::vector<std::uint8_t> picture(70000);
  for (size_t i = 0; i < picture.size(); ++i) picture[i] = std::uint8_t(i * 7);
  clTagList list;
  list.Add(L"TITLE", L"\u65E5\u672C\u8A9E \U0001F3B5");  // beyond Latin, with a surrogate pair
  list.Add(L"Comment", L"");
  list.Add(L"", L"nameless");
  list.Add(L"_albumart_1_Cover", L"image/png", picture.data(), picture.size());
  list.Add(L"TITLE", L"second value");
  list.Add(L"_cdtoc", L"", "\0\1\0", 3);

  clTagList loaded;
  EXPECT_TRUE(loaded.Load(list.Save().data(), std::int64_t(list.Save().size())));
  ASSERT_EQ(loaded.Count(), list.Count());
  for (size_t i = 0; i < list.Count(); ++i) {
    EXPECT_EQ(loaded.At(i).name, list.At(i).name) << i;
    EXPECT_EQ(loaded.At(i).value, list.At(i).value) << i;
    EXPECT_EQ(loaded.At(i).data, list.At(i).data) << i;
  }
}

TEST(TagBlock, LoadEmptiesTheListFirst) {
  clTagList list;
  list.Add(L"OLD", L"1");
  EXPECT_FALSE(list.Load(nullptr, 100));
  EXPECT_TRUE(list.Empty());
}

TEST(TagBlock, CountOverstatingTheElementsYieldsWhatFits) {
  const auto block = BlockBuilder().Int32(3).Element(L"A", L"1").Element(L"B", L"2").bytes;
  clTagList list;
  EXPECT_FALSE(list.Load(block.data(), std::int64_t(block.size())));
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.At(1).value, L"2");
}

TEST(TagBlock, CountUnderstatingTheElementsReadsOnlyThatMany) {
  const auto block = BlockBuilder().Int32(1).Element(L"A", L"1").Element(L"B", L"2").bytes;
  clTagList list;
  EXPECT_TRUE(list.Load(block.data(), std::int64_t(block.size())));
  EXPECT_EQ(list.Count(), 1u);
}

// Each case: the block, how many elements load, and the last loaded element's name and value.
struct MalformedCase {
  const char* what;
  std::vector<std::uint8_t> block;
  size_t loaded;
  std::wstring lastName;
  std::wstring lastValue;
};

TEST(TagBlock, MalformedBlocksLoadUpToTheirFirstMalformedElement) {
  const BlockBuilder good = BlockBuilder().Element(L"A", L"1");
  auto withCount = [](std::int32_t count, const BlockBuilder& rest) {
    BlockBuilder b;
    b.Int32(count);
    return b.Bytes(rest.bytes);
  };
  const MalformedCase cases[] = {
      {"too short for anything", {1, 0, 0, 0}, 0, L"", L""},
      {"negative count", withCount(-1, good).bytes, 0, L"", L""},
      {"negative element size", withCount(2, BlockBuilder(good).Int32(-8).Text(L"B").Text(L"2")).bytes, 1, L"A", L"1"},
      {"size below its own field", withCount(2, BlockBuilder(good).Int32(2).Text(L"B").Text(L"2")).bytes, 1, L"A", L"1"},
      {"element reaching past the end", withCount(2, BlockBuilder(good).Int32(400).Text(L"B").Text(L"2")).bytes, 1, L"A", L"1"},
      {"name without terminator in its element", withCount(2, BlockBuilder(good).Int32(8).Text(L"BBBB").Text(L"2")).bytes, 1, L"A", L"1"},
      {"size leaving no room for a value", withCount(3, BlockBuilder(good).Int32(8).Text(L"B").Element(L"C", L"3")).bytes, 2, L"B", L""},
      {"value without terminator in its element", withCount(3, BlockBuilder(good).Int32(12).Text(L"B").Text(L"2222").Element(L"C", L"3")).bytes, 2, L"B", L""},
      {"element size field cut by the block end", withCount(2, BlockBuilder(good).Bytes({9, 0})).bytes, 1, L"A", L"1"},
  };
  for (const auto& c : cases) {
    clTagList list;
    list.Load(c.block.data(), std::int64_t(c.block.size()));
    ASSERT_EQ(list.Count(), c.loaded) << c.what;
    if (c.loaded) {
      EXPECT_EQ(list.At(c.loaded - 1).name, c.lastName) << c.what;
      EXPECT_EQ(list.At(c.loaded - 1).value, c.lastValue) << c.what;
    }
  }
}

TEST(TagBlock, GivenSizeBoundsTheLoadEvenWhenTheBufferIsLonger) {
  const auto block = BlockBuilder().Int32(2).Element(L"A", L"1").Element(L"B", L"2").bytes;
  clTagList list;
  list.Load(block.data(), std::int64_t(block.size()) - 1);  // the second element no longer fits
  EXPECT_EQ(list.Count(), 1u);
  list.Load(block.data(), 4);
  EXPECT_EQ(list.Count(), 0u);
  list.Load(block.data(), -5);
  EXPECT_EQ(list.Count(), 0u);
}

TEST(TagBlock, DataSizeIsWhatTheElementLeavesAfterItsTexts) {
  const auto block = BlockBuilder().Int32(1).Element(L"N", L"V", {1, 2, 3, 0, 5}).bytes;
  clTagList list;
  ASSERT_TRUE(list.Load(block.data(), std::int64_t(block.size())));
  EXPECT_EQ(list.At(0).data, (std::vector<std::uint8_t>{1, 2, 3, 0, 5}));
}

}  // namespace
