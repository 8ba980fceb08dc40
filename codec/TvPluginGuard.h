// Defensive reading of what a plug-in hands back. Plug-ins are third-party
// code: a text pointer may be null, point at freed or unmapped memory or lack
// its terminating zero, and a size may be negative or far larger than the
// buffer behind it. The host reads such memory only through these checks.
#pragma once
#include <cstddef>
#include <string>

#include "TvPluginApi.h"

namespace tv {

// Longest text accepted from a plug-in, in characters.
constexpr size_t kMaxPluginTextChars = 1u << 20;
// Longest action text (a short status text shown beside the progress).
constexpr size_t kMaxActionTextChars = 1024;

// True when every byte of [p, p + bytes) is committed memory the process may
// read (or, for the writable check, write) right now. A null pointer is never
// readable; zero bytes at a non-null pointer are.
bool IsReadableRange(const void* p, size_t bytes);
bool IsWritableRange(const void* p, size_t bytes);

// Copies a zero-terminated UTF-16 text a plug-in returned. False (and `out`
// empty) when the pointer is null, odd, unreadable, or no terminator lies
// within `maxChars` readable characters.
bool CopyPluginText(const WCHAR* text, std::wstring& out, size_t maxChars = kMaxPluginTextChars);

// True when a plug-in's block (pointer and signed size) can be read whole:
// size 0, or a non-negative size whose bytes are all readable.
bool IsReadableBlock(const void* block, INT32 size);

// The texts of a TvSettingValue after a Get, copied safely; `hasText` etc.
// tell a present text (possibly empty) from a missing or unreadable one.
struct TvSettingTexts {
  TvPluginResult result = 0;
  bool hasText = false;
  bool hasText2 = false;
  bool hasText3 = false;
  std::wstring text;
  std::wstring text2;
  std::wstring text3;
};

// Fills texts from a record a plug-in filled; result is left untouched.
void CopySettingTexts(const TvSettingValue& value, TvSettingTexts& texts);

// Calls `get` (a forwarder taking the record) and copies the texts, present
// or not, whatever the result: some callers end lists at a zero result,
// others at a missing text.
template <typename GetFn>
TvSettingTexts GetSettingTexts(GetFn get, TvSettingValue& value) {
  TvSettingTexts texts;
  texts.result = get(&value);
  CopySettingTexts(value, texts);
  return texts;
}

// A wave format space holds 40 bytes; an extra size beyond the extensible
// form's 22 bytes would make readers run past it, so it is cut to 22.
void KeepWaveFormatInBounds(WAVEFORMATEXTENSIBLE& format);

// Checks an audio block a plug-in filled or changed: keeps its format in
// bounds, points its action text at `actionCopy` (null when unusable), and,
// when its audio data cannot be read whole, empties it, reports an error
// naming `function` and returns false.
bool CheckReturnedBlock(TvAudioBlock& block, std::wstring& actionCopy,
                        const TvMessageHandles* handles, const char* function);

}  // namespace tv
