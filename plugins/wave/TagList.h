// The tag list the plug-ins exchange with their host, and its flat form, the
// tag block: a signed 32-bit element count, then per element its size S
// (counting the 4 size bytes), the name and the value as zero-terminated
// UTF-16, and S - 4 - both text sizes bytes of data.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "WaveBytes.h"

namespace tvw {

struct TagElement {
  std::u16string name;
  std::u16string value;
  Bytes data;
  bool operator==(const TagElement& o) const { return name == o.name && value == o.value && data == o.data; }
};

using TagList = std::vector<TagElement>;

Bytes encodeTagBlock(const TagList& tags);
// Reads up to the first malformed element; a block that is too small gives
// an empty list. Never reads outside [p, p + n).
TagList decodeTagBlock(const std::uint8_t* p, std::size_t n);

// Album art travels as "_albumart_" + number [+ "_" + description].
extern const char16_t kAlbumArtPrefix[];
bool isAlbumArtName(const std::u16string& name);
// The identity two elements share when one replaces the other: the name for
// text tags, "_albumart_" + number for pictures. Folded to lower case.
std::u16string tagKey(const std::u16string& name);

// Replaces every element whose key one of the updates has by the updates of
// that key (in their order); updates with an empty value and no data only
// delete. Other elements stay where they are.
void applyTagUpdates(TagList& tags, const TagList& updates);
// Removes every element whose key equals the key of one of the names.
// Returns how many were removed.
std::size_t removeTags(TagList& tags, const std::vector<std::u16string>& names);

}  // namespace tvw
