// Decoding a command file's bytes: UTF-16LE text without byte-order-mark
// handling (a leading mark is an ordinary character that the option scan skips).
#pragma once
#include <cstddef>
#include <string>

namespace tv {

// The text held by `size` bytes. A trailing odd byte is half a code unit and
// is not part of the text; the text ends at its first zero code unit, as the
// file's text ends at its terminator.
std::wstring DecodeCommandFileText(const unsigned char* bytes, size_t size);

}  // namespace tv
