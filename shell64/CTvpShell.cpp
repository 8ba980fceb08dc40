#include "CTvpShell.h"

#include <cwchar>
#include <new>

#include "TvColumnCatalog.h"
#include "TvColumnRecord.h"
#include "TvColumnValue.h"
#include "TvHelperClient.h"
#include "TvRegionalSettings.h"
#include "TvShellGuids.h"
#include "TvShellModule.h"
#include "TvShellSettingsStore.h"

HRESULT CTvpShell::Create(IUnknown* outer, IUnknown** inner) {
  if (!inner) return E_POINTER;
  *inner = nullptr;
  CTvpShell* shell = new (std::nothrow) CTvpShell(outer);
  if (!shell) return E_OUTOFMEMORY;
  *inner = &shell->inner_;  // the one reference the object starts with
  return S_OK;
}

CTvpShell::CTvpShell(IUnknown* outer) : inner_(*this), outer_(outer ? outer : &inner_) { tv::ObjectCreated(); }

CTvpShell::~CTvpShell() {
  if (typeInfo_) typeInfo_->Release();
  tv::ObjectDestroyed();
}

// --- IUnknown -----------------------------------------------------------------

void* CTvpShell::InterfaceFor(REFIID riid) {
  if (IsEqualIID(riid, IID_IUnknown)) return &inner_;
  if (IsEqualIID(riid, IID_IColumnProvider)) return static_cast<IColumnProvider*>(this);
  if (IsEqualIID(riid, IID_IQueryInfo)) return static_cast<IQueryInfo*>(this);
  if (IsEqualIID(riid, IID_IPersistFile) || IsEqualIID(riid, IID_IPersist)) return static_cast<IPersistFile*>(this);
  if (IsEqualIID(riid, tv::kIidITvpShell) || IsEqualIID(riid, IID_IDispatch)) return static_cast<ITvpShell*>(this);
  return nullptr;
}

STDMETHODIMP CTvpShell::clInnerUnknown::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = owner_.InterfaceFor(riid);
  if (!*object) return E_NOINTERFACE;
  static_cast<IUnknown*>(*object)->AddRef();  // through the outer object for every interface but this one
  return S_OK;
}

STDMETHODIMP_(ULONG) CTvpShell::clInnerUnknown::AddRef() { return ++owner_.references_; }

STDMETHODIMP_(ULONG) CTvpShell::clInnerUnknown::Release() {
  const ULONG left = --owner_.references_;
  if (left == 0) delete &owner_;
  return left;
}

STDMETHODIMP CTvpShell::QueryInterface(REFIID riid, void** object) { return outer_->QueryInterface(riid, object); }
STDMETHODIMP_(ULONG) CTvpShell::AddRef() { return outer_->AddRef(); }
STDMETHODIMP_(ULONG) CTvpShell::Release() { return outer_->Release(); }

// --- IColumnProvider ----------------------------------------------------------

STDMETHODIMP CTvpShell::Initialize(LPCSHCOLUMNINIT) { return S_OK; }

STDMETHODIMP CTvpShell::GetColumnInfo(DWORD index, SHCOLUMNINFO* info) {
  if (!info) return E_POINTER;
  if (tv::SettingsStore().Current().noExplorerColumns) return S_FALSE;
  tv::clColumnCatalog& catalog = tv::ColumnCatalog();
  catalog.EnsureBuilt(tv::HelperClient());
  const tv::ColumnDescription* column = index < tv::kMaxColumns ? catalog.At(index) : nullptr;
  if (!column) return S_FALSE;
  tv::FillColumnRecord(*column, *info);
  return S_OK;
}

STDMETHODIMP CTvpShell::GetItemData(LPCSHCOLUMNID column, LPCSHCOLUMNDATA data, VARIANT* value) {
  if (!column || !data || !value) return E_POINTER;
  const tv::ShellSettings settings = tv::SettingsStore().Current();
  if (data->dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_OFFLINE)) return S_FALSE;
  if (!IsEqualGUID(column->fmtid, tv::kColumnFormatId) || settings.noExplorerColumns || !data->pwszExt)
    return S_FALSE;
  tv::clColumnCatalog& catalog = tv::ColumnCatalog();
  catalog.EnsureBuilt(tv::HelperClient());
  if (!catalog.ExtensionKnown(data->pwszExt)) return S_FALSE;
  const tv::ColumnDescription* described = catalog.FindByPropertyId(column->pid);
  if (!described) return S_FALSE;
  // The shell's path field is a fixed array; never read past it.
  const std::wstring path(data->wszFile, wcsnlen(data->wszFile, MAX_PATH));
  std::shared_ptr<const tv::FileInfo> info = tv::HelperClient().RequestFileInfo(path, settings.loadDecodersInProcess);
  if (!info) return S_FALSE;
  const std::wstring text = tv::ColumnValue(tv::ColumnValueKey(described->title), *info, settings.units,
                                            tv::LoadRegionalSettings());
  if (text.empty()) return S_FALSE;
  BSTR bstr = SysAllocStringLen(text.data(), UINT(text.size()));
  if (!bstr) return E_OUTOFMEMORY;
  VariantInit(value);
  value->vt = VT_BSTR;
  value->bstrVal = bstr;
  return S_OK;
}

// --- IQueryInfo -----------------------------------------------------------------

std::wstring CTvpShell::KeptPath() {
  std::lock_guard<std::mutex> hold(pathLock_);
  return path_;
}

STDMETHODIMP CTvpShell::GetInfoTip(DWORD, PWSTR* tip) {
  if (!tip) return E_POINTER;
  *tip = nullptr;
  const std::wstring text = tv::HelperClient().RequestPopupText(KeptPath());
  if (text.empty()) return E_FAIL;
  IMalloc* allocator = nullptr;
  if (FAILED(SHGetMalloc(&allocator)) || !allocator) return E_FAIL;
  const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
  PWSTR copy = static_cast<PWSTR>(allocator->Alloc(bytes));
  allocator->Release();
  if (!copy) return E_OUTOFMEMORY;
  wmemcpy(copy, text.c_str(), text.size() + 1);
  *tip = copy;
  return S_OK;
}

STDMETHODIMP CTvpShell::GetInfoFlags(DWORD*) { return E_NOTIMPL; }

// --- IPersistFile -----------------------------------------------------------------

STDMETHODIMP CTvpShell::GetClassID(CLSID*) { return E_NOTIMPL; }
STDMETHODIMP CTvpShell::IsDirty() { return E_NOTIMPL; }

STDMETHODIMP CTvpShell::Load(LPCOLESTR fileName, DWORD) {
  if (fileName) {
    std::lock_guard<std::mutex> hold(pathLock_);
    path_ = fileName;
  }
  return S_OK;
}

STDMETHODIMP CTvpShell::Save(LPCOLESTR, BOOL) { return E_NOTIMPL; }
STDMETHODIMP CTvpShell::SaveCompleted(LPCOLESTR) { return E_NOTIMPL; }
STDMETHODIMP CTvpShell::GetCurFile(LPOLESTR*) { return E_NOTIMPL; }

// --- IDispatch --------------------------------------------------------------------

HRESULT CTvpShell::LoadTypeInfo(ITypeInfo** typeInfo) {
  std::lock_guard<std::mutex> hold(typeInfoLock_);
  if (!typeInfo_) {
    ITypeLib* library = nullptr;
    HRESULT result = LoadTypeLibEx(tv::ShellModulePath().c_str(), REGKIND_NONE, &library);
    if (FAILED(result)) return result;
    result = library->GetTypeInfoOfGuid(tv::kIidITvpShell, &typeInfo_);
    library->Release();
    if (FAILED(result)) return result;
  }
  typeInfo_->AddRef();
  *typeInfo = typeInfo_;
  return S_OK;
}

STDMETHODIMP CTvpShell::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 1;
  return S_OK;
}

STDMETHODIMP CTvpShell::GetTypeInfo(UINT index, LCID, ITypeInfo** typeInfo) {
  if (!typeInfo) return E_POINTER;
  *typeInfo = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  return LoadTypeInfo(typeInfo);
}

STDMETHODIMP CTvpShell::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  ITypeInfo* typeInfo = nullptr;
  HRESULT result = LoadTypeInfo(&typeInfo);
  if (FAILED(result)) return result;
  result = DispGetIDsOfNames(typeInfo, names, count, ids);
  typeInfo->Release();
  return result;
}

STDMETHODIMP CTvpShell::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                               EXCEPINFO* exception, UINT* argumentError) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  ITypeInfo* typeInfo = nullptr;
  HRESULT status = LoadTypeInfo(&typeInfo);
  if (FAILED(status)) return status;
  status = DispInvoke(static_cast<ITvpShell*>(this), typeInfo, id, flags, params, result, exception, argumentError);
  typeInfo->Release();
  return status;
}
