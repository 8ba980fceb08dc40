// Finds the decoder library for a file by asking each decoder in the
// "decoder" folder which extensions it reads, and loads encoders by name.
// Answers are remembered in memory for the handler's life and per user in the
// registry (Software\Kestrune\Tonvera\DecoderCache, one value per extension).
#pragma once
#include <windows.h>

#include <string>

#include "clTvDecoder.h"
#include "clTvEncoder.h"

struct TvMessageHandles;

class clTvCodecHandler {
 public:
  clTvCodecHandler();
  virtual ~clTvCodecHandler();
  clTvCodecHandler(const clTvCodecHandler&) = delete;
  clTvCodecHandler& operator=(const clTvCodecHandler&) = delete;

  // On true, `decoder` holds a loaded decoder library with a live instance
  // that claims the extension of `filePath`. On false it holds no library.
  // The plug-in folders lie beside `module` (the program for null).
  virtual bool FindDecoder(const std::wstring& filePath, clTvDecoder& decoder, const TvMessageHandles* handles,
                           HMODULE module = nullptr);
  // On true, `encoder` holds "encoder\<codecName>.DLL" beside `module` with a
  // live instance. A codec name that is not a plain file name (see
  // IsPlainCodecName) is refused with an error report and nothing is loaded.
  virtual bool LoadEncoder(const std::wstring& codecName, clTvEncoder& encoder, const TvMessageHandles* handles,
                           HMODULE module = nullptr);
  // Loads the library into `decoder` (remembering path and extension) and asks
  // its "Decodes" list for `extension`. On false the wrapper is left empty.
  virtual bool CheckDecoder(const std::wstring& libraryPath, const std::wstring& extension, clTvDecoder& decoder,
                            const TvMessageHandles* handles);

  // The in-memory cache: the decoder last chosen and its extension.
  const std::wstring& CachedDecoderPath() const { return cachedPath_; }
  const std::wstring& CachedExtension() const { return cachedExtension_; }

  // A codec name names one file inside the encoder folder only when it is not
  // empty and holds no path separator, drive colon, ".." or control character.
  static bool IsPlainCodecName(const std::wstring& codecName);

 private:
  // Check decoder on each "*.dll" file of the decoder folder; the path of the
  // first that claims `extension`, or "".
  std::wstring ScanDecoderFolder(const std::wstring& folder, const std::wstring& extension, clTvDecoder& decoder,
                                 const TvMessageHandles* handles);

  std::wstring cachedPath_;
  std::wstring cachedExtension_;
};
