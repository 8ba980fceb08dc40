// Test decoder: generates PCM of a chosen format and length for any file,
// keeps a file's tags in a "<file>.tvtags" side file, and misbehaves on
// request. Knobs: README.md.
#include <string>
#include <vector>

#include "TestPluginSupport.h"

#ifndef TVTEST_ENV_PREFIX
#define TVTEST_ENV_PREFIX L"TVTEST_DEC_"
#endif
#ifndef TVTEST_DEFAULT_NAME
#define TVTEST_DEFAULT_NAME L"tvtest_dec"
#endif
#ifndef TVTEST_DEFAULT_DECODES
#define TVTEST_DEFAULT_DECODES L".tvt|Tonvera test audio;.tvtone|Tonvera test tone"
#endif

using namespace tvtest;

namespace {

const wchar_t kTagFileSuffix[] = L".tvtags";

struct Option {
  const wchar_t* label;
  const wchar_t* link;
  std::vector<const wchar_t*> entries;
};

// Option numbers with a gap at 1, as the option lists allow.
const Option kOptions[] = {{L"Test Quality", L"TestDecoder\\Quality", {L"Low", L"Medium", L"High"}},
                           {nullptr, nullptr, {}},
                           {L"Test Mode", L"TestDecoder\\Mode", {L"A", L"B"}}};
const Option kTagOptions[] = {{L"Tag Version", L"TestDecoder\\TagVersion", {L"1", L"2"}}};

class clTestDecoder : public clTestPlugin {
 public:
  explicit clTestDecoder(const TvMessageHandles* handles)
      : clTestPlugin(TVTEST_ENV_PREFIX, TVTEST_DEFAULT_NAME, handles) {}

  int rate = 44100, channels = 2, bits = 16, bitRate = 0;
  long long lengthMs = 1000, blockMs = 100;
  long long totalBytes = 0, producedBytes = 0;
  long long extraBytes = 0, extraBlock = -1, blockIndex = 0;
  WAVEFORMATEXTENSIBLE format = {};
  std::vector<BYTE> blockData, tagBlock, propertyBlock;

  long long BytesPerSecond() const { return static_cast<long long>(rate) * channels * bits / 8; }
  int BlockAlign() const { return channels * bits / 8 > 0 ? channels * bits / 8 : 1; }
  long long BytesToMs(long long bytes) const { return BytesPerSecond() ? bytes * 1000 / BytesPerSecond() : 0; }
  long long MsToBytes(long long ms) const { return BytesPerSecond() * ms / 1000 / BlockAlign() * BlockAlign(); }

  // "TVTEST rate=8000 channels=1 bits=16 ms=250 block_ms=50" on a file's first line overrides the knobs.
  void ReadFileSettings(const std::string& head) {
    if (head.compare(0, 6, "TVTEST") != 0) return;
    const std::wstring line = FromUtf8(head.substr(0, head.find_first_of("\r\n")));
    for (const std::wstring& token : Split(line, L' ')) {
      const size_t eq = token.find(L'=');
      if (eq == std::wstring::npos) continue;
      const std::wstring key = token.substr(0, eq);
      const long long n = ToNumber(token.substr(eq + 1), -1);
      if (n < 0) continue;
      if (key == L"rate") rate = static_cast<int>(n);
      else if (key == L"channels") channels = static_cast<int>(n);
      else if (key == L"bits") bits = static_cast<int>(n);
      else if (key == L"ms") lengthMs = n;
      else if (key == L"block_ms") blockMs = n;
      else if (key == L"bitrate") bitRate = static_cast<int>(n);
    }
  }
};

clTestDecoder* Self(TvPluginInstance instance) { return reinterpret_cast<clTestDecoder*>(instance); }

TvPluginResult Answer(clTestDecoder* d, TvSettingValue* value, const std::wstring& text, const std::wstring& text2 = L"",
                      const std::wstring& text3 = L"", bool withText2 = false, bool withText3 = false) {
  value->text = d->Answer(text);
  if (withText2) value->text2 = d->Answer(text2);
  if (withText3) value->text3 = d->Answer(text3);
  return 1;
}

TvPluginResult AnswerOption(clTestDecoder* d, TvSettingValue* value, const Option* options, size_t count) {
  if (value->index < 0 || static_cast<size_t>(value->index) >= count) return 0;
  const Option& option = options[value->index];
  if (!option.label || value->number < 0 || static_cast<size_t>(value->number) >= option.entries.size()) return 0;
  return Answer(d, value, value->number == 0 ? option.label : L"", option.link, option.entries[value->number], true,
                true);
}

}  // namespace

extern "C" {

TvPluginInstance TV_PLUGIN_CALL Create(const TvMessageHandles* handles) {
  auto* d = new clTestDecoder(handles);
  if (!d->Enter(L"Create", nullptr, L"") || d->Knobs().Flag(L"REFUSE_CREATE")) {
    delete d;
    return 0;
  }
  return reinterpret_cast<TvPluginInstance>(d);
}

TvPluginResult TV_PLUGIN_CALL Destroy(TvPluginInstance instance) {
  clTestDecoder* d = Self(instance);
  if (!d) return 0;
  d->Enter(L"Destroy", nullptr, L"");
  delete d;
  return 1;
}

TvPluginResult TV_PLUGIN_CALL Get(TvPluginInstance instance, const WCHAR* key, TvSettingValue* value) {
  clTestDecoder* d = Self(instance);
  if (!d || !key || !value) return 0;
  const std::wstring k = key;
  if (!d->Enter(L"Get", key, L"index=" + std::to_wstring(value->index) + L" number=" +
                                  std::to_wstring(value->number) + L" text=" + Text(value->text)))
    return 0;
  if (k == TV_KEY_DECODES) {
    if (d->Knobs().Misbehaves(L"endless"))
      return Answer(d, value, L".e" + std::to_wstring(value->index), L"Endless", L"", true);
    const std::vector<std::wstring> list = Split(d->Knobs().Value(L"DECODES", TVTEST_DEFAULT_DECODES), L';');
    if (value->index < 0 || static_cast<size_t>(value->index) >= list.size()) return 0;
    const std::wstring& item = list[value->index];
    const size_t bar = item.find(L'|');
    return Answer(d, value, item.substr(0, bar), bar == std::wstring::npos ? L"" : item.substr(bar + 1), L"", true);
  }
  if (k == TV_KEY_DECODER_DESCRIPTION)
    return Answer(d, value, d->Knobs().Value(L"DESCRIPTION", L"Tonvera test decoder"));
  if (k == TV_KEY_OPTIONS) return AnswerOption(d, value, kOptions, sizeof(kOptions) / sizeof(kOptions[0]));
  if (k == TV_KEY_ID_TAG_OPTIONS) return AnswerOption(d, value, kTagOptions, 1);
  if (k == TV_KEY_PROPERTY_ELEMENTS || k == TV_KEY_DEFAULT_PROPERTY_ELEMENTS) {
    const wchar_t* knob = k == TV_KEY_PROPERTY_ELEMENTS ? L"PROPERTY_ELEMENTS" : L"DEFAULT_PROPERTY_ELEMENTS";
    std::wstring names = d->Knobs().Value(knob, L"Sample Rate|Channels");
    for (wchar_t& c : names) {
      if (c == L'|') c = L'\r';
    }
    return Answer(d, value, names);
  }
  if (k == TV_KEY_COMMUNICATE) return d->NextCommunicateRequest(value) ? 1 : 0;
  return 0;
}

TvPluginResult TV_PLUGIN_CALL Set(TvPluginInstance instance, const WCHAR* key, TvSettingValue* value) {
  clTestDecoder* d = Self(instance);
  if (!d || !key || !value) return 0;
  const std::wstring k = key;
  if (!d->Enter(L"Set", key, L"number=" + std::to_wstring(value->number) + L" text=" + Text(value->text))) return 0;
  if (k == TV_KEY_IDTAGS) {
    if (!value->text || value->number < 0 || (value->number > 0 && !value->data)) return 0;
    return WriteWholeFile(std::wstring(value->text) + kTagFileSuffix, static_cast<const BYTE*>(value->data),
                          static_cast<size_t>(value->number))
               ? 1
               : 0;
  }
  if (k == TV_KEY_COMMUNICATE_RESULT) {
    d->TakeCommunicateResult(value);
    return 1;
  }
  if (k == TV_KEY_BATCHID || k == TV_KEY_DECODE_AS) return 1;
  return 0;
}

TvPluginResult TV_PLUGIN_CALL Open(TvPluginInstance instance, TvStreamInfo* stream) {
  clTestDecoder* d = Self(instance);
  if (!d || !stream) return 0;
  const std::wstring path = Text(stream->sourcePath);
  if (!d->Enter(L"Open", nullptr, L"flags=" + std::to_wstring(stream->openFlags) + L" path=" + path)) return 0;

  const clKnobs& knobs = d->Knobs();
  d->rate = static_cast<int>(knobs.Number(L"RATE", 44100));
  d->channels = static_cast<int>(knobs.Number(L"CHANNELS", 2));
  d->bits = static_cast<int>(knobs.Number(L"BITS", 16));
  d->lengthMs = knobs.Number(L"LENGTH_MS", 1000);
  d->blockMs = knobs.Number(L"BLOCK_MS", 100);
  d->bitRate = static_cast<int>(knobs.Number(L"BITRATE", 0));

  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    d->ReportError(d->Name() + L": cannot open " + path);
    return 0;
  }
  char head[512] = {};
  DWORD read = 0;
  ReadFile(file, head, sizeof(head) - 1, &read, nullptr);
  LARGE_INTEGER fileSize = {};
  GetFileSizeEx(file, &fileSize);
  CloseHandle(file);
  d->ReadFileSettings(std::string(head, read));
  if (d->bitRate == 0) d->bitRate = d->rate * d->channels * d->bits;

  WAVEFORMATEXTENSIBLE& f = d->format;
  f = WAVEFORMATEXTENSIBLE{};
  f.Format.wFormatTag = WAVE_FORMAT_PCM;
  f.Format.nChannels = static_cast<WORD>(d->channels);
  f.Format.nSamplesPerSec = static_cast<DWORD>(d->rate);
  f.Format.wBitsPerSample = static_cast<WORD>(d->bits);
  f.Format.nBlockAlign = static_cast<WORD>(d->BlockAlign());
  f.Format.nAvgBytesPerSec = static_cast<DWORD>(d->BytesPerSecond());
  if (knobs.Flag(L"EXTENSIBLE")) {
    static const GUID kPcm = {0x00000001, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
    f.Format.wFormatTag = WAVE_FORMAT_EXTENSIBLE;
    f.Format.cbSize = 22;
    f.Samples.wValidBitsPerSample = static_cast<WORD>(d->bits);
    f.dwChannelMask = d->channels == 1 ? SPEAKER_FRONT_CENTER : SPEAKER_FRONT_LEFT | SPEAKER_FRONT_RIGHT;
    f.SubFormat = kPcm;
  }
  if (knobs.Misbehaves(L"cbsize")) f.Format.cbSize = 0xFFFF;

  stream->description.format = f;
  stream->description.bitRate = d->bitRate;
  stream->description.lengthMs = d->lengthMs;
  stream->description.sourceBytes = fileSize.QuadPart;
  d->totalBytes = d->MsToBytes(d->lengthMs);
  d->producedBytes = 0;
  d->extraBytes = knobs.Number(L"EXTRA_BYTES", 0);
  d->extraBlock = knobs.Number(L"EXTRA_BLOCK", -1);
  d->blockIndex = 0;
  if (d->extraBytes < 0) d->extraBytes = 0;

  std::vector<BYTE> sideFile;
  if (ReadWholeFile(path + kTagFileSuffix, sideFile)) d->tagBlock = sideFile;
  else d->tagBlock = BuildTagBlock(ParseTagList(knobs.Value(L"TAGS")));
  d->propertyBlock = BuildTagBlock(ParseTagList(knobs.Value(
      L"PROPERTIES", L"Sample Rate=" + std::to_wstring(d->rate) + L"|Channels=" + std::to_wstring(d->channels))));

  stream->tagBlock = d->tagBlock.data();
  stream->tagBlockSize = static_cast<INT32>(d->tagBlock.size());
  stream->propertyBlock = d->propertyBlock.data();
  stream->propertyBlockSize = static_cast<INT32>(d->propertyBlock.size());
  if (knobs.Misbehaves(L"hugesize")) {
    stream->tagBlockSize = 0x7FFFFFF0;
    stream->propertyBlockSize = -5;
  }
  if (knobs.Misbehaves(L"badpointer")) {
    stream->tagBlock = d->Unreadable();
    stream->tagBlockSize = 16;
    stream->propertyBlock = d->EdgeOfReadable(8);
    stream->propertyBlockSize = 64;
  }
  return 1;
}

TvPluginResult TV_PLUGIN_CALL Close(TvPluginInstance instance, TvConversionInfo* conversion) {
  clTestDecoder* d = Self(instance);
  if (!d) return 0;
  return d->Enter(L"Close", nullptr, L"produced=" + std::to_wstring(d->producedBytes)) ? 1 : 0;
}

TvPluginResult TV_PLUGIN_CALL DecodeBlock(TvPluginInstance instance, TvAudioBlock* block) {
  clTestDecoder* d = Self(instance);
  if (!d || !block) return 0;
  const long long remaining = d->totalBytes - d->producedBytes;
  long long size = d->MsToBytes(d->blockMs);
  if (size <= 0) size = d->BlockAlign();
  if (size > remaining) size = remaining;
  // A block that ends in the middle of a sample: EXTRA_BYTES more stream bytes
  // in block EXTRA_BLOCK (the last block when not given).
  const bool lastHere = d->producedBytes + size >= d->totalBytes;
  const bool extraHere = d->extraBytes > 0 && (d->extraBlock < 0 ? lastHere : d->blockIndex == d->extraBlock);
  if (extraHere) {
    size += d->extraBytes;
    d->totalBytes += d->extraBytes;
  }
  ++d->blockIndex;
  if (!d->Enter(L"DecodeBlock", nullptr, L"position=" + std::to_wstring(d->producedBytes) + L" size=" +
                                         std::to_wstring(size)))
    return 0;

  // Byte k of the stream is k % 251, so a test can check any stretch of output.
  d->blockData.resize(static_cast<size_t>(size));
  for (long long i = 0; i < size; ++i) d->blockData[static_cast<size_t>(i)] = static_cast<BYTE>((d->producedBytes + i) % 251);
  block->data = d->blockData.data();
  block->dataSize = static_cast<INT32>(size);
  block->format = d->format;
  block->bitRate = d->bitRate;
  block->durationMs = d->BytesToMs(size);
  block->positionMs = d->BytesToMs(d->producedBytes);
  d->producedBytes += size;
  block->lastBlock = d->producedBytes >= d->totalBytes ? 1 : 0;
  d->SetActionText(block);
  if (d->Knobs().Misbehaves(L"hugesize")) block->dataSize = 0x7FFFFFF0;
  if (d->Knobs().Misbehaves(L"badpointer")) block->data = d->Unreadable();
  return 1;
}

TvPluginResult TV_PLUGIN_CALL SetPosition(TvPluginInstance instance) { return 0; }

TvPluginResult TV_PLUGIN_CALL DeleteATag(TvPluginInstance instance, const WCHAR* path, const WCHAR* names) {
  clTestDecoder* d = Self(instance);
  if (!d || !path) return 0;
  std::vector<std::wstring> doomed;
  for (const WCHAR* n = names; n && *n; n += wcslen(n) + 1) doomed.push_back(n);
  std::wstring list;
  for (const std::wstring& n : doomed) list += (list.empty() ? L"" : L"|") + n;
  if (!d->Enter(L"DeleteATag", nullptr, L"path=" + std::wstring(path) + L" names=" + (names ? list : L"(all)")))
    return 0;
  const std::wstring sideFile = std::wstring(path) + kTagFileSuffix;
  if (!names) {
    DeleteFileW(sideFile.c_str());
    return 1;
  }
  std::vector<BYTE> block;
  if (!ReadWholeFile(sideFile, block)) return 1;  // no tags: nothing to delete
  std::vector<TagElement> kept;
  for (const TagElement& e : ParseTagBlock(block.data(), block.size())) {
    bool remove = false;
    for (const std::wstring& n : doomed) remove = remove || EqualsNoCase(n, e.name);
    if (!remove) kept.push_back(e);
  }
  const std::vector<BYTE> rebuilt = BuildTagBlock(kept);
  return WriteWholeFile(sideFile, rebuilt.data(), rebuilt.size()) ? 1 : 0;
}

}  // extern "C"
