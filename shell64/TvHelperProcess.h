// Starting the information helper TipfetchInfo, and the texts and limits of
// its requests.
#pragma once
#include <windows.h>

#include <string>

namespace tv {

constexpr const wchar_t* kHelperProgramName = L"TipfetchInfo.exe";
// Prefix of the request files (temporary files the starter makes and deletes).
constexpr const wchar_t* kRequestFilePrefix = L"Tvp";

// Option texts; each begins with a space, so two stand after the program path.
constexpr const wchar_t* kPopupOption = L" --Tipfetch=";
constexpr const wchar_t* kFileInfoOption = L" --GetAudioInf=";
constexpr const wchar_t* kExtensionsOption = L" --GetAudioExts=";

constexpr DWORD kPopupTimeoutMs = 10000;
constexpr DWORD kFileInfoTimeoutMs = 10000;
constexpr DWORD kExtensionsTimeoutMs = 60000;

// The argument text of a request: the option, then the request file's path
// in double quotes.
std::wstring HelperArguments(const wchar_t* option, const std::wstring& requestPath);

// Starts `program` (quoted) with `arguments`, with no window, no inherited
// handles, the caller's environment and folder. True when the process was
// created and, when waiting, ended within `timeoutMs` (0: no limit). A
// process that outlives the limit is left running.
bool RunHelperProcess(const std::wstring& program, const std::wstring& arguments, bool wait, DWORD timeoutMs);

}  // namespace tv
