// The library's entry points: loading, the class object and self-registration.
#include <windows.h>

#include <new>

#include "TvShellGuids.h"
#include "TvShellModule.h"
#include "TvShellRegistration.h"
#include "clTvpShellFactory.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    tv::SetShellModule(instance);
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID classId, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(classId, tv::kClsidTvpShell)) return CLASS_E_CLASSNOTAVAILABLE;
  clTvpShellFactory* factory = new (std::nothrow) clTvpShellFactory();
  if (!factory) return E_OUTOFMEMORY;
  const HRESULT result = factory->QueryInterface(riid, object);
  factory->Release();
  return result;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() {
  if (!tv::ShellModuleIdle()) return S_FALSE;
  tv::ReleaseLoadedLibraries();  // the library goes next; a decoder it loaded goes first
  return S_OK;
}

extern "C" HRESULT WINAPI DllRegisterServer() { return tv::RegisterShellServer(tv::ShellModule()); }

extern "C" HRESULT WINAPI DllUnregisterServer() { return tv::UnregisterShellServer(tv::ShellModule()); }
