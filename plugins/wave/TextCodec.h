// Text conversions between the UTF-16 of the plug-in boundary and the
// encodings found in RIFF INFO and ID3v2 fields.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace tvw {

std::string toUtf8(const std::u16string& text);
// Invalid sequences become U+FFFD.
std::u16string fromUtf8(const std::uint8_t* p, std::size_t n);
bool isValidUtf8(const std::uint8_t* p, std::size_t n);
std::u16string fromLatin1(const std::uint8_t* p, std::size_t n);
// UTF-16 with an optional byte-order mark (little-endian when there is none
// unless bigEndian says otherwise).
std::u16string fromUtf16(const std::uint8_t* p, std::size_t n, bool bigEndian = false);

// ASCII-only case folding, the way the suite compares tag names.
char16_t foldAscii(char16_t c);
bool equalsNoCase(const std::u16string& a, const std::u16string& b);
bool startsWithNoCase(const std::u16string& text, const std::u16string& prefix);
std::u16string u16(const char* ascii);

}  // namespace tvw
