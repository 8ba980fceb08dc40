// The class factory of CTvpShell. An outer object may aggregate the new
// object, asking for IUnknown only, as COM requires.
#pragma once
#include <windows.h>
#include <unknwn.h>

#include <atomic>

class clTvpShellFactory : public IClassFactory {
 public:
  clTvpShellFactory();
  virtual ~clTvpShellFactory();
  clTvpShellFactory(const clTvpShellFactory&) = delete;
  clTvpShellFactory& operator=(const clTvpShellFactory&) = delete;

  STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** object) override;
  STDMETHODIMP LockServer(BOOL lock) override;

 private:
  std::atomic<ULONG> references_{1};
};
