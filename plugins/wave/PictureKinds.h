// Album art descriptions the suite offers and the ID3v2 picture types they
// stand for.
#pragma once
#include <cstdint>
#include <string>

namespace tvw {

// The picture type for a description, or -1 when it is not one of the kinds.
int pictureTypeForKind(const std::u16string& kind);
// The kind text for a picture type, or empty.
std::u16string kindForPictureType(int type);
// "image/png", "image/jpeg", "image/gif" or "image/bmp" by the data's
// signature; "image/" when unknown (the ID3v2 way of saying "some image").
std::string imageMimeType(const std::uint8_t* data, std::size_t n);

}  // namespace tvw
