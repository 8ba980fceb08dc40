// Genre references of older ID3 tags: "(17)", "(17)Rock", "17", "(RX)".
#pragma once
#include <string>

namespace tvw {

// The genre's name for a numeric reference; other texts come back unchanged.
std::u16string resolveGenre(const std::u16string& value);

}  // namespace tvw
