#include "TvPopupText.h"

#include <algorithm>

#include "TvPath.h"
#include "TvString.h"

namespace tv {

namespace {

const wchar_t* const kStandardTags[] = {L"Artist", L"Title", L"Album", L"Track", L"Year", L"Genre", L"Comment"};

// ReplayGain tags and the names the pop-up shows them under.
const wchar_t* const kReplayGainNames[][2] = {{L"replaygain_track_gain", L"Track Gain"},
                                              {L"replaygain_track_peak", L"Track Peak"},
                                              {L"replaygain_album_gain", L"Album Gain"},
                                              {L"replaygain_album_peak", L"Album Peak"}};

// A tag's value keeps at least this many characters per line when its name
// leaves no room within the maximum line length.
constexpr int kMinTagValueChars = 10;

bool Contains(const std::vector<std::wstring>& list, const std::wstring& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

bool ContainsNoCase(const std::vector<std::wstring>& list, const std::wstring& item) {
  for (const std::wstring& entry : list)
    if (EqualsNoCase(entry, item)) return true;
  return false;
}

bool IsStandardTag(const std::wstring& name) {
  for (const wchar_t* standard : kStandardTags)
    if (EqualsNoCase(name, standard)) return true;
  return false;
}

// The items of `list` that begin with `prefix` (case-sensitive), without it.
std::vector<std::wstring> ItemsAfterPrefix(const std::vector<std::wstring>& list, const std::wstring& prefix) {
  std::vector<std::wstring> names;
  for (const std::wstring& item : list)
    if (item.compare(0, prefix.size(), prefix) == 0) names.push_back(item.substr(prefix.size()));
  return names;
}

std::wstring FileNameWithoutExtension(const std::wstring& path) {
  std::wstring name = PathFileName(path);
  size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos ? name : name.substr(0, dot);
}

// Standard names first, then every other name not beginning "_", sorted
// ignoring case, each name once.
std::vector<std::wstring> TagNameOrder(const std::vector<clTagElement>& tags) {
  std::vector<std::wstring> order(std::begin(kStandardTags), std::end(kStandardTags));
  std::vector<std::wstring> others;
  for (const clTagElement& tag : tags) {
    if (!tag.name.empty() && tag.name[0] == L'_') continue;
    if (ContainsNoCase(order, tag.name) || ContainsNoCase(others, tag.name)) continue;
    others.push_back(tag.name);
  }
  std::stable_sort(others.begin(), others.end(), [](const std::wstring& a, const std::wstring& b) {
    return AsciiLower(a) < AsciiLower(b);
  });
  order.insert(order.end(), others.begin(), others.end());
  return order;
}

const clTagElement* FindTag(const std::vector<clTagElement>& tags, const std::wstring& name) {
  for (const clTagElement& tag : tags)
    if (EqualsNoCase(tag.name, name)) return &tag;
  return nullptr;
}

void AppendTagLines(std::wstring& text, const clTagElement& tag, int maxLength, clPopupLabeler& labeler) {
  text += labeler.PopupLabel(tag.name);
  if (!tag.data.empty()) {
    text += L"[binary data: " + IntToText(int32_t(std::min<size_t>(tag.data.size(), INT32_MAX))) + L" bytes]\r";
    return;
  }
  std::wstring value = tag.value;
  if (EqualsNoCase(tag.name, L"rating")) value = RatingPopupText(value);
  int lineMax = std::max(maxLength - int(std::min<size_t>(tag.name.size(), 100000)) - 1, kMinTagValueChars);
  size_t start = 0;
  bool first = true;
  for (;;) {
    size_t cr = value.find(L'\r', start);
    std::wstring line = value.substr(start, cr == std::wstring::npos ? std::wstring::npos : cr - start);
    if (!first) text += labeler.PopupLabel(L" ");
    text += ShortenMiddle(line, lineMax, L"...") + L"\r";
    first = false;
    if (cr == std::wstring::npos) break;
    start = cr + 1;
    while (start < value.size() && value[start] == L'\n') ++start;
    if (start >= value.size()) break;  // a value ending in a line end has no further line
    if (text.size() > kMaxPopupBodyChars) break;
  }
}

}  // namespace

int EffectivePopupMaxLength(uint32_t stored) { return stored < 30 ? 60 : int(std::min<uint32_t>(stored, 100000)); }

std::vector<std::wstring> SplitPopupList(const std::wstring& text) {
  std::vector<std::wstring> items;
  size_t start = 0;
  while (start < text.size()) {
    size_t cr = text.find(L'\r', start);
    std::wstring piece = text.substr(start, cr == std::wstring::npos ? std::wstring::npos : cr - start);
    if (piece.empty()) break;
    items.push_back(piece == L"[Empty]" ? std::wstring() : piece);
    if (cr == std::wstring::npos) break;
    start = cr + 1;
  }
  return items;
}

PopupSettings MakePopupSettings(uint32_t maxLen, const std::wstring& allowed, const std::wstring& exclude) {
  PopupSettings settings;
  settings.maxLength = EffectivePopupMaxLength(maxLen);
  settings.allowed = SplitPopupList(allowed.empty() ? std::wstring(kDefaultPopupAllowed) : allowed);
  settings.exclude = SplitPopupList(exclude);
  return settings;
}

std::wstring ShortenMiddle(const std::wstring& text, int maximum, const std::wstring& ellipsis) {
  if (maximum >= 0 && text.size() <= size_t(maximum)) return text;
  if (maximum < 1) return ellipsis;
  size_t h = std::max(size_t(maximum) / 2, size_t(1));
  size_t tail = size_t(maximum) - h + 1;
  return text.substr(0, h - 1) + ellipsis + text.substr(text.size() - tail);
}

std::wstring UnregisteredTypeText(const std::wstring& extension) {
  if (extension.size() <= 1) return L"File";
  return AsciiLower(extension.substr(1)) + L" File";
}

std::wstring ComposePopupText(const PopupFacts& facts, const PopupSettings& settings, const UnitSettings& units,
                              const RegionalSettings& regional, clPopupLabeler& labeler) {
  const std::vector<std::wstring>& allowed = settings.allowed;
  const std::vector<std::wstring>& exclude = settings.exclude;
  const int L = settings.maxLength;
  std::wstring text;

  if (Contains(allowed, L"File"))
    text += labeler.PopupLabel(L"File") + ShortenMiddle(FileNameWithoutExtension(facts.path), L - 5, L"...") + L"\r";
  if (Contains(allowed, L"Location"))
    text += labeler.PopupLabel(L"Location") + ShortenMiddle(PathFolder(facts.path), L - 9, L"\\...\\") + L"\r";
  if (Contains(allowed, L"Type"))
    text += labeler.PopupLabel(L"Type") + facts.typeText + L"    [" + PathExtension(facts.path) + L"]\r";

  if (facts.opened) {
    int64_t original = OriginalSize(facts.averageBytesPerSecond, facts.lengthMs, facts.fileSize);
    if (Contains(allowed, L"Size")) {
      text += labeler.PopupLabel(L"Size") + FileSizeText(facts.fileSize, UnitPlace::Popup, units, regional);
      if (original != 0 && facts.fileSize != 0)
        text += L"  (" + PercentOfOriginalText(facts.fileSize, original) + L"% of original, " +
                CompressionRatioText(original, facts.fileSize, regional) + L" to 1 compression)";
      text += L"\r";
    }
    if (Contains(allowed, L"Original Size"))
      text += labeler.PopupLabel(L"Original Size") + FileSizeText(original, UnitPlace::Popup, units, regional) + L"\r";
    if (!text.empty()) text += L"\r";

    if (Contains(allowed, L"Length"))
      text += labeler.PopupLabel(L"Length") + LengthText(facts.lengthMs, UnitPlace::Popup, units, regional) + L"\r";
    if (Contains(allowed, L"Channels"))
      text += labeler.PopupLabel(L"Channels") + ChannelsText(facts.channels, units) + L"\r";
    if (Contains(allowed, L"Sample Rate"))  // the unit text carries the line end
      text += labeler.PopupLabel(L"Sample Rate") + SampleRateText(facts.sampleRate, UnitPlace::Popup, units, regional);
    if (Contains(allowed, L"Sample Size"))
      text += labeler.PopupLabel(L"Sample Size") +
              SampleSizeText(facts.bitsPerSample, facts.floatingPoint, UnitPlace::Popup) + L"\r";
    if (Contains(allowed, L"Bit Rate"))
      text += labeler.PopupLabel(L"Bit Rate") +
              BitRateText(facts.bitRate, facts.channels, facts.sampleRate, units, regional) + L"\r";

    // Decoder elements, in the decoder's order.
    const bool excludeSpecific = Contains(exclude, L"EXCLUDE_ALL_SPECIFIC");
    const bool includeExtended = Contains(allowed, L"INCLUDE_ALL_EXTEND");
    bool anyElement = false;
    for (const clTagElement& element : facts.properties) {
      const bool isDefault = Contains(facts.defaultElements, element.name);
      bool shown;
      if (Contains(allowed, element.name))
        shown = true;
      else if (excludeSpecific || Contains(exclude, element.name))
        shown = false;
      else
        shown = isDefault;
      if (includeExtended && !isDefault) shown = true;
      if (!element.name.empty() && element.name[0] == L'_') shown = false;
      if (!shown) continue;
      if (!anyElement) text += L"\r";
      anyElement = true;
      text += labeler.PopupLabel(element.name) + element.value + L"\r";
    }

    if (!Contains(exclude, L"EXCLUDE_ALL_TAGS")) {
      const std::vector<std::wstring> hidden = ItemsAfterPrefix(exclude, L"_IDTAG_EX_");
      const std::vector<std::wstring> included = ItemsAfterPrefix(allowed, L"_IDTAG_INC_");
      const bool standardOnly = Contains(exclude, L"EXCLUDE_TAGS_NONSTANDARD");

      std::vector<clTagElement> tags = facts.tags;
      for (const auto& names : kReplayGainNames) {
        for (clTagElement& tag : tags) {
          if (EqualsNoCase(tag.name, names[0])) {
            tag.name = names[1];
            break;
          }
        }
      }

      bool anyTag = false;
      for (const std::wstring& name : TagNameOrder(tags)) {
        const clTagElement* tag = FindTag(tags, name);
        if (!tag) continue;
        bool shown = ContainsNoCase(included, name) ||
                     (!ContainsNoCase(hidden, name) && (!standardOnly || IsStandardTag(name)));
        if (!shown) continue;
        if (!anyTag) text += L"\r";
        anyTag = true;
        AppendTagLines(text, *tag, L, labeler);
        if (text.size() > kMaxPopupBodyChars) break;
      }
    }
  }

  if (text.size() > kMaxPopupBodyChars) {
    size_t cut = text.rfind(L'\r', kMaxPopupBodyChars);
    text.resize(cut == std::wstring::npos ? 0 : cut + 1);
  }
  if (!Contains(exclude, L"EXCLUDE_Tv")) text += L"______________________\r          Tonvera";
  return text;
}

}  // namespace tv
