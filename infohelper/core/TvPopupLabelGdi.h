// Measures pop-up labels with the platform's text extent in the pop-up font:
// "Segoe UI" at height 15 on NT 6 or later (85-pixel column), else the
// system's default face ("Tahoma", or "MS Sans Serif" before NT) at height 13
// (75-pixel column), on a screen device context - or a memory one when no
// screen can be had. Without either, or without the font, labels are padded
// by the character-count estimate of TvPopupLabel.h.
#pragma once
#include <windows.h>

#include <memory>

#include "TvPopupLabel.h"

namespace tv {

class clGdiTextWidth : public clTextWidth {
 public:
  clGdiTextWidth();
  ~clGdiTextWidth() override;
  clGdiTextWidth(const clGdiTextWidth&) = delete;
  clGdiTextWidth& operator=(const clGdiTextWidth&) = delete;

  bool Measure(const std::wstring& text, int* pixels) override;
  // False when no device context or font could be had (Measure then fails).
  bool Usable() const { return dc_ && font_; }
  int ColumnWidth() const { return columnWidth_; }

 private:
  HDC dc_ = nullptr;
  bool screenDc_ = false;  // from GetDC (released), else a memory DC (deleted)
  HFONT font_ = nullptr;
  HGDIOBJ previousFont_ = nullptr;
  int columnWidth_ = kPopupColumnWidthNt6;
};

// The labeler the pop-up builder uses: GDI measuring, owning its device
// context and font for its lifetime.
class clGdiPopupLabeler : public clPopupLabeler {
 public:
  clGdiPopupLabeler() = default;
  std::wstring PopupLabel(const std::wstring& name) override {
    return PadPopupLabel(name, width_, width_.ColumnWidth());
  }

 private:
  clGdiTextWidth width_;
};

}  // namespace tv
