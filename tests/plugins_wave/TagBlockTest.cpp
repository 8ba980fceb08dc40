#include <gtest/gtest.h>

#include "TagList.h"
#include "TagPrinting.h"

using namespace tvw;

TEST(TagBlock, OneTextElementHasTheDocumentedSize) {
  Bytes b = encodeTagBlock({{u"ARTIST", u"X", {}}});
  ASSERT_EQ(b.size(), 26u);
  EXPECT_EQ(le32(b.data()), 1u);
  EXPECT_EQ(le32(b.data() + 4), 22u);
  EXPECT_EQ(le16(b.data() + 8), u'A');
  EXPECT_EQ(le16(b.data() + 20), 0);  // name terminator
  EXPECT_EQ(le16(b.data() + 22), u'X');
}

TEST(TagBlock, RoundTripKeepsOrderRepeatsAndData) {
  TagList tags = {{u"Artist", u"A", {}},
                  {u"Artist", u"B", {}},
                  {u"Title", u"\u00c9t\u00e9 \u266b", {}},
                  {u"_albumart_1_Front Album Cover", u"", {0x89, 'P', 'N', 'G', 0, 1, 2}},
                  {u"Empty", u"", {}}};
  Bytes b = encodeTagBlock(tags);
  EXPECT_EQ(decodeTagBlock(b.data(), b.size()), tags);
}

TEST(TagBlock, CountLargerThanTheElementsGivesWhatIsThere) {
  Bytes b = encodeTagBlock({{u"A", u"1", {}}, {u"B", u"2", {}}});
  put32(b.data(), 3);
  TagList tags = decodeTagBlock(b.data(), b.size());
  ASSERT_EQ(tags.size(), 2u);
  EXPECT_EQ(tags[1].value, u"2");
}

TEST(TagBlock, ElementWithoutRoomForAValueKeepsOnlyItsName) {
  Bytes b;
  append32(b, 2);
  append32(b, 4 + 4);  // size: just the name "N"
  append16(b, u'N');
  append16(b, 0);
  append32(b, 4 + 4);
  append16(b, u'M');
  append16(b, 0);
  TagList tags = decodeTagBlock(b.data(), b.size());
  ASSERT_EQ(tags.size(), 1u);
  EXPECT_EQ(tags[0].name, u"N");
  EXPECT_TRUE(tags[0].value.empty());
}

TEST(TagBlock, DamagedBlocksNeverReadOutside) {
  Bytes good = encodeTagBlock({{u"Title", u"Song", {}}, {u"_x", u"", {1, 2, 3}}, {u"Genre", u"Rock", {}}});
  for (std::size_t n = 0; n <= good.size(); ++n) {
    Bytes cut(good.begin(), good.begin() + std::ptrdiff_t(n));  // exact size: a sanitizer-free overread test
    TagList tags = decodeTagBlock(cut.data(), cut.size());
    EXPECT_LE(tags.size(), 3u);
  }
  for (std::size_t i = 0; i < good.size(); ++i) {
    Bytes bad = good;
    bad[i] ^= 0xFF;
    decodeTagBlock(bad.data(), bad.size());
  }
  EXPECT_TRUE(decodeTagBlock(nullptr, 100).empty());
  Bytes negative = good;
  put32(negative.data() + 4, 0xFFFFFFF0u);
  EXPECT_EQ(decodeTagBlock(negative.data(), negative.size()).size(), 0u);
}

struct UpdateCase {
  const char* what;
  TagList file, updates, expected;
};

class TagUpdates : public ::testing::TestWithParam<UpdateCase> {};

TEST_P(TagUpdates, ReplaceOnlyWhatIsGiven) {
  TagList tags = GetParam().file;
  applyTagUpdates(tags, GetParam().updates);
  EXPECT_EQ(tags, GetParam().expected) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TagUpdates,
    ::testing::Values(
        UpdateCase{"change keeps the others in place",
                   {{u"Artist", u"A", {}}, {u"Title", u"T", {}}, {u"Album", u"L", {}}},
                   {{u"title", u"New", {}}},
                   {{u"Artist", u"A", {}}, {u"title", u"New", {}}, {u"Album", u"L", {}}}},
        UpdateCase{"add appends", {{u"Artist", u"A", {}}}, {{u"Year", u"2001", {}}},
                   {{u"Artist", u"A", {}}, {u"Year", u"2001", {}}}},
        UpdateCase{"several values replace several values",
                   {{u"Artist", u"A", {}}, {u"Artist", u"B", {}}, {u"Title", u"T", {}}},
                   {{u"Artist", u"C", {}}, {u"Artist", u"D", {}}, {u"Artist", u"E", {}}},
                   {{u"Artist", u"C", {}}, {u"Artist", u"D", {}}, {u"Artist", u"E", {}}, {u"Title", u"T", {}}}},
        UpdateCase{"an empty value deletes", {{u"Artist", u"A", {}}, {u"Title", u"T", {}}}, {{u"Artist", u"", {}}},
                   {{u"Title", u"T", {}}}},
        UpdateCase{"a picture replaces the picture of its number",
                   {{u"_albumart_1_Back Album Cover", u"", {1}}, {u"_albumart_2", u"", {2}}},
                   {{u"_albumart_1_Front Album Cover", u"", {9}}},
                   {{u"_albumart_1_Front Album Cover", u"", {9}}, {u"_albumart_2", u"", {2}}}}));

TEST(TagRemoval, ByNameFoldingAsciiCaseAndPictureNumber) {
  TagList tags = {{u"Comment", u"c", {}},     {u"COMMENT", u"d", {}}, {u"Title", u"t", {}},
                  {u"_albumart_1_Media", u"", {1}}, {u"_albumart_12", u"", {2}}};
  EXPECT_EQ(removeTags(tags, {u"comment", u"_albumart_1_Front Album Cover"}), 3u);
  ASSERT_EQ(tags.size(), 2u);
  EXPECT_EQ(tags[0].name, u"Title");
  EXPECT_EQ(tags[1].name, u"_albumart_12");
}
