#include "clTvpShellFactory.h"

#include "CTvpShell.h"
#include "TvShellModule.h"

clTvpShellFactory::clTvpShellFactory() { tv::ObjectCreated(); }

clTvpShellFactory::~clTvpShellFactory() { tv::ObjectDestroyed(); }

STDMETHODIMP clTvpShellFactory::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory)) return E_NOINTERFACE;
  *object = static_cast<IClassFactory*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) clTvpShellFactory::AddRef() { return ++references_; }

STDMETHODIMP_(ULONG) clTvpShellFactory::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP clTvpShellFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (outer && !IsEqualIID(riid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
  IUnknown* inner = nullptr;
  HRESULT result = CTvpShell::Create(outer, &inner);
  if (FAILED(result)) return result;
  if (outer) {
    *object = inner;  // the outer object keeps the inner IUnknown
    return S_OK;
  }
  result = inner->QueryInterface(riid, object);
  inner->Release();
  return result;
}

STDMETHODIMP clTvpShellFactory::LockServer(BOOL lock) {
  tv::LockServer(lock != FALSE);
  return S_OK;
}
