// The 64-bit shell object: Explorer columns (IColumnProvider), info tips
// (IQueryInfo with IPersistFile for the file's path) and the type library's
// dual interface ITvpShell. It can be aggregated: created with an outer
// object, its interfaces delegate their IUnknown calls to it, and only the
// object's own inner IUnknown manages its life.
#pragma once
#include <windows.h>
#include <objidl.h>
#include <oaidl.h>
#include <shlobj.h>

#include <atomic>
#include <mutex>
#include <string>

// The type library's dual interface; it has no methods of its own.
struct ITvpShell : public IDispatch {};

class CTvpShell : public IColumnProvider, public IQueryInfo, public IPersistFile, public ITvpShell {
 public:
  // Makes an object whose life is held by the returned inner IUnknown (one
  // reference). With `outer` the object is aggregated.
  static HRESULT Create(IUnknown* outer, IUnknown** inner);

  // IUnknown (delegating)
  STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  // IColumnProvider
  STDMETHODIMP Initialize(LPCSHCOLUMNINIT init) override;
  STDMETHODIMP GetColumnInfo(DWORD index, SHCOLUMNINFO* info) override;
  STDMETHODIMP GetItemData(LPCSHCOLUMNID column, LPCSHCOLUMNDATA data, VARIANT* value) override;

  // IQueryInfo
  STDMETHODIMP GetInfoTip(DWORD flags, PWSTR* tip) override;
  STDMETHODIMP GetInfoFlags(DWORD* flags) override;

  // IPersist / IPersistFile
  STDMETHODIMP GetClassID(CLSID* classId) override;
  STDMETHODIMP IsDirty() override;
  STDMETHODIMP Load(LPCOLESTR fileName, DWORD mode) override;
  STDMETHODIMP Save(LPCOLESTR fileName, BOOL remember) override;
  STDMETHODIMP SaveCompleted(LPCOLESTR fileName) override;
  STDMETHODIMP GetCurFile(LPOLESTR* fileName) override;

  // IDispatch, through the type library
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo) override;
  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argumentError) override;

 private:
  // The object's own IUnknown: answers for the object itself and counts its references.
  class clInnerUnknown : public IUnknown {
   public:
    explicit clInnerUnknown(CTvpShell& owner) : owner_(owner) {}
    virtual ~clInnerUnknown() = default;
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

   private:
    CTvpShell& owner_;
  };

  explicit CTvpShell(IUnknown* outer);
  virtual ~CTvpShell();
  CTvpShell(const CTvpShell&) = delete;
  CTvpShell& operator=(const CTvpShell&) = delete;

  // The interface pointer for `riid`, not yet counted; null when not served.
  void* InterfaceFor(REFIID riid);
  // The type information of ITvpShell from the library's own type library.
  HRESULT LoadTypeInfo(ITypeInfo** typeInfo);
  std::wstring KeptPath();

  clInnerUnknown inner_;
  IUnknown* outer_;  // the outer object, or inner_ when not aggregated
  std::atomic<ULONG> references_{1};
  std::mutex pathLock_;  // Load and GetInfoTip may come from different threads
  std::wstring path_;
  std::mutex typeInfoLock_;
  ITypeInfo* typeInfo_ = nullptr;
};
