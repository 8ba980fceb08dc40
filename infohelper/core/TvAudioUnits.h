// The texts of audio properties as the pop-up info tip and the Explorer
// columns show them, in the units the user chose (TvUnitSettings.h). Free of
// the platform: unit choices and regional separators come in as records.
#pragma once
#include <cstdint>
#include <string>

#include "TvNumberFormat.h"
#include "TvUnitSettings.h"

namespace tv {

// Where a text is shown; the automatic unit choices differ between the two.
enum class UnitPlace { Popup, Column };

// Play length by "UnitsTime": pop-up 0 words, column 0 clock (m:ss); 1..3 the
// clock styles; 4 words; anything above 4 gives "".
std::wstring LengthText(int64_t milliseconds, UnitPlace place, const UnitSettings& units,
                        const RegionalSettings& regional);

// File size by "UnitsFileSize": 3 grouped bytes ("4,718,592 bytes"); 2, and 0
// in a column, kilobytes ("4,608 KB"); otherwise the automatic unit ("4.5 MB").
std::wstring FileSizeText(int64_t bytes, UnitPlace place, const UnitSettings& units,
                          const RegionalSettings& regional);

// Channel count by "UnitsChannels": 0 "2  (stereo)", 2 "Stereo" (or "3 channels"),
// otherwise "2".
std::wstring ChannelsText(int channels, const UnitSettings& units);

// Bit rate (bits per second) by "UnitsBitRate": 2 "1,411,200 bps"; otherwise
// "1,411 kbps", with value 0 followed by a CD, DAT or DVD note decided on the
// rate per channel, the channel count and the sample rate. `withNote` false
// never adds the note (a total over several files).
std::wstring BitRateText(int32_t bitRate, int channels, uint32_t sampleRate, const UnitSettings& units,
                         const RegionalSettings& regional, bool withNote = true);

// Sample rate by "UnitsFreq": 0 "44.1 KHz", otherwise "44,100 Hz". In the
// pop-up the unit carries the line end: "44.1 KHz\r" - add no further "\r".
std::wstring SampleRateText(uint32_t sampleRate, UnitPlace place, const UnitSettings& units,
                            const RegionalSettings& regional);

// "16 bit"; in the pop-up a floating-point format reads "32 bit floating point".
std::wstring SampleSizeText(int bitsPerSample, bool floatingPoint, UnitPlace place);

// The size of the decoded audio (average bytes per second x length), but the
// file size when the estimate is smaller or less than 1024 bytes larger.
int64_t OriginalSize(uint32_t averageBytesPerSecond, int64_t milliseconds, int64_t fileSize);

// Original : file size with one decimal up to 5 ("3.5", "0.9"), whole numbers
// above ("11"), "1" for equal sizes. Callers add " to 1" where they need it.
std::wstring CompressionRatioText(int64_t original, int64_t fileSize, const RegionalSettings& regional);

// The file size in percent of the original, a whole number ("28"); callers add " %".
std::wstring PercentOfOriginalText(int64_t fileSize, int64_t original);

// The pop-up text of a "rating" tag (0..10 half stars): a non-zero rating as
// stars with one decimal ("7" gives "3.5"); anything else is shown as it stands.
std::wstring RatingPopupText(const std::wstring& ratingTag);

// The column text of a "rating" tag: a space and a bullet (U+2022) per whole
// star, a space and a white bullet (U+25E6) for a half star; "O" and "+"
// instead where those marks cannot be shown (`wideMarks` false). A rating
// outside 0..10 gives "".
std::wstring RatingStarsText(const std::wstring& ratingTag, bool wideMarks = true);

}  // namespace tv
