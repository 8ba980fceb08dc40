#include "TvPopupLabelGdi.h"

namespace tv {

namespace {

// Major version of the system, and whether it is of the NT family.
void SystemVersion(DWORD* major, bool* ntFamily) {
  OSVERSIONINFOW info = {};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) {
    info.dwMajorVersion = 6;
    info.dwPlatformId = VER_PLATFORM_WIN32_NT;
  }
#pragma GCC diagnostic pop
  *major = info.dwMajorVersion;
  *ntFamily = info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace

clGdiTextWidth::clGdiTextWidth() {
  DWORD major = 0;
  bool nt = true;
  SystemVersion(&major, &nt);
  const bool modern = nt && major >= 6;
  columnWidth_ = modern ? kPopupColumnWidthNt6 : kPopupColumnWidthOld;
  const wchar_t* face = modern ? L"Segoe UI" : (nt ? L"Tahoma" : L"MS Sans Serif");
  font_ = CreateFontW(modern ? 15 : 13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
  dc_ = GetDC(nullptr);
  screenDc_ = dc_ != nullptr;
  if (!dc_) dc_ = CreateCompatibleDC(nullptr);
  if (dc_ && font_) previousFont_ = SelectObject(dc_, font_);
}

clGdiTextWidth::~clGdiTextWidth() {
  if (dc_) {
    if (previousFont_) SelectObject(dc_, previousFont_);
    if (screenDc_)
      ReleaseDC(nullptr, dc_);
    else
      DeleteDC(dc_);
  }
  if (font_) DeleteObject(font_);
}

bool clGdiTextWidth::Measure(const std::wstring& text, int* pixels) {
  if (!Usable() || text.size() > 0x7FFFFFF) return false;
  SIZE size = {};
  if (!GetTextExtentPoint32W(dc_, text.c_str(), int(text.size()), &size)) return false;
  *pixels = size.cx;
  return true;
}

}  // namespace tv
