// The tags a conversion hands on: the "tag" options first, then the source's
// tags whose names the options did not give, without the ReplayGain values
// (they describe the old audio, not the new). Plain list work, no platform.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "clCommandLine.h"
#include "clTagList.h"

namespace tv {

// The four ReplayGain element names dropped before encoding.
extern const wchar_t* const kReplayGainTagNames[4];

// Adds the element one "tag" option value names: "{qt}" stands for a double
// quote, the value splits at its first "=" into name and value. False (and
// nothing added) when there is no "=" or it is the first character.
bool AddTagOption(clTagList& list, const std::wstring& optionValue);

}  // namespace tv

// The engine's tag list and its saved form, the tag block the encoder gets.
class clConversionTags {
 public:
  clConversionTags() = default;
  virtual ~clConversionTags() = default;

  // Rebuilds list and block from the "tag" options (any letter case, command
  // order) and the source's tag block (null or size 0 for none; a malformed
  // block counts up to its first malformed element).
  virtual void Build(const clCommandLine& options, const void* sourceBlock, std::int64_t sourceSize);

  const clTagList& List() const { return list_; }
  // The tag block; owned here, valid until the next Build.
  const std::vector<std::uint8_t>& Block() const { return block_; }
  const void* BlockData() const { return block_.empty() ? nullptr : block_.data(); }
  std::int32_t BlockSize() const { return static_cast<std::int32_t>(block_.size()); }

 private:
  clTagList list_;
  std::vector<std::uint8_t> block_;
};
