// Self-registration through the real regsvr32, COM creation by class
// identifier, aggregation, and the type library behind the dual interface.
#include "ShellFixture.h"  // <windows.h> first

#include <oleauto.h>
#include <shlobj.h>

namespace {

const std::wstring kClass = L"CLSID\\{FED7043D-346A-414D-ACD7-550D052499A7}";
const std::wstring kColumnHandler = L"Folder\\shellex\\ColumnHandlers\\{FED7043D-346A-414D-ACD7-550D052499A7}";
// {627B1B3E-F003-4B78-861D-B599317A9E9A}
const GUID kLibid = {0x627B1B3E, 0xF003, 0x4B78, {0x86, 0x1D, 0xB5, 0x99, 0x31, 0x7A, 0x9E, 0x9A}};
// {F8C5B3D7-3BBF-4BCD-89AA-9DF5B829ABCC}
const IID kIidITvpShell = {0xF8C5B3D7, 0x3BBF, 0x4BCD, {0x89, 0xAA, 0x9D, 0xF5, 0xB8, 0x29, 0xAB, 0xCC}};

using RegistrationTest = ShellTest;

void ExpectFullSet(const std::wstring& dll) {
  EXPECT_EQ(ClassesDefaultValue(kColumnHandler), L"Tonvera Column Handler");
  EXPECT_EQ(ClassesDefaultValue(kClass), L"TvpShell Class");
  EXPECT_EQ(ClassesDefaultValue(kClass + L"\\ProgID"), L"TVShell.TvpShell.1");
  EXPECT_EQ(ClassesDefaultValue(kClass + L"\\VersionIndependentProgID"), L"TVShell.TvpShell");
  EXPECT_TRUE(ClassesKeyExists(kClass + L"\\Programmable"));
  EXPECT_EQ(_wcsicmp(ClassesDefaultValue(kClass + L"\\InprocServer32").c_str(), dll.c_str()), 0);
  EXPECT_EQ(ClassesDefaultValue(kClass + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
  EXPECT_EQ(ClassesDefaultValue(kClass + L"\\TypeLib"), L"{627B1B3E-F003-4B78-861D-B599317A9E9A}");
  EXPECT_EQ(ClassesDefaultValue(L"TVShell.TvpShell.1"), L"TvpShell Class");
  EXPECT_EQ(ClassesDefaultValue(L"TVShell.TvpShell.1\\CLSID"), L"{FED7043D-346A-414D-ACD7-550D052499A7}");
  EXPECT_EQ(ClassesDefaultValue(L"TVShell.TvpShell"), L"TvpShell Class");
  EXPECT_EQ(ClassesDefaultValue(L"TVShell.TvpShell\\CLSID"), L"{FED7043D-346A-414D-ACD7-550D052499A7}");
  EXPECT_EQ(ClassesDefaultValue(L"TVShell.TvpShell\\CurVer"), L"TVShell.TvpShell.1");
  ITypeLib* library = nullptr;
  EXPECT_EQ(LoadRegTypeLib(kLibid, 1, 0, LANG_NEUTRAL, &library), S_OK);
  if (library) library->Release();
}

TEST_F(RegistrationTest, RegisteringTwiceLeavesOneCleanSetAndRemovalKeepsTheParents) {
  ExpectFullSet(folder_.Dll());
  // Something left in the class key is gone after the second registration.
  HKEY stray = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, (kClass + L"\\Stray").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &stray, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(stray);
  ASSERT_EQ(RunRegsvr32(folder_.Dll(), false), 0);
  ExpectFullSet(folder_.Dll());
  EXPECT_FALSE(ClassesKeyExists(kClass + L"\\Stray"));

  ASSERT_EQ(RunRegsvr32(folder_.Dll(), true), 0);
  EXPECT_FALSE(ClassesKeyExists(kClass));
  EXPECT_FALSE(ClassesKeyExists(kColumnHandler));
  EXPECT_FALSE(ClassesKeyExists(L"TVShell.TvpShell"));
  EXPECT_FALSE(ClassesKeyExists(L"TVShell.TvpShell.1"));
  EXPECT_TRUE(ClassesKeyExists(L"Folder\\shellex\\ColumnHandlers"));
  EXPECT_TRUE(ClassesKeyExists(L"CLSID"));
  ITypeLib* library = nullptr;
  EXPECT_NE(LoadRegTypeLib(kLibid, 1, 0, LANG_NEUTRAL, &library), S_OK);
  if (library) library->Release();
  IUnknown* object = nullptr;
  EXPECT_EQ(CoCreateInstance(ClassId(), nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object)),
            REGDB_E_CLASSNOTREG);
  // Removing again finds nothing to remove and still succeeds.
  EXPECT_EQ(RunRegsvr32(folder_.Dll(), true), 0);
}

TEST_F(RegistrationTest, ObjectServesItsInterfaces) {
  IUnknown* object = Create<IUnknown>(IID_IUnknown);
  ASSERT_NE(object, nullptr);
  const IID* served[] = {&IID_IColumnProvider, &IID_IQueryInfo, &IID_IPersistFile, &IID_IPersist,
                         &IID_IDispatch, &kIidITvpShell};
  for (const IID* iid : served) {
    IUnknown* other = nullptr;
    EXPECT_EQ(object->QueryInterface(*iid, reinterpret_cast<void**>(&other)), S_OK);
    if (!other) continue;
    IUnknown* identity = nullptr;  // every interface leads back to one identity
    other->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity));
    EXPECT_EQ(identity, object);
    if (identity) identity->Release();
    other->Release();
  }
  IUnknown* none = nullptr;
  EXPECT_EQ(object->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&none)), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);

  IPersistFile* persist = nullptr;
  object->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist));
  ASSERT_NE(persist, nullptr);
  CLSID classId;
  LPOLESTR current = nullptr;
  EXPECT_EQ(persist->GetClassID(&classId), E_NOTIMPL);
  EXPECT_EQ(persist->IsDirty(), E_NOTIMPL);
  EXPECT_EQ(persist->Save(L"x", TRUE), E_NOTIMPL);
  EXPECT_EQ(persist->SaveCompleted(L"x"), E_NOTIMPL);
  EXPECT_EQ(persist->GetCurFile(&current), E_NOTIMPL);
  EXPECT_EQ(persist->Load(nullptr, STGM_READ), S_OK);
  persist->Release();

  IDispatch* dispatch = nullptr;
  object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
  ASSERT_NE(dispatch, nullptr);
  UINT count = 0;
  EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);
  ITypeInfo* typeInfo = nullptr;
  ASSERT_EQ(dispatch->GetTypeInfo(0, 0, &typeInfo), S_OK);
  TYPEATTR* attributes = nullptr;
  ASSERT_EQ(typeInfo->GetTypeAttr(&attributes), S_OK);
  EXPECT_TRUE(IsEqualGUID(attributes->guid, kIidITvpShell));
  EXPECT_TRUE(attributes->wTypeFlags & TYPEFLAG_FDUAL);
  typeInfo->ReleaseTypeAttr(attributes);
  typeInfo->Release();
  dispatch->Release();
  object->Release();
}

// An outer object that only counts its references.
class clOuter : public IUnknown {
 public:
  STDMETHODIMP QueryInterface(REFIID, void** object) override {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
  STDMETHODIMP_(ULONG) Release() override { return --references; }
  ULONG references = 1;
};

TEST_F(RegistrationTest, AggregationDelegatesToTheOuterObject) {
  clOuter outer;
  IUnknown* inner = nullptr;
  ASSERT_EQ(CoCreateInstance(ClassId(), &outer, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&inner)),
            S_OK);
  ASSERT_NE(inner, nullptr);
  IQueryInfo* info = nullptr;
  ASSERT_EQ(inner->QueryInterface(IID_IQueryInfo, reinterpret_cast<void**>(&info)), S_OK);
  EXPECT_EQ(outer.references, 2u);  // the interface counts on the outer object
  info->Release();
  EXPECT_EQ(outer.references, 1u);
  inner->Release();

  IUnknown* refused = nullptr;
  EXPECT_EQ(CoCreateInstance(ClassId(), &outer, CLSCTX_INPROC_SERVER, IID_IQueryInfo,
                             reinterpret_cast<void**>(&refused)),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(refused, nullptr);
}

}  // namespace
