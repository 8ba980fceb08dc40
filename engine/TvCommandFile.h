// Reading the engine's UTF-16LE command file (option tvcmd).
#pragma once
#include <string>

namespace tv {

enum class TvCommandFileResult {
  Ok,
  OpenFailed,   // "Error opening TvCmd File."
  Empty,        // "Error TvCmd File is Empty."
  NoMemory,     // "Error allocating TvCmd File Buffer."
  ReadFailed,   // "Error reading TvCmd File." (a short read too)
};

// The trace text of a failed result (empty for Ok).
const wchar_t* CommandFileResultText(TvCommandFileResult result);

// Opens an existing file for reading (shared read and write), reads all of it
// and decodes it; `text` is set only on success.
TvCommandFileResult ReadCommandFile(const std::wstring& path, std::wstring& text);

}  // namespace tv
