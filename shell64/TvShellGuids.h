// Identifiers of the 64-bit shell object, its type library and interface.
// TvShell.idl and TvShell.rgs carry the same values.
#pragma once
#include <windows.h>

namespace tv {

// CTvpShell {FED7043D-346A-414D-ACD7-550D052499A7}
constexpr CLSID kClsidTvpShell = {0xFED7043D, 0x346A, 0x414D, {0xAC, 0xD7, 0x55, 0x0D, 0x05, 0x24, 0x99, 0xA7}};
constexpr const wchar_t* kClsidTvpShellText = L"{FED7043D-346A-414D-ACD7-550D052499A7}";
// TVSHELLLib 1.0 {627B1B3E-F003-4B78-861D-B599317A9E9A}
constexpr GUID kLibidTvShell = {0x627B1B3E, 0xF003, 0x4B78, {0x86, 0x1D, 0xB5, 0x99, 0x31, 0x7A, 0x9E, 0x9A}};
constexpr WORD kTypeLibMajor = 1;
constexpr WORD kTypeLibMinor = 0;
// ITvpShell {F8C5B3D7-3BBF-4BCD-89AA-9DF5B829ABCC}
constexpr IID kIidITvpShell = {0xF8C5B3D7, 0x3BBF, 0x4BCD, {0x89, 0xAA, 0x9D, 0xF5, 0xB8, 0x29, 0xAB, 0xCC}};
// The format identifier of every column {394C3DE0-3C6F-11D2-817B-00C04F797AB7}
constexpr GUID kColumnFormatId = {0x394C3DE0, 0x3C6F, 0x11D2, {0x81, 0x7B, 0x00, 0xC0, 0x4F, 0x79, 0x7A, 0xB7}};

// The column handler key under HKEY_CLASSES_ROOT, and its default value.
constexpr const wchar_t* kColumnHandlersKey = L"Folder\\shellex\\ColumnHandlers";
constexpr const wchar_t* kColumnHandlerName = L"Tonvera Column Handler";
// The registrar script resource (type "REGISTRY").
constexpr UINT kRegistryScriptId = 101;

}  // namespace tv
