#include "Id3Tag.h"

#include <algorithm>
#include <cstring>

#include "Genres.h"
#include "PictureKinds.h"
#include "TextCodec.h"

namespace tvw {

namespace {

struct FrameName {
  const char* id;
  const char* name;
};
const FrameName kFrameNames[] = {
    {"TIT2", "Title"},        {"TPE1", "Artist"},      {"TALB", "Album"},      {"TDRC", "Year"},
    {"TRCK", "Track"},        {"TCON", "Genre"},       {"TPE2", "Album Artist"}, {"TCOM", "Composer"},
    {"TPE3", "Conductor"},    {"TPOS", "Disc"},        {"TBPM", "Tempo"},      {"TCOP", "Copyright"},
    {"TPUB", "Label"},        {"TSRC", "ISRC"},        {"TMOO", "Mood"},       {"TEXT", "Lyricist"},
    {"TENC", "Encoded By"},   {"TIT3", "Subtitle"},    {"TIT1", "Grouping"},   {"TOPE", "Original Artist"},
    {"TPE4", "Remixer"},      {"TLAN", "Language"},    {"TKEY", "Initial Key"}, {"TMED", "Media Type"},
    {"TSSE", "Encoder Settings"},
};
// Version 2.3 frames and their 2.4 replacements; version 2.2 ids.
const FrameName kOldIds[] = {
    {"TYER", "TDRC"}, {"TT2", "TIT2"}, {"TP1", "TPE1"}, {"TP2", "TPE2"}, {"TP3", "TPE3"}, {"TAL", "TALB"},
    {"TYE", "TDRC"},  {"TRK", "TRCK"}, {"TCO", "TCON"}, {"TCM", "TCOM"}, {"TPA", "TPOS"}, {"TBP", "TBPM"},
    {"TCR", "TCOP"},  {"TPB", "TPUB"}, {"TXT", "TEXT"}, {"TEN", "TENC"}, {"TT3", "TIT3"}, {"TT1", "TIT1"},
    {"TXX", "TXXX"},  {"COM", "COMM"}, {"ULT", "USLT"}, {"PIC", "APIC"}, {"TSS", "TSSE"}, {"TRC", "TSRC"},
};
// 2.3 date parts that 2.4 folds into TDRC; dropped rather than carried over.
const char* const kDroppedIds[] = {"TDAT", "TIME", "TRDA", "TSIZ", "TORY"};

const char16_t kCommentName[] = u"Comment";
const char16_t kLyricsName[] = u"Lyrics";

// One text of the given encoding, up to its terminator (or the end).
std::u16string decodeText(int enc, const std::uint8_t* p, std::size_t n) {
  switch (enc) {
    case 0: return fromLatin1(p, n);
    case 1: return fromUtf16(p, n, false);
    case 2: return fromUtf16(p, n, true);
    default: return fromUtf8(p, n);
  }
}

// Length of the text at p up to its terminator, and the terminator's size.
std::size_t textLength(int enc, const std::uint8_t* p, std::size_t n, std::size_t& term) {
  if (enc == 1 || enc == 2) {
    for (std::size_t i = 0; i + 1 < n; i += 2)
      if (p[i] == 0 && p[i + 1] == 0) { term = 2; return i; }
    term = 0;
    return n & ~std::size_t(1);
  }
  for (std::size_t i = 0; i < n; ++i)
    if (p[i] == 0) { term = 1; return i; }
  term = 0;
  return n;
}

// Splits the rest of a frame into its zero-separated values.
std::vector<std::u16string> decodeTexts(int enc, const std::uint8_t* p, std::size_t n) {
  std::vector<std::u16string> values;
  std::u16string bom;
  while (n > 0) {
    std::size_t term = 0;
    std::size_t len = textLength(enc, p, n, term);
    values.push_back(decodeText(enc, p, len));
    p += len + term;
    n -= len + term;
  }
  while (!values.empty() && values.back().empty()) values.pop_back();
  return values;
}

void appendText(Bytes& b, const std::u16string& text, bool terminate) {
  std::string s = toUtf8(text);
  appendBytes(b, s.data(), s.size());
  if (terminate) b.push_back(0);
}

Bytes removeUnsync(const std::uint8_t* p, std::size_t n) {
  Bytes out;
  out.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    out.push_back(p[i]);
    if (p[i] == 0xFF && i + 1 < n && p[i + 1] == 0x00) ++i;
  }
  return out;
}

std::string upgradeId(std::string id) {
  for (const auto& o : kOldIds)
    if (id == o.id) return o.name;
  return id;
}

bool isTextFrameId(const std::string& id) {
  if (id.size() != 4 || id[0] != 'T' || id == "TXXX") return false;
  return std::all_of(id.begin(), id.end(), [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); });
}

void addValues(TagList& tags, const std::u16string& name, const std::vector<std::u16string>& values) {
  for (const auto& v : values) tags.push_back({name, v, {}});
}

// Turns one frame into tag elements; false when the frame is not one the
// plug-in maps (it is then kept as it is).
bool frameToTags(const std::string& id, const Bytes& f, bool v22, TagList& tags, int& pictures) {
  if (f.empty()) return true;
  if (id == "PRIV") {
    // Binary elements of our own travel as PRIV frames owned by their name.
    std::size_t term = 0;
    std::size_t len = textLength(0, f.data(), f.size(), term);
    if (term == 0 || len == 0 || f[0] != '_') return false;
    tags.push_back({fromLatin1(f.data(), len), {}, Bytes(f.begin() + std::ptrdiff_t(len + 1), f.end())});
    return true;
  }
  int enc = f[0];
  if (enc > 3) return false;
  const std::uint8_t* p = f.data() + 1;
  std::size_t n = f.size() - 1;
  if (id == "TXXX") {
    std::size_t term = 0;
    std::size_t len = textLength(enc, p, n, term);
    std::u16string desc = decodeText(enc, p, len);
    addValues(tags, desc.empty() ? u"User Text" : desc, decodeTexts(enc, p + len + term, n - len - term));
    return true;
  }
  if (id == "COMM" || id == "USLT") {
    if (n < 3) return true;
    p += 3;  // language
    n -= 3;
    std::size_t term = 0;
    std::size_t len = textLength(enc, p, n, term);
    std::u16string desc = decodeText(enc, p, len);
    std::u16string name = desc.empty() ? std::u16string(id == "COMM" ? kCommentName : kLyricsName) : desc;
    addValues(tags, name, decodeTexts(enc, p + len + term, n - len - term));
    return true;
  }
  if (id == "APIC") {
    std::size_t mimeLen;
    if (v22) {
      mimeLen = 3;
      if (n < 4) return true;
      p += 3;
      n -= 3;
    } else {
      std::size_t term = 0;
      mimeLen = textLength(0, p, n, term);
      if (term == 0) return true;
      p += mimeLen + 1;
      n -= mimeLen + 1;
    }
    if (n < 1) return true;
    int type = p[0];
    ++p;
    --n;
    std::size_t term = 0;
    std::size_t len = textLength(enc, p, n, term);
    std::u16string desc = decodeText(enc, p, len);
    p += len + term;
    n -= len + term;
    if (n == 0) return true;
    std::u16string kind = kindForPictureType(type);
    if (kind.empty()) kind = desc;
    std::u16string name = std::u16string(kAlbumArtPrefix) + u16(std::to_string(++pictures).c_str());
    if (!kind.empty()) name += u"_" + kind;
    tags.push_back({name, {}, Bytes(p, p + n)});
    return true;
  }
  if (isTextFrameId(id)) {
    std::u16string name = frameIdToName(id);
    std::vector<std::u16string> values = decodeTexts(enc, p, n);
    if (id == "TCON")
      for (auto& v : values) v = resolveGenre(v);
    addValues(tags, name.empty() ? u16(id.c_str()) : name, values);
    return true;
  }
  return false;
}

}  // namespace

std::string nameToFrameId(const std::u16string& name) {
  for (const auto& f : kFrameNames)
    if (equalsNoCase(name, u16(f.name))) return f.id;
  return {};
}

std::u16string frameIdToName(const std::string& id) {
  for (const auto& f : kFrameNames)
    if (id == f.id) return u16(f.name);
  return {};
}

Id3Contents parseId3(const std::uint8_t* p, std::size_t n) {
  Id3Contents out;
  if (!p || n < 10 || std::memcmp(p, "ID3", 3) != 0) return out;
  int version = p[3];
  if (version < 2 || version > 4) return out;
  std::uint8_t flags = p[5];
  std::size_t size = synchsafe32(p + 6);
  if (size > n - 10) size = n - 10;
  Bytes body;
  if ((flags & 0x80) && version < 4)
    body = removeUnsync(p + 10, size);  // 2.2/2.3: the whole tag is unsynchronised
  else
    body.assign(p + 10, p + 10 + size);
  std::size_t at = 0;
  if ((flags & 0x40) && version >= 3) {
    if (body.size() < 4) return out;
    std::size_t ext = version == 3 ? be32(body.data()) + 4 : synchsafe32(body.data());
    if (ext > body.size()) return out;
    at = ext;
  }
  out.version = version;
  const bool v22 = version == 2;
  const std::size_t headerSize = v22 ? 6 : 10;
  int pictures = 0;
  while (body.size() - at >= headerSize) {
    const std::uint8_t* h = body.data() + at;
    if (h[0] == 0) break;  // padding
    std::string id(reinterpret_cast<const char*>(h), v22 ? 3 : 4);
    std::size_t fsize;
    std::uint8_t fmtFlags = 0;
    if (v22)
      fsize = (std::size_t(h[3]) << 16) | (std::size_t(h[4]) << 8) | h[5];
    else if (version == 3)
      fsize = be32(h + 4);
    else
      fsize = synchsafe32(h + 4);
    if (!v22) fmtFlags = h[9];
    if (fsize > body.size() - at - headerSize) break;
    const std::uint8_t* fp = h + headerSize;
    std::size_t fn = fsize;
    at += headerSize + fsize;

    bool compressedOrEncrypted = version == 3 ? (fmtFlags & 0xC0) != 0 : version == 4 && (fmtFlags & 0x0C) != 0;
    if (compressedOrEncrypted) continue;  // not readable without a decompressor; dropped
    std::size_t skip = 0;
    if (version == 3 && (fmtFlags & 0x20)) skip += 1;              // group id
    if (version == 4 && (fmtFlags & 0x40)) skip += 1;              // group id
    if (version == 4 && (fmtFlags & 0x01)) skip += 4;              // data length indicator
    if (skip > fn) continue;
    Bytes payload;
    if (version == 4 && ((fmtFlags & 0x02) || (flags & 0x80)))
      payload = removeUnsync(fp + skip, fn - skip);
    else
      payload.assign(fp + skip, fp + fn);

    std::string upgraded = upgradeId(id);
    if (std::find_if(std::begin(kDroppedIds), std::end(kDroppedIds),
                     [&](const char* d) { return upgraded == d; }) != std::end(kDroppedIds))
      continue;
    if (!frameToTags(upgraded, payload, v22, out.tags, pictures) && !v22 && upgraded.size() == 4)
      out.unknown.push_back({upgraded, std::move(payload)});
  }
  return out;
}

Bytes buildId3(const TagList& tags, const std::vector<Id3Frame>& unknown) {
  std::vector<Id3Frame> frames;
  std::vector<std::u16string> done;  // keys already written
  std::vector<std::u16string> pictureDescriptions;
  for (const auto& t : tags) {
    if (isAlbumArtName(t.name)) {
      if (t.data.empty()) continue;
      std::u16string key = tagKey(t.name);
      std::u16string kind;
      if (t.name.size() > key.size() + 1 && t.name[key.size()] == u'_') kind = t.name.substr(key.size() + 1);
      int type = pictureTypeForKind(kind);
      // Descriptions should differ between pictures; an undescribed one
      // stays empty so it reads back undescribed.
      std::u16string desc = kind;
      for (int i = 2; !kind.empty() && std::find(pictureDescriptions.begin(), pictureDescriptions.end(), desc) != pictureDescriptions.end(); ++i)
        desc = kind + u" " + u16(std::to_string(i).c_str());
      pictureDescriptions.push_back(desc);
      Id3Frame f{"APIC", {}};
      f.payload.push_back(3);
      std::string mime = imageMimeType(t.data.data(), t.data.size());
      appendBytes(f.payload, mime.c_str(), mime.size() + 1);
      f.payload.push_back(std::uint8_t(type < 0 ? 0 : type));
      appendText(f.payload, desc, true);
      f.payload.insert(f.payload.end(), t.data.begin(), t.data.end());
      frames.push_back(std::move(f));
      continue;
    }
    std::u16string key = tagKey(t.name);
    if (std::find(done.begin(), done.end(), key) != done.end()) continue;
    done.push_back(key);
    if (!t.data.empty() && !t.name.empty() && t.name[0] == u'_') {
      Id3Frame f{"PRIV", {}};
      for (char16_t c : t.name) f.payload.push_back(std::uint8_t(c < 0x100 ? c : '?'));
      f.payload.push_back(0);
      f.payload.insert(f.payload.end(), t.data.begin(), t.data.end());
      frames.push_back(std::move(f));
      continue;
    }
    std::vector<std::u16string> values;
    for (const auto& o : tags)
      if (tagKey(o.name) == key && o.data.empty()) values.push_back(o.value);
    if (values.empty()) continue;
    Id3Frame f;
    f.payload.push_back(3);
    std::string id = nameToFrameId(t.name);
    std::string asIs(t.name.begin(), t.name.end());
    if (equalsNoCase(t.name, kCommentName) || equalsNoCase(t.name, kLyricsName)) {
      id = equalsNoCase(t.name, kCommentName) ? "COMM" : "USLT";
      appendBytes(f.payload, "eng", 3);
      f.payload.push_back(0);  // empty description
    } else if (id.empty() && isTextFrameId(asIs) && std::u16string(asIs.begin(), asIs.end()) == t.name) {
      id = asIs;
    } else if (id.empty()) {
      id = "TXXX";
      appendText(f.payload, t.name, true);
    }
    f.id = id;
    for (std::size_t i = 0; i < values.size(); ++i) appendText(f.payload, values[i], i + 1 < values.size());
    frames.push_back(std::move(f));
  }
  for (const auto& u : unknown) frames.push_back(u);

  Bytes body;
  for (const auto& f : frames) {
    if (f.payload.size() >= (1u << 28)) continue;  // beyond what a frame size can say
    appendId(body, f.id.c_str());
    appendSynchsafe32(body, std::uint32_t(f.payload.size()));
    body.push_back(0);
    body.push_back(0);
    body.insert(body.end(), f.payload.begin(), f.payload.end());
  }
  Bytes out;
  if (body.size() >= (1u << 28)) return out;
  appendBytes(out, "ID3\x04\x00\x00", 6);
  appendSynchsafe32(out, std::uint32_t(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

}  // namespace tvw
