#include "WaveDecoder.h"

#include <algorithm>
#include <climits>

#include "ContractRecords.h"
#include "RiffWriter.h"
#include "StoredSettings.h"
#include "TextCodec.h"
#include "WaveTags.h"

namespace tvw {

namespace {
const char* const kExtensions[][2] = {{".wav", "WAVE Audio"}, {".bwf", "Broadcast WAVE Audio"}};
constexpr std::size_t kBlockTarget = 256 * 1024;
constexpr int kOpenAudio = 1, kOpenProperties = 4, kOpenTags = 8;

std::wstring quoted(const std::wstring& path) { return L"'" + path + L"'"; }
}  // namespace

std::size_t WaveDecoder::blockBytes(const WaveFormat& f) {
  std::size_t align = f.blockAlign ? f.blockAlign : 1;
  return std::max(align, kBlockTarget / align * align);
}

bool WaveDecoder::get(const std::u16string& key, TvSettingValue* v) {
  if (!v) return false;
  if (key == u"Decodes") {
    if (v->index < 0 || std::size_t(v->index) >= sizeof kExtensions / sizeof kExtensions[0]) return false;
    reply_ = u16(kExtensions[v->index][0]);
    reply2_ = u16(kExtensions[v->index][1]);
    v->text = wideText(reply_);
    v->text2 = wideText(reply2_);
    return true;
  }
  if (key == u"Decoder Description") {
    reply_ = u"RIFF WAVE and RF64 audio: PCM 8/16/24/32-bit, IEEE float 32/64-bit";
  } else if (key == u"Property Elements") {
    reply_ = propertyElementNames();
  } else if (key == u"Default Property Elements") {
    reply_ = defaultPropertyElementNames();
  } else if (key == u"ID Tag Options") {
    if (v->index != 0 || v->number < 0 || v->number > 1) return false;
    reply_ = u16(kInfoOptionLabel);
    reply2_ = u16(kInfoOptionLink);
    reply3_ = u16(kInfoOptionEntries[v->number]);
    v->text2 = wideText(reply2_);
    v->text3 = wideText(reply3_);
  } else {
    return false;  // no options, no relay requests
  }
  v->text = wideText(reply_);
  return true;
}

bool WaveDecoder::set(const std::u16string& key, TvSettingValue* v) {
  if (key == u"BatchID" || key == u"Decode As" || key == u"CommunicateResult") return true;  // already lossless
  if (key == u"IDTags") {
    if (!v || !v->text) {
      report_.error(L"Error: WAVE: no file was named for writing tags.", "WAVE::Set");
      return false;
    }
    if (v->number < 0 || (v->number > 0 && !v->data)) {
      report_.error(L"Error: WAVE: the tag block to write is missing.", "WAVE::Set");
      return false;
    }
    TagList updates = decodeTagBlock(static_cast<const std::uint8_t*>(v->data), std::size_t(v->number));
    return rewriteTags(
        v->text, false, [&](TagList& tags) { applyTagUpdates(tags, updates); }, "WAVE::Set");
  }
  return false;
}

bool WaveDecoder::deleteTags(const WCHAR* path, const WCHAR* names) {
  if (!path) {
    report_.error(L"Error: WAVE: no file was named for deleting tags.", "WAVE::DeleteATag");
    return false;
  }
  if (!names)
    return rewriteTags(
        path, true, [](TagList& tags) { tags.clear(); }, "WAVE::DeleteATag");
  std::vector<std::u16string> list = splitNameList(reinterpret_cast<const char16_t*>(names));
  return rewriteTags(
      path, false, [&](TagList& tags) { removeTags(tags, list); }, "WAVE::DeleteATag");
}

bool WaveDecoder::openAndParse(const std::wstring& path, FileSource& file, WaveLayout& layout, const char* function) {
  if (!file.open(path)) {
    report_.error(L"Error: WAVE: unable to open " + quoted(path) + L": " + lastErrorText() + L".", function);
    return false;
  }
  std::string reason;
  if (!parseWave(file, layout, reason)) {
    report_.error(L"Error: WAVE: " + quoted(path) + L" cannot be read: " + widen(reason) + L".", function);
    file.close();
    return false;
  }
  return true;
}

template <typename Edit>
bool WaveDecoder::rewriteTags(const std::wstring& path, bool dropUnknownFrames, Edit edit, const char* function) {
  FileSource source;
  WaveLayout layout;
  if (!openAndParse(path, source, layout, function)) return false;
  WaveMetadata meta = readWaveMetadata(source, layout);
  TagList tags = meta.tags;
  edit(tags);
  bool unknownGone = dropUnknownFrames && !meta.unknownFrames.empty();
  if (tags == meta.tags && !unknownGone) return true;  // nothing to change: the file stays as it is
  if (dropUnknownFrames) meta.unknownFrames.clear();

  Bytes info, id3;
  buildMetadataChunks(tags, meta, info, id3, readStoredIndex(kInfoOptionLink) != 1);
  // The new file is complete before it replaces the old one, so a failure
  // anywhere leaves the audio untouched.
  std::wstring temp = siblingTempPath(path);
  FileSink sink;
  if (!sink.create(temp)) {
    report_.error(L"Error: WAVE: unable to create " + quoted(temp) + L" for writing tags: " + lastErrorText() + L".",
                  function);
    return false;
  }
  std::string reason;
  bool ok = rewriteWave(source, layout, info, id3, sink, reason);
  if (!sink.close() && ok) {
    ok = false;
    reason = "the new file could not be written (disk full?)";
  }
  source.close();
  if (!ok) {
    DeleteFileW(temp.c_str());
    report_.error(L"Error: WAVE: writing tags to " + quoted(path) + L" failed: " + widen(reason) + L".", function);
    return false;
  }
  if (!replaceFile(temp, path)) {
    std::wstring why = lastErrorText();
    DeleteFileW(temp.c_str());
    report_.error(L"Error: WAVE: unable to replace " + quoted(path) + L" with its retagged copy: " + why + L".",
                  function);
    return false;
  }
  return true;
}

bool WaveDecoder::open(TvStreamInfo* s) {
  close();
  if (!s || !s->sourcePath) {
    report_.error(L"Error: WAVE: Open was given no file.", "WAVE::Open");
    return false;
  }
  path_ = s->sourcePath;
  if (!openAndParse(path_, file_, layout_, "WAVE::Open")) return false;
  if (layout_.dataTruncated)
    report_.information(L"Information: WAVE: the audio of " + quoted(path_) +
                            L" ends before its declared length; the audio present is used.",
                        "WAVE::Open");

  const WaveFormat& f = layout_.format;
  std::uint64_t bytesPerSecond = std::uint64_t(f.blockAlign) * f.sampleRate;
  storeFormat(f, s->description.format);
  s->description.bitRate = INT32(std::min<std::uint64_t>(bytesPerSecond * 8, INT_MAX));
  s->description.lengthMs = INT64(layout_.dataSize * 1000 / bytesPerSecond);
  s->description.sourceBytes = INT64(layout_.fileSize);

  int flags = s->openFlags;
  if (flags & (kOpenTags | kOpenProperties)) {
    WaveMetadata meta = readWaveMetadata(file_, layout_);
    if (flags & kOpenTags) {
      tagBlock_ = encodeTagBlock(meta.tags);
      s->tagBlock = tagBlock_.data();
      s->tagBlockSize = INT32(tagBlock_.size());
    }
    if (flags & kOpenProperties) {
      propertyBlock_ = encodeTagBlock(waveProperties(layout_, meta));
      s->propertyBlock = propertyBlock_.data();
      s->propertyBlockSize = INT32(propertyBlock_.size());
    }
  }
  streaming_ = (flags & kOpenAudio) != 0;
  done_ = 0;
  if (!streaming_) file_.close();  // inspection only: do not hold the file
  return true;
}

bool WaveDecoder::close() {
  file_.close();
  streaming_ = false;
  return true;
}

bool WaveDecoder::decodeBlock(TvAudioBlock* b) {
  if (!b) return false;
  if (!streaming_) {
    report_.error(L"Error: WAVE: no file is open for decoding.", "WAVE::DecodeBlock");
    return false;
  }
  const WaveFormat& f = layout_.format;
  std::uint64_t bytesPerSecond = std::uint64_t(f.blockAlign) * f.sampleRate;
  std::size_t n = std::size_t(std::min<std::uint64_t>(blockBytes(f), layout_.dataSize - done_));
  if (audio_.size() < n) audio_.resize(blockBytes(f));
  if (n > 0 && !file_.readAt(layout_.dataOffset + done_, audio_.data(), n)) {
    report_.error(L"Error: WAVE: reading the audio of " + quoted(path_) + L" failed.", "WAVE::DecodeBlock");
    return false;
  }
  b->data = n ? audio_.data() : nullptr;
  b->dataSize = INT32(n);
  storeFormat(f, b->format);
  b->bitRate = INT32(std::min<std::uint64_t>(bytesPerSecond * 8, INT_MAX));
  b->durationMs = INT64(std::uint64_t(n) * 1000 / bytesPerSecond);
  b->positionMs = INT64(done_ * 1000 / bytesPerSecond);
  done_ += n;
  b->lastBlock = done_ >= layout_.dataSize ? 1 : 0;
  return true;
}

}  // namespace tvw
