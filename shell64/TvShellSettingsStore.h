// The process-wide copy of the column handler's settings, read from the
// registry at most once every 15 seconds (TvShellSettings.h).
#pragma once
#include <windows.h>

#include <mutex>

#include "TvShellSettings.h"

namespace tv {

// Reads the two switches and the five units now.
ShellSettings ReadShellSettings();

class clShellSettingsStore {
 public:
  clShellSettingsStore() = default;
  virtual ~clShellSettingsStore() = default;
  clShellSettingsStore(const clShellSettingsStore&) = delete;
  clShellSettingsStore& operator=(const clShellSettingsStore&) = delete;

  // The settings, read again first when due. A copy: a refresh on another
  // thread never changes what a caller holds.
  virtual ShellSettings Current();

 private:
  std::mutex lock_;
  ShellSettings settings_;
  bool everRead_ = false;
  uint64_t lastReadMs_ = 0;
};

}  // namespace tv
