#include "TextCodec.h"

namespace tvw {

std::string toUtf8(const std::u16string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c < 0xE000) {
      c = 0xFFFD;  // a lone surrogate cannot be written as UTF-8
    }
    if (c < 0x80) {
      out += char(c);
    } else if (c < 0x800) {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += char(0xE0 | (c >> 12));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    } else {
      out += char(0xF0 | (c >> 18));
      out += char(0x80 | ((c >> 12) & 0x3F));
      out += char(0x80 | ((c >> 6) & 0x3F));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

namespace {
// Length of the valid sequence at p (0 when invalid) and its code point.
std::size_t decodeOne(const std::uint8_t* p, std::size_t n, std::uint32_t& cp) {
  std::uint8_t b = p[0];
  std::size_t len;
  std::uint32_t min;
  if (b < 0x80) { cp = b; return 1; }
  if ((b & 0xE0) == 0xC0) { len = 2; cp = b & 0x1F; min = 0x80; }
  else if ((b & 0xF0) == 0xE0) { len = 3; cp = b & 0x0F; min = 0x800; }
  else if ((b & 0xF8) == 0xF0) { len = 4; cp = b & 0x07; min = 0x10000; }
  else return 0;
  if (len > n) return 0;
  for (std::size_t i = 1; i < len; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (p[i] & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) return 0;
  return len;
}
}  // namespace

std::u16string fromUtf8(const std::uint8_t* p, std::size_t n) {
  std::u16string out;
  out.reserve(n);
  std::size_t i = 0;
  while (i < n) {
    std::uint32_t cp = 0;
    std::size_t len = decodeOne(p + i, n - i, cp);
    if (len == 0) { out += char16_t(0xFFFD); ++i; continue; }
    i += len;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += char16_t(0xD800 + (cp >> 10));
      out += char16_t(0xDC00 + (cp & 0x3FF));
    } else {
      out += char16_t(cp);
    }
  }
  return out;
}

bool isValidUtf8(const std::uint8_t* p, std::size_t n) {
  std::size_t i = 0;
  while (i < n) {
    std::uint32_t cp = 0;
    std::size_t len = decodeOne(p + i, n - i, cp);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

std::u16string fromLatin1(const std::uint8_t* p, std::size_t n) {
  std::u16string out(n, u'\0');
  for (std::size_t i = 0; i < n; ++i) out[i] = char16_t(p[i]);
  return out;
}

std::u16string fromUtf16(const std::uint8_t* p, std::size_t n, bool bigEndian) {
  std::size_t i = 0;
  if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE) { bigEndian = false; i = 2; }
  else if (n >= 2 && p[0] == 0xFE && p[1] == 0xFF) { bigEndian = true; i = 2; }
  std::u16string out;
  out.reserve((n - i) / 2);
  for (; i + 1 < n; i += 2)
    out += bigEndian ? char16_t((p[i] << 8) | p[i + 1]) : char16_t(p[i] | (p[i + 1] << 8));
  return out;
}

char16_t foldAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; }

bool equalsNoCase(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (foldAscii(a[i]) != foldAscii(b[i])) return false;
  return true;
}

bool startsWithNoCase(const std::u16string& text, const std::u16string& prefix) {
  return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

std::u16string u16(const char* ascii) {
  std::u16string out;
  for (; *ascii; ++ascii) out += char16_t(static_cast<unsigned char>(*ascii));
  return out;
}

}  // namespace tvw
