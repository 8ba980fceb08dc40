// Error and information lines for the host: UTF-16LE text, "  [function]",
// CR LF, one write per line to the handles received at Create.
#pragma once
#include <windows.h>

#include <string>

struct TvMessageHandles;

namespace tvw {

class PluginReport {
 public:
  // Copies the three handles (error channel, information channel, trace
  // file); a null record leaves every report silent.
  explicit PluginReport(const TvMessageHandles* handles);
  void error(const std::wstring& text, const char* function = nullptr) const;
  void information(const std::wstring& text, const char* function = nullptr) const;
  // Counts error lines, so a caller can tell whether a call reported one.
  unsigned errors() const { return errors_; }

 private:
  void line(HANDLE h, const wchar_t* prefix, const std::wstring& text, const char* function) const;
  HANDLE error_ = nullptr, info_ = nullptr, trace_ = nullptr;
  mutable unsigned errors_ = 0;
};

std::wstring widen(const std::string& ascii);

}  // namespace tvw
