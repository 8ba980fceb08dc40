// The list file and command line with which the converter front end (and the
// tag editor helper) is started. Format logic only, no platform calls; the
// file operations are in TvListFileIo.h.
//
// A list file is UTF-16LE text without byte-order mark: each entry is one full
// file path followed by CR LF; no header and no empty line at the end.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace tv {

// The front end's program file (beside the starting program or library) and
// the option that names its list file.
constexpr const wchar_t* kFrontEndProgram = L"Tunemill.exe";
constexpr const wchar_t* kFrontEndListOption = L"-list_to_conv";

// One entry: the path and CR LF.
std::wstring ListFileEntry(const std::wstring& path);
// All entries in order.
std::wstring ListFileText(const std::vector<std::wstring>& paths);
// The same as UTF-16LE bytes, exactly as they stand in the file.
std::string ListFileBytes(const std::vector<std::wstring>& paths);

// Reads list text: a line ends at CR, at LF or at CR LF; a last line without
// an end counts; empty lines are skipped. Paths keep their file order.
std::vector<std::wstring> ParseListText(const std::wstring& text);
// The same for the file's bytes (UTF-16LE; an odd last byte is ignored).
std::vector<std::wstring> ParseListBytes(const void* data, size_t size);

// "\"<program>\" <option>=\"<value>\"": the program path and the value each
// in double quotes, one blank before the option.
std::wstring QuotedOptionCommandLine(const std::wstring& programPath, const std::wstring& option,
                                     const std::wstring& value);
// The front end's command line: the program "Tunemill.exe" in `programFolder`
// and option "-list_to_conv" with the list file's full path.
std::wstring FrontEndCommandLine(const std::wstring& programFolder, const std::wstring& listPath);

}  // namespace tv
