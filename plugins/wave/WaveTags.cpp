#include "WaveTags.h"

#include "TextCodec.h"

namespace tvw {

WaveMetadata readWaveMetadata(ByteSource& src, const WaveLayout& layout) {
  WaveMetadata meta;
  Bytes body;
  if (layout.infoChunk >= 0 && readChunk(src, layout.chunks[std::size_t(layout.infoChunk)], body))
    meta.info = parseInfoList(body);
  if (layout.id3Chunk >= 0 && readChunk(src, layout.chunks[std::size_t(layout.id3Chunk)], body)) {
    Id3Contents id3 = parseId3(body.data(), body.size());
    meta.tags = std::move(id3.tags);
    meta.unknownFrames = std::move(id3.unknown);
  }
  for (const auto& item : meta.info) {
    if (item.id == "ISFT") meta.software = item.text;
    std::u16string name = infoIdToName(item.id);
    if (name.empty() || item.text.empty()) continue;
    bool present = false;
    for (const auto& t : meta.tags)
      if (equalsNoCase(t.name, name)) present = true;
    if (!present) meta.tags.push_back({name, item.text, {}});
  }
  return meta;
}

const char kInfoOptionLabel[] = "Plain Text Copy of the Tags (LIST/INFO)";
const char kInfoOptionLink[] = "Codecs\\WAVE\\InfoChunk";
const char* const kInfoOptionEntries[2] = {"Write", "Do not write"};

void buildMetadataChunks(const TagList& tags, const WaveMetadata& old, Bytes& infoBody, Bytes& id3,
                         bool infoTexts) {
  infoBody.clear();
  id3.clear();
  std::vector<InfoItem> items = infoItemsForTags(infoTexts ? tags : TagList(), old.info);
  if (!items.empty()) infoBody = buildInfoList(items);
  if (!tags.empty() || !old.unknownFrames.empty()) id3 = buildId3(tags, old.unknownFrames);
}

namespace {
const char* const kPropertyNames[] = {"Audio Quality", "Encoder", "Audio Format", "Container"};
}

TagList waveProperties(const WaveLayout& layout, const WaveMetadata& meta) {
  TagList props;
  props.push_back({u"Audio Quality", u"Lossless", {}});
  if (!meta.software.empty()) props.push_back({u"Encoder", meta.software, {}});
  props.push_back({u"Audio Format", u16(describe(layout.format).c_str()), {}});
  props.push_back({u"Container", layout.rf64 ? u"RF64 WAVE" : u"RIFF WAVE", {}});
  return props;
}

std::u16string propertyElementNames() {
  std::u16string s;
  for (const char* n : kPropertyNames) {
    if (!s.empty()) s += u'\r';
    s += u16(n);
  }
  return s;
}

std::u16string defaultPropertyElementNames() { return u"Audio Quality\rEncoder"; }

std::vector<std::u16string> splitNameList(const char16_t* names) {
  std::vector<std::u16string> out;
  if (!names) return out;
  // Bounded so a list without its final zero cannot run on for ever.
  for (int i = 0; i < 100000 && *names; ++i) {
    std::u16string n(names);
    out.push_back(n);
    names += n.size() + 1;
  }
  return out;
}

}  // namespace tvw
