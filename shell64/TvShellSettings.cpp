#include "TvShellSettings.h"

namespace tv {

bool SettingsRefreshDue(bool everRead, uint64_t nowMs, uint64_t lastReadMs) {
  if (!everRead || nowMs < lastReadMs) return true;
  return nowMs - lastReadMs > kSettingsRefreshMs;
}

}  // namespace tv
