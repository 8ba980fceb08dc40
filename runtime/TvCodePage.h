// Conversions between wide text and the system's ANSI code page (console text
// and kernel object names use it).
#pragma once
#include <string>

namespace tv {

std::string WideToAnsi(const std::wstring& text);
std::wstring AnsiToWide(const std::string& text);

}  // namespace tv
