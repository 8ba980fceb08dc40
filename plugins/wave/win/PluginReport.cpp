#include "PluginReport.h"

namespace tvw {

namespace {
// The record's layout: three handles in this order. The SDK header only
// declares the record's name, so its shape is restated here.
struct HandleRecord {
  HANDLE error;
  HANDLE info;
  HANDLE trace;
};

bool usable(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }

void writeAll(HANDLE h, const std::wstring& s) {
  DWORD done = 0;
  WriteFile(h, s.data(), DWORD(s.size() * sizeof(wchar_t)), &done, nullptr);  // failures are ignored
}
}  // namespace

PluginReport::PluginReport(const TvMessageHandles* handles) {
  if (!handles) return;
  const auto* r = reinterpret_cast<const HandleRecord*>(handles);
  error_ = r->error;
  info_ = r->info;
  trace_ = r->trace;
}

std::wstring widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

void PluginReport::line(HANDLE h, const wchar_t* prefix, const std::wstring& text, const char* function) const {
  std::wstring suffix;
  if (function) suffix = L"  [" + widen(function) + L"]";
  suffix += L"\r\n";
  if (usable(trace_)) writeAll(trace_, prefix + text + suffix);
  if (usable(h)) writeAll(h, text + suffix);
}

void PluginReport::error(const std::wstring& text, const char* function) const {
  ++errors_;
  line(error_, L"*** Error: ", text, function);
}

void PluginReport::information(const std::wstring& text, const char* function) const {
  line(info_, L"*** Information: ", text, function);
}

}  // namespace tvw
