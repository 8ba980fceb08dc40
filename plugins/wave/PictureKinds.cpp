#include "PictureKinds.h"

#include <cstring>

#include "TextCodec.h"

namespace tvw {

namespace {
struct Kind {
  int type;
  const char* text;
};
const Kind kKinds[] = {
    {3, "Front Album Cover"}, {4, "Back Album Cover"}, {5, "Leaflet Page"}, {6, "Media"},
    {7, "Lead Artist"},       {9, "Conductor"},        {10, "Band"},        {11, "Composer"},
    {12, "Writer"},           {15, "Performance"},     {19, "Artist Logo"}, {20, "Publisher Logo"},
};
}  // namespace

int pictureTypeForKind(const std::u16string& kind) {
  for (const auto& k : kKinds)
    if (equalsNoCase(kind, u16(k.text))) return k.type;
  return -1;
}

std::u16string kindForPictureType(int type) {
  for (const auto& k : kKinds)
    if (k.type == type) return u16(k.text);
  return {};
}

std::string imageMimeType(const std::uint8_t* d, std::size_t n) {
  if (n >= 8 && std::memcmp(d, "\x89PNG\r\n\x1A\n", 8) == 0) return "image/png";
  if (n >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF) return "image/jpeg";
  if (n >= 4 && std::memcmp(d, "GIF8", 4) == 0) return "image/gif";
  if (n >= 2 && d[0] == 'B' && d[1] == 'M') return "image/bmp";
  return "image/";
}

}  // namespace tvw
