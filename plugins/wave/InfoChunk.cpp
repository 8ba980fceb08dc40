#include "InfoChunk.h"

#include <algorithm>

#include "TextCodec.h"

namespace tvw {

namespace {
struct InfoName {
  const char* id;
  const char* name;
};
const InfoName kInfoNames[] = {
    {"INAM", "Title"},    {"IART", "Artist"},    {"IPRD", "Album"},    {"ICRD", "Year"},
    {"ITRK", "Track"},    {"IGNR", "Genre"},     {"ICMT", "Comment"},  {"ICOP", "Copyright"},
    {"IENG", "Engineer"}, {"ICMS", "Commissioned"}, {"ISBJ", "Subject"}, {"IKEY", "Keywords"},
    {"ILNG", "Language"}, {"ISRC", "Source"},    {"IMED", "Medium"},   {"ITCH", "Technician"},
};
}  // namespace

std::u16string infoIdToName(const std::string& id) {
  if (id == "IPRT") return u"Track";  // an older spelling of the track number
  for (const auto& n : kInfoNames)
    if (id == n.id) return u16(n.name);
  return {};
}

std::string nameToInfoId(const std::u16string& name) {
  for (const auto& n : kInfoNames)
    if (equalsNoCase(name, u16(n.name))) return n.id;
  return {};
}

std::vector<InfoItem> parseInfoList(const Bytes& body) {
  std::vector<InfoItem> items;
  if (body.size() < 4 || !idIs(body.data(), "INFO")) return items;
  std::size_t at = 4;
  while (body.size() - at >= 8) {
    std::uint32_t size = le32(body.data() + at + 4);
    if (size > body.size() - at - 8) break;
    const std::uint8_t* text = body.data() + at + 8;
    std::size_t n = size;
    while (n > 0 && text[n - 1] == 0) --n;  // zero end and padding
    InfoItem item;
    item.id.assign(reinterpret_cast<const char*>(body.data() + at), 4);
    // Older writers used the ANSI code page, newer ones UTF-8.
    item.text = isValidUtf8(text, n) ? fromUtf8(text, n) : fromLatin1(text, n);
    items.push_back(item);
    at += 8 + std::size_t(size) + (size & 1);
  }
  return items;
}

Bytes buildInfoList(const std::vector<InfoItem>& items) {
  Bytes out;
  out.reserve(256);  // also keeps GCC 12 from a false -Wstringop-overflow on the first insert
  appendId(out, "INFO");
  for (const auto& item : items) {
    if (item.text.empty() || item.id.size() != 4) continue;
    std::string text = toUtf8(item.text);
    std::uint32_t size = std::uint32_t(text.size() + 1);
    appendId(out, item.id.c_str());
    append32(out, size);
    appendBytes(out, text.data(), text.size());
    out.push_back(0);
    if (size & 1) out.push_back(0);
  }
  return out;
}

std::vector<InfoItem> infoItemsForTags(const TagList& tags, const std::vector<InfoItem>& kept) {
  std::vector<InfoItem> items;
  for (const auto& k : kept)
    if (infoIdToName(k.id).empty()) items.push_back(k);
  for (const auto& t : tags) {
    if (!t.data.empty() || t.value.empty()) continue;
    std::string id = nameToInfoId(t.name);
    if (id.empty()) continue;
    auto it = std::find_if(items.begin(), items.end(), [&](const InfoItem& i) { return i.id == id; });
    if (it == items.end())
      items.push_back({id, t.value});
    else
      it->text += u"; " + t.value;
  }
  return items;
}

}  // namespace tvw
