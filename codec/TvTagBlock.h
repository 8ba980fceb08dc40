// The tag block: the flat, little-endian form of a tag list.
//   int32 count, then per element: int32 size S (counting itself), the name
//   (UTF-16, zero-terminated), the value (likewise), then S - 4 - both text
//   sizes bytes of data.
#pragma once
#include <cstdint>
#include <vector>

#include "clTagElement.h"

namespace tv {

// Appends the elements of a block of `size` bytes to `out`. Reads nothing
// outside [block, block + size), whatever the counts and sizes inside claim.
// Reading stops at the first malformed element (an element that does not fit,
// a negative size, a text without its terminating zero); an element whose size
// leaves no room for a value is kept with its name only. True when the count's
// elements were all read intact.
bool ReadTagBlock(const void* block, std::int64_t size, std::vector<clTagElement>& out);

// The block for these elements; empty when it could not be represented
// (a size beyond the 32-bit fields).
std::vector<std::uint8_t> WriteTagBlock(const std::vector<clTagElement>& elements);

}  // namespace tv
