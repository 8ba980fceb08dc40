#include "TvTagTransfer.h"

#include "TvRendermillOptions.h"
#include "TvString.h"

namespace tv {

const wchar_t* const kReplayGainTagNames[4] = {L"replaygain_track_gain", L"replaygain_track_peak",
                                               L"replaygain_album_gain", L"replaygain_album_peak"};

bool AddTagOption(clTagList& list, const std::wstring& optionValue) {
  const std::wstring text = ReplaceQuoteEscapes(optionValue);
  const size_t equals = text.find(L'=');
  if (equals == std::wstring::npos || equals == 0) return false;
  list.Add(text.substr(0, equals), text.substr(equals + 1));
  return true;
}

}  // namespace tv

void clConversionTags::Build(const clCommandLine& options, const void* sourceBlock, std::int64_t sourceSize) {
  list_.Clear();
  std::wstring name, value;
  for (size_t i = 0; options.OptionAt(i, name, value); ++i) {
    if (tv::EqualsNoCase(name, L"tag")) tv::AddTagOption(list_, value);
  }
  if (sourceBlock != nullptr && sourceSize != 0) {
    clTagList source;
    source.Load(sourceBlock, sourceSize);
    list_.Merge(source, /*overwrite=*/false);
  }
  for (const wchar_t* replayGain : tv::kReplayGainTagNames) list_.Remove(replayGain);
  block_ = list_.Save();
}
