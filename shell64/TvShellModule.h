// The library's process-wide state: its module handle, the count of live
// objects and server locks that decides whether it may be unloaded, and the
// shared helper client, settings and column catalog.
#pragma once
#include <windows.h>

#include <string>

namespace tv {

class clTvHelperClient;
class clShellSettingsStore;
class clColumnCatalog;

// Recorded when the library is loaded; TipfetchInfo and the decoders are
// looked for in its folder.
void SetShellModule(HMODULE module);
HMODULE ShellModule();
// The full path of a module's file; empty when it cannot be had.
std::wstring ModuleFilePath(HMODULE module);
std::wstring ShellModulePath();

void ObjectCreated();
void ObjectDestroyed();
void LockServer(bool lock);
// No live object and no server lock.
bool ShellModuleIdle();

// Made on first use and kept while the library is loaded.
clTvHelperClient& HelperClient();
clShellSettingsStore& SettingsStore();
clColumnCatalog& ColumnCatalog();

// Unloads what the library loaded itself (an in-process decoder); called when
// COM is told the library may go, never from the loader's notification.
void ReleaseLoadedLibraries();

}  // namespace tv
