#include "ContractRecords.h"

#include <cstring>

namespace tvw {

void storeFormat(const WaveFormat& f, WAVEFORMATEXTENSIBLE& record) {
  std::uint8_t bytes[kFormatRecordSize];
  formatToRecord(f, bytes);
  std::memcpy(&record, bytes, sizeof record);
}

WaveFormat loadFormat(const WAVEFORMATEXTENSIBLE& record) {
  std::uint8_t bytes[kFormatRecordSize];
  std::memcpy(bytes, &record, sizeof bytes);
  return formatFromRecord(bytes);
}

}  // namespace tvw
