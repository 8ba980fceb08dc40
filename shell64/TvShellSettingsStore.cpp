#include "TvShellSettingsStore.h"

#include "TvRegistry.h"

namespace tv {

ShellSettings ReadShellSettings() {
  ShellSettings settings;
  settings.noExplorerColumns = RegReadDword(Settings(), kNoExplorerColumns) != 0;
  settings.loadDecodersInProcess = RegReadDword(Settings(), kExpColumnLoadTv) != 0;
  settings.units = ReadUnitSettings();
  return settings;
}

ShellSettings clShellSettingsStore::Current() {
  std::lock_guard<std::mutex> hold(lock_);
  const uint64_t now = GetTickCount64();
  if (SettingsRefreshDue(everRead_, now, lastReadMs_)) {
    settings_ = ReadShellSettings();
    everRead_ = true;
    lastReadMs_ = now;
  }
  return settings_;
}

}  // namespace tv
