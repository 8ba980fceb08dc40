// The user's display units for audio properties: five REG_DWORD values under
// the settings root's "Ref" key, chosen in the configuration program.
#pragma once
#include <cstdint>

namespace tv {

// Registry value names under "Software\Kestrune\Tonvera\Ref".
constexpr const wchar_t* kRefKey = L"Ref";
constexpr const wchar_t* kUnitsTime = L"UnitsTime";
constexpr const wchar_t* kUnitsFileSize = L"UnitsFileSize";
constexpr const wchar_t* kUnitsChannels = L"UnitsChannels";
constexpr const wchar_t* kUnitsBitRate = L"UnitsBitRate";
constexpr const wchar_t* kUnitsFreq = L"UnitsFreq";

// The choices as stored; 0 (also for a missing value or one of another type)
// is the automatic choice. TvAudioUnits.h says what each value shows.
struct UnitSettings {
  uint32_t time = 0;      // 0 auto, 1 m:ss, 2 hh:mm:ss, 3 hh:mm:ss.mmm, 4 words
  uint32_t fileSize = 0;  // 0 auto, 1 automatic unit, 2 kilobytes, 3 bytes, 4 as 1
  uint32_t channels = 0;  // 0 number and description, 1 number, 2 description
  uint32_t bitRate = 0;   // 0 kbps with the CD/DAT/DVD note, 1 kbps, 2 bps
  uint32_t freq = 0;      // 0 KHz with one decimal, else Hz
};

// Reads all five values now (the key is created when missing).
UnitSettings ReadUnitSettings();

}  // namespace tv
