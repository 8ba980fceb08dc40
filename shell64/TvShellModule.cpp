#include "TvShellModule.h"

#include <atomic>
#include <vector>

#include "TvColumnCatalog.h"
#include "TvHelperClient.h"
#include "TvShellSettingsStore.h"

namespace tv {

namespace {

HMODULE g_module = nullptr;
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};

}  // namespace

void SetShellModule(HMODULE module) { g_module = module; }

HMODULE ShellModule() { return g_module; }

std::wstring ModuleFilePath(HMODULE module) {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(module, buffer.data(), DWORD(buffer.size()));
    if (length == 0) return std::wstring();
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    if (buffer.size() >= 32768) return std::wstring();
    buffer.resize(buffer.size() * 2);
  }
}

std::wstring ShellModulePath() { return ModuleFilePath(g_module); }

void ObjectCreated() { ++g_objects; }
void ObjectDestroyed() { --g_objects; }
void LockServer(bool lock) {
  if (lock) ++g_locks;
  else --g_locks;
}
bool ShellModuleIdle() { return g_objects.load() == 0 && g_locks.load() == 0; }

clTvHelperClient& HelperClient() {
  static clTvHelperClient client(g_module);
  return client;
}

clShellSettingsStore& SettingsStore() {
  static clShellSettingsStore store;
  return store;
}

clColumnCatalog& ColumnCatalog() {
  static clColumnCatalog catalog;
  return catalog;
}

void ReleaseLoadedLibraries() { HelperClient().ReleaseDecoder(); }

}  // namespace tv
