// Readable test failure messages for tag elements.
#pragma once
#include <ostream>

#include "TagList.h"
#include "TextCodec.h"

namespace tvw {
inline void PrintTo(const TagElement& t, std::ostream* os) {
  *os << "{" << toUtf8(t.name) << " = \"" << toUtf8(t.value) << "\", " << t.data.size() << " bytes}";
}
}  // namespace tvw
