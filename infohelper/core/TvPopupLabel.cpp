#include "TvPopupLabel.h"

namespace tv {

bool clCharCountWidth::Measure(const std::wstring& text, int* pixels) {
  *pixels = int(text.size() > 1000000 ? 1000000 : text.size()) * kEstimatedCharPixels;
  return true;
}

std::wstring PadPopupLabel(const std::wstring& name, clTextWidth& measure, int columnWidth) {
  std::wstring label = name == L" " ? std::wstring(L"    ") : name + L" : ";
  clCharCountWidth estimate;
  clTextWidth* width = &measure;
  int pixels = 0;
  if (!width->Measure(label, &pixels)) {
    width = &estimate;
    width->Measure(label, &pixels);
  }
  if (pixels > columnWidth) return label;
  for (int added = 0; pixels <= columnWidth && added < kMaxLabelPadding; ++added) {
    label += L' ';
    if (!width->Measure(label, &pixels)) {
      width = &estimate;
      width->Measure(label, &pixels);
    }
  }
  return label + L'\t';
}

}  // namespace tv
