#include "TvTagBlock.h"

#include <cstring>
#include <limits>

namespace tv {
namespace {

std::int32_t ReadInt32(const std::uint8_t* at) {
  std::uint32_t v = std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 | std::uint32_t(at[2]) << 16 |
                    std::uint32_t(at[3]) << 24;
  std::int32_t out;
  std::memcpy(&out, &v, sizeof out);
  return out;
}

void WriteInt32(std::uint8_t* at, std::int32_t value) {
  std::uint32_t v;
  std::memcpy(&v, &value, sizeof v);
  for (int i = 0; i < 4; ++i) at[i] = std::uint8_t(v >> (8 * i));
}

// Reads a zero-terminated UTF-16 text lying within [pos, end) and moves `pos`
// past its terminator. False when no terminator lies within the range.
bool ReadText(const std::uint8_t* base, std::int64_t& pos, std::int64_t end, std::wstring& text) {
  text.clear();
  while (pos + 2 <= end) {
    wchar_t c = wchar_t(base[pos] | base[pos + 1] << 8);
    pos += 2;
    if (c == 0) return true;
    text += c;
  }
  return false;
}

std::uint8_t* WriteText(std::uint8_t* at, const std::wstring& text) {
  for (wchar_t c : text) {
    *at++ = std::uint8_t(c & 0xFF);
    *at++ = std::uint8_t((c >> 8) & 0xFF);
  }
  *at++ = 0;
  *at++ = 0;
  return at;
}

std::int64_t TextBytes(const std::wstring& text) { return 2 * (std::int64_t(text.size()) + 1); }

}  // namespace

bool ReadTagBlock(const void* block, std::int64_t size, std::vector<clTagElement>& out) {
  // A block shorter than 5 bytes holds no element; only a count of 0 makes it whole.
  if (block == nullptr || size < 4) return false;
  const auto* base = static_cast<const std::uint8_t*>(block);
  const std::int32_t count = ReadInt32(base);
  if (count < 0) return false;
  std::int64_t pos = 4;
  for (std::int32_t read = 0; read < count; ++read) {
    if (pos + 4 > size) return false;  // the count promised more than the block holds
    const std::int32_t elementSize = ReadInt32(base + pos);
    if (elementSize < 4) return false;
    const std::int64_t end = pos + elementSize;
    if (end > size) return false;

    clTagElement element;
    std::int64_t cur = pos + 4;
    if (!ReadText(base, cur, end, element.name)) return false;  // name runs out of its element
    if (cur >= end) {
      // No room for a value: the element keeps its name and the block ends here.
      out.push_back(std::move(element));
      return read + 1 == count;
    }
    if (!ReadText(base, cur, end, element.value)) {
      // The value would leave a negative data size: keep the name, stop.
      element.value.clear();
      out.push_back(std::move(element));
      return false;
    }
    element.data.assign(base + cur, base + end);
    out.push_back(std::move(element));
    pos = end;
  }
  return true;
}

std::vector<std::uint8_t> WriteTagBlock(const std::vector<clTagElement>& elements) {
  constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
  if (std::int64_t(elements.size()) > kLimit) return {};
  std::int64_t total = 4;
  for (const auto& e : elements) {
    const std::int64_t elementSize = 4 + TextBytes(e.name) + TextBytes(e.value) + std::int64_t(e.data.size());
    if (elementSize > kLimit) return {};
    total += elementSize;
    if (total > kLimit) return {};
  }
  std::vector<std::uint8_t> block(static_cast<std::size_t>(total));
  std::uint8_t* at = block.data();
  WriteInt32(at, std::int32_t(elements.size()));
  at += 4;
  for (const auto& e : elements) {
    const std::int64_t elementSize = 4 + TextBytes(e.name) + TextBytes(e.value) + std::int64_t(e.data.size());
    WriteInt32(at, std::int32_t(elementSize));
    at = WriteText(at + 4, e.name);
    at = WriteText(at, e.value);
    if (!e.data.empty()) std::memcpy(at, e.data.data(), e.data.size());
    at += e.data.size();
  }
  return block;
}

}  // namespace tv
