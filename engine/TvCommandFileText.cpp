#include "TvCommandFileText.h"

namespace tv {

std::wstring DecodeCommandFileText(const unsigned char* bytes, size_t size) {
  std::wstring text;
  if (!bytes) return text;
  const size_t units = size / 2;
  text.reserve(units);
  for (size_t i = 0; i < units; ++i) {
    const wchar_t unit = wchar_t(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    if (unit == 0) break;
    text += unit;
  }
  return text;
}

}  // namespace tv
