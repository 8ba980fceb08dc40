#include "TvAudioInfoAnswer.h"

#include <cstring>

#include "TvString.h"

namespace tv {

namespace {

const char kTagMarker[4] = {'I', 'D', 'T', 'G'};
const char kPropertyMarker[4] = {'A', 'U', 'D', 'P'};
const char kAudioMarker[4] = {'A', 'U', 'D', 'I'};

void AppendBlock(std::vector<uint8_t>& out, const char marker[4], const uint8_t* data, uint32_t size) {
  out.insert(out.end(), marker, marker + 4);
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(size >> (8 * i)));
  if (size) out.insert(out.end(), data, data + size);
}

// Reads one marked block at `*at`; false when the marker differs or the
// count runs past the data.
bool ReadBlock(const uint8_t* data, size_t size, size_t* at, const char marker[4], const uint8_t** block,
               uint32_t* count) {
  if (size - *at < 8 || std::memcmp(data + *at, marker, 4) != 0) return false;
  const uint8_t* c = data + *at + 4;
  uint32_t n = uint32_t(c[0]) | (uint32_t(c[1]) << 8) | (uint32_t(c[2]) << 16) | (uint32_t(c[3]) << 24);
  if (size - *at - 8 < n) return false;
  *block = data + *at + 8;
  *count = n;
  *at += 8 + size_t(n);
  return true;
}

void AppendUnit(std::vector<uint8_t>& out, wchar_t c) {
  out.push_back(uint8_t(uint16_t(c) & 0xFF));
  out.push_back(uint8_t(uint16_t(c) >> 8));
}

}  // namespace

std::vector<uint8_t> WriteAudioInfoAnswer(const AudioInfoAnswer& answer) {
  std::vector<uint8_t> out;
  auto fits = [](const std::vector<uint8_t>& b) { return b.size() <= kMaxAnswerBlockBytes; };
  const std::vector<uint8_t>& tags = answer.tagBlock;
  const std::vector<uint8_t>& props = answer.propertyBlock;
  AppendBlock(out, kTagMarker, tags.data(), fits(tags) ? uint32_t(tags.size()) : 0);
  AppendBlock(out, kPropertyMarker, props.data(), fits(props) ? uint32_t(props.size()) : 0);
  AppendBlock(out, kAudioMarker, answer.audio, kAudioInfoRecordBytes);
  return out;
}

bool ReadAudioInfoAnswer(const uint8_t* data, size_t size, AudioInfoAnswer& answer) {
  answer = AudioInfoAnswer();
  if (!data) return false;
  size_t at = 0;
  const uint8_t* block = nullptr;
  uint32_t n = 0;
  if (!ReadBlock(data, size, &at, kTagMarker, &block, &n)) return false;
  std::vector<uint8_t> tags(block, block + n);
  if (!ReadBlock(data, size, &at, kPropertyMarker, &block, &n)) return false;
  std::vector<uint8_t> props(block, block + n);
  if (!ReadBlock(data, size, &at, kAudioMarker, &block, &n) || n != kAudioInfoRecordBytes) return false;
  if (at != size) return false;
  answer.tagBlock.swap(tags);
  answer.propertyBlock.swap(props);
  std::memcpy(answer.audio, block, kAudioInfoRecordBytes);
  return true;
}

std::vector<uint8_t> WriteExtensionList(const std::vector<std::wstring>& extensions) {
  std::vector<uint8_t> out;
  for (const std::wstring& extension : extensions) {
    for (wchar_t c : extension.empty() ? std::wstring(L"[Empty]") : extension) AppendUnit(out, c);
    AppendUnit(out, 0);
  }
  AppendUnit(out, 0);
  if (extensions.empty()) AppendUnit(out, 0);  // an empty list is two zero characters
  return out;
}

bool ReadExtensionList(const uint8_t* data, size_t size, std::vector<std::wstring>& extensions) {
  extensions.clear();
  std::wstring current;
  for (size_t at = 0; at + 1 < size; at += 2) {
    wchar_t c = wchar_t(data[at] | (data[at + 1] << 8));
    if (c != 0) {
      current.push_back(c);
      continue;
    }
    if (current.empty()) return true;  // the closing zero
    extensions.push_back(current == L"[Empty]" ? std::wstring() : current);
    current.clear();
  }
  extensions.clear();
  return false;
}

std::vector<uint8_t> PopupAnswerUtf16(const std::wstring& text) {
  std::vector<uint8_t> out;
  out.reserve(text.size() * 2 + 2);
  for (wchar_t c : text) AppendUnit(out, c);
  AppendUnit(out, 0);
  return out;
}

std::vector<uint8_t> PopupAnswerUtf8(const std::wstring& text) {
  std::string utf8 = WideToUtf8(text);
  if (utf8.size() > kMaxUtf8PopupBytes) {
    size_t cut = kMaxUtf8PopupBytes;
    while (cut > 0 && (uint8_t(utf8[cut]) & 0xC0) == 0x80) --cut;  // not inside a character
    utf8.resize(cut);
  }
  std::vector<uint8_t> out(utf8.begin(), utf8.end());
  out.push_back(0);
  return out;
}

std::wstring ReadPopupAnswerUtf16(const uint8_t* data, size_t size) {
  std::wstring text;
  for (size_t at = 0; at + 1 < size; at += 2) {
    wchar_t c = wchar_t(data[at] | (data[at + 1] << 8));
    if (c == 0) break;
    text.push_back(c);
  }
  return text;
}

}  // namespace tv
