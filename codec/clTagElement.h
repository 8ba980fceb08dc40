// One ID-tag element: a name, a text value and optional binary data.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct clTagElement {
  std::wstring name;
  std::wstring value;
  std::vector<std::uint8_t> data;  // often empty
};
