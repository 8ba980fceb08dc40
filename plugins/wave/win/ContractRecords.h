// Helpers around the records of the plug-in contract: texts handed back in
// TvSettingValue, wave format records, and the catch-all every export uses.
#pragma once
#include <TvPluginApi.h>

#include <string>

#include "TagList.h"
#include "WaveFormat.h"

namespace tvw {

inline std::u16string toU16(const WCHAR* text) {
  return text ? std::u16string(reinterpret_cast<const char16_t*>(text)) : std::u16string();
}
inline std::wstring toWide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
inline std::u16string toU16(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }
inline const WCHAR* wideText(const std::u16string& s) { return reinterpret_cast<const WCHAR*>(s.c_str()); }

void storeFormat(const WaveFormat& f, WAVEFORMATEXTENSIBLE& record);
WaveFormat loadFormat(const WAVEFORMATEXTENSIBLE& record);

// Runs an export's body; any exception becomes a failed result, so none
// crosses the boundary.
template <typename Fn>
TvPluginResult guarded(Fn&& body) noexcept {
  try {
    return body() ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

}  // namespace tvw
