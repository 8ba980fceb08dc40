// The label column of a pop-up line: the name and " : ", padded with spaces
// until its pixel width passes the column width, then a tab, so the shell's
// tip shows the values in one aligned column. The measuring itself is an
// interface: the Win32 one (TvPopupLabelGdi.h) asks the platform for the
// text extent in the pop-up font; without a device context or font the
// character-count estimate below stands in.
#pragma once
#include <memory>
#include <string>

#include "TvPopupText.h"

namespace tv {

// Column widths in pixels: NT 6 or later (Segoe UI 15), and earlier systems.
constexpr int kPopupColumnWidthNt6 = 85;
constexpr int kPopupColumnWidthOld = 75;
// Spaces added at most, in case a measure never grows (a font whose space
// has no width).
constexpr int kMaxLabelPadding = 64;

class clTextWidth {
 public:
  virtual ~clTextWidth() = default;
  // The pixel width of `text`; false when it cannot be measured.
  virtual bool Measure(const std::wstring& text, int* pixels) = 0;
};

// The fallback measure: every character counts as kEstimatedCharPixels, the
// average width of the pop-up font's characters, so labels are padded by
// character count (to 15 characters for the 85-pixel column).
class clCharCountWidth : public clTextWidth {
 public:
  static constexpr int kEstimatedCharPixels = 6;
  bool Measure(const std::wstring& text, int* pixels) override;
};

// Name + " : " (the continuation name " " gives four spaces), then spaces
// while the width is at most `columnWidth`, then a tab; a label wider than
// the column gets neither. When `measure` fails, the character-count
// estimate is used for the whole label.
std::wstring PadPopupLabel(const std::wstring& name, clTextWidth& measure, int columnWidth);

// The labeler over one measure (which it does not own).
class clMeasuredLabeler : public clPopupLabeler {
 public:
  clMeasuredLabeler(clTextWidth& measure, int columnWidth) : measure_(measure), columnWidth_(columnWidth) {}
  std::wstring PopupLabel(const std::wstring& name) override {
    return PadPopupLabel(name, measure_, columnWidth_);
  }

 private:
  clTextWidth& measure_;
  int columnWidth_;
};

}  // namespace tv
