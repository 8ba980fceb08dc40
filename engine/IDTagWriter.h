// Writes a finished destination's tags through the decoder that reads its
// format, for encoders that ask the engine to do it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

struct TvMessageHandles;

namespace tv {

// Console output of the engine: text, and whether a line end follows. Empty
// when the engine runs silent.
using ConsoleWriter = std::function<void(const std::wstring& text, bool lineEnd)>;

// Hands the tag block to Set "IDTags" of the decoder found for the
// destination (plug-in folders beside `module`, the program for null). True
// when there was nothing to write, no decoder reads the destination's format,
// or the decoder wrote the tags; false when the decoder refused them.
bool IDTagWriter(const std::wstring& destinationPath, const void* tagBlock, std::int32_t tagBlockSize,
                 const TvMessageHandles* handles, const ConsoleWriter& console, HMODULE module = nullptr);

}  // namespace tv
