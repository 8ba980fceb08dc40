// The pop-up info tip text of an audio file: file facts, audio properties,
// the decoder's property elements and the ID tags, filtered by the user's
// pop-up lists and laid out as "name : value" lines ending in "\r".
// Platform-free: the facts, settings and label measuring come in from the
// caller (TvPopupBuilder.h gathers them from a decoder and the registry).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "TvAudioUnits.h"
#include "clTagElement.h"

namespace tv {

// Registry values under the settings root.
constexpr const wchar_t* kPopupMaxLen = L"PopupMaxLen";
constexpr const wchar_t* kPopupAllowed = L"PopupAllowed";
constexpr const wchar_t* kPopupExclude = L"PopupExclude";
// The allowed list when "PopupAllowed" is missing or empty.
constexpr const wchar_t* kDefaultPopupAllowed =
    L"Type\rSize\rLength\rChannels\rSample Rate\rSample Size\rBit Rate\rProtected";

// Most characters of pop-up text before the closing product line; tags with
// very many lines are cut at a line end beyond it (the shell shows a few
// dozen lines at most).
constexpr size_t kMaxPopupBodyChars = 32768;

struct PopupSettings {
  int maxLength = 60;  // L: characters of a file name, folder or tag value line
  std::vector<std::wstring> allowed;
  std::vector<std::wstring> exclude;
};

// "PopupMaxLen" as used: values below 30 (also a missing 0) become 60.
int EffectivePopupMaxLength(uint32_t stored);
// Cuts a list value at each "\r"; "[Empty]" is an empty item; an empty piece
// (a leading "\r" or two in a row) ends the list there.
std::vector<std::wstring> SplitPopupList(const std::wstring& text);
// The settings from the three stored values (an empty allowed text gives the default list).
PopupSettings MakePopupSettings(uint32_t maxLen, const std::wstring& allowed, const std::wstring& exclude);

// The text itself when it has at most `maximum` characters; else its first
// h - 1 characters (h = maximum / 2), the ellipsis and its last
// maximum - h + 1 characters. A maximum below 1 keeps only the ellipsis.
std::wstring ShortenMiddle(const std::wstring& text, int maximum, const std::wstring& ellipsis);

// "flac File" for ".FLAC", "File" for "." - the type name of an extension
// the registry does not name.
std::wstring UnregisteredTypeText(const std::wstring& extension);

// Makes the label column of a line: the name, " : " and padding to the
// column (TvPopupLabel.h). The continuation label is PopupLabel(L" ").
class clPopupLabeler {
 public:
  virtual ~clPopupLabeler() = default;
  virtual std::wstring PopupLabel(const std::wstring& name) = 0;
};

// What the decoder and the file system told about the file.
struct PopupFacts {
  std::wstring path;
  std::wstring typeText;  // FileTypeText of the path
  bool opened = false;    // the decoder's Open succeeded; nothing below is used otherwise
  int channels = 0;
  uint32_t sampleRate = 0;
  int bitsPerSample = 0;
  bool floatingPoint = false;
  uint32_t averageBytesPerSecond = 0;
  int32_t bitRate = 0;
  int64_t lengthMs = 0;
  int64_t fileSize = 0;
  std::vector<clTagElement> tags;
  std::vector<clTagElement> properties;       // the decoder's property elements, in its order
  std::vector<std::wstring> defaultElements;  // its "Default Property Elements"
};

// The whole pop-up text, lines ended by "\r", closed by the product line
// unless "EXCLUDE_Tv" is excluded.
std::wstring ComposePopupText(const PopupFacts& facts, const PopupSettings& settings, const UnitSettings& units,
                              const RegionalSettings& regional, clPopupLabeler& labeler);

}  // namespace tv
