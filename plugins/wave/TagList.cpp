#include "TagList.h"

#include <algorithm>

#include "TextCodec.h"

namespace tvw {

const char16_t kAlbumArtPrefix[] = u"_albumart_";

Bytes encodeTagBlock(const TagList& tags) {
  std::size_t total = 4;
  for (const auto& t : tags) total += 4 + 2 * (t.name.size() + 1) + 2 * (t.value.size() + 1) + t.data.size();
  Bytes out;
  out.reserve(total);
  append32(out, std::uint32_t(tags.size()));
  for (const auto& t : tags) {
    std::size_t s = 4 + 2 * (t.name.size() + 1) + 2 * (t.value.size() + 1) + t.data.size();
    append32(out, std::uint32_t(s));
    for (char16_t c : t.name) append16(out, c);
    append16(out, 0);
    for (char16_t c : t.value) append16(out, c);
    append16(out, 0);
    out.insert(out.end(), t.data.begin(), t.data.end());
  }
  return out;
}

namespace {
// Reads a zero-terminated UTF-16 text within [p, end); false when unterminated.
bool readText(const std::uint8_t*& p, const std::uint8_t* end, std::u16string& out) {
  out.clear();
  while (end - p >= 2) {
    char16_t c = char16_t(le16(p));
    p += 2;
    if (c == 0) return true;
    out += c;
  }
  return false;
}
}  // namespace

TagList decodeTagBlock(const std::uint8_t* p, std::size_t n) {
  TagList tags;
  if (!p || n < 5) return tags;
  const std::uint8_t* end = p + n;
  std::int32_t count = std::int32_t(le32(p));
  const std::uint8_t* at = p + 4;
  while (std::int32_t(tags.size()) < count) {
    if (end - at < 4) break;
    std::int32_t s = std::int32_t(le32(at));
    if (s < 4 || std::size_t(s) > std::size_t(end - at)) break;
    const std::uint8_t* elemEnd = at + s;
    const std::uint8_t* q = at + 4;
    TagElement e;
    bool named = readText(q, elemEnd, e.name);
    tags.push_back(e);
    if (!named || q >= elemEnd) break;  // no room left for a value
    if (!readText(q, elemEnd, tags.back().value)) break;
    tags.back().data.assign(q, elemEnd);
    at = elemEnd;
    if (at >= end) break;
  }
  return tags;
}

bool isAlbumArtName(const std::u16string& name) { return startsWithNoCase(name, kAlbumArtPrefix); }

std::u16string tagKey(const std::u16string& name) {
  std::u16string key;
  std::size_t n = name.size();
  if (isAlbumArtName(name)) {
    std::size_t prefix = std::char_traits<char16_t>::length(kAlbumArtPrefix);
    std::size_t i = prefix;
    while (i < n && name[i] >= u'0' && name[i] <= u'9') ++i;
    n = i;
  }
  for (std::size_t i = 0; i < n; ++i) key += foldAscii(name[i]);
  return key;
}

void applyTagUpdates(TagList& tags, const TagList& updates) {
  std::vector<std::u16string> keys;
  for (const auto& u : updates) {
    std::u16string k = tagKey(u.name);
    if (std::find(keys.begin(), keys.end(), k) == keys.end()) keys.push_back(k);
  }
  for (const auto& k : keys) {
    // The new values take the place of the first old one, so the order of
    // the file's tags survives an edit.
    auto first = std::find_if(tags.begin(), tags.end(), [&](const TagElement& t) { return tagKey(t.name) == k; });
    std::size_t at = std::size_t(first - tags.begin());
    tags.erase(std::remove_if(tags.begin(), tags.end(), [&](const TagElement& t) { return tagKey(t.name) == k; }),
               tags.end());
    at = std::min(at, tags.size());
    for (const auto& u : updates) {
      if (tagKey(u.name) != k || (u.value.empty() && u.data.empty())) continue;
      tags.insert(tags.begin() + std::ptrdiff_t(at++), u);
    }
  }
}

std::size_t removeTags(TagList& tags, const std::vector<std::u16string>& names) {
  std::vector<std::u16string> keys;
  for (const auto& n : names) keys.push_back(tagKey(n));
  std::size_t before = tags.size();
  tags.erase(std::remove_if(tags.begin(), tags.end(),
                            [&](const TagElement& t) {
                              return std::find(keys.begin(), keys.end(), tagKey(t.name)) != keys.end();
                            }),
             tags.end());
  return before - tags.size();
}

}  // namespace tvw
