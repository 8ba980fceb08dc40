#include "TvProgress.h"

#include "TvPath.h"

namespace {
int ClampPercent(int percent) { return percent > 100 ? 100 : percent; }
}  // namespace

namespace tv {

const wchar_t kParentMessagePrefix[] = L"MSGTO: Tvx: ";
const wchar_t kProgressScale[] = L" 0%-----------25%-----------50%-----------75%-----------100%";

std::wstring ParentFileName(const std::wstring& destination) { return PathNameWithoutExtension(destination); }

std::wstring EncodingAction(const std::wstring& destination) {
  return L"Action: Encoding '" + ParentFileName(destination) + L"'";
}

std::wstring WritingTagsAction(const std::wstring& destination) {
  return L"Action: Writing ID Tags '" + ParentFileName(destination) + L"'";
}

std::wstring RenderingAction() { return L"Action: Rendering For DSPs..."; }

std::wstring RunningDspAction(const std::wstring& effectName) {
  return L"Action: Running DSP Effect " + effectName;
}

std::wstring EmptyAction() { return L"Action: "; }

std::wstring ActionInputText(const std::wstring& text) { return L"ActionInput: " + text; }

std::wstring ActionOutputText(const std::wstring& text) { return L"ActionOutput: " + text; }

std::wstring PercentDoneText(int percent) { return L"PCDone: " + std::to_wstring(percent) + L" %"; }

}  // namespace tv

bool clProgressState::InputAction(const std::wstring& text, std::wstring* message) {
  if (text.empty() || text == lastInput_) return false;
  lastInput_ = text;
  if (message) *message = tv::ActionInputText(text);
  return true;
}

bool clProgressState::OutputAction(const std::wstring& text, std::wstring* message) {
  if (text.empty() || text == lastOutput_) return false;
  lastOutput_ = text;
  if (message) *message = tv::ActionOutputText(text);
  return true;
}

bool clProgressState::PercentDone(int percent, std::wstring* message) {
  percent = ClampPercent(percent);
  if (percent <= lastPercent_) return false;  // also keeps 0 % and negatives out
  lastPercent_ = percent;
  if (message) *message = tv::PercentDoneText(percent);
  return true;
}

int clProgressState::NewStars(int percent) {
  percent = ClampPercent(percent);
  if (percent <= 0) return 0;
  const int due = percent * tv::kProgressStars / 100;
  if (due <= starsPrinted_) return 0;
  const int fresh = due - starsPrinted_;
  starsPrinted_ = due;
  return fresh;
}

void clProgressState::Reset() {
  lastInput_.clear();
  lastOutput_.clear();
  lastPercent_ = 0;
  starsPrinted_ = 0;
}
