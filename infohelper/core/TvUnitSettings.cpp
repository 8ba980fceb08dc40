#include "TvUnitSettings.h"

#include "TvRegistry.h"

namespace tv {

UnitSettings ReadUnitSettings() {
  const RegLocation ref = Settings(kRefKey);
  UnitSettings units;
  units.time = RegReadDword(ref, kUnitsTime);
  units.fileSize = RegReadDword(ref, kUnitsFileSize);
  units.channels = RegReadDword(ref, kUnitsChannels);
  units.bitRate = RegReadDword(ref, kUnitsBitRate);
  units.freq = RegReadDword(ref, kUnitsFreq);
  return units;
}

}  // namespace tv
