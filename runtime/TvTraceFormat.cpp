#include "TvTraceFormat.h"

namespace {
const std::wstring kEnter = L"->->";
const std::wstring kLeave = L"<-<-";

bool BeginsWith(const std::wstring& text, const std::wstring& head) {
  return text.compare(0, head.size(), head) == 0;
}
}  // namespace

namespace tv {

std::wstring TraceLineSuffix(const std::wstring* function) {
  std::wstring suffix;
  if (function && !function->empty()) suffix = L"  [" + *function + L"]";
  suffix += L"\r\n";
  return suffix;
}

}  // namespace tv

std::wstring clTraceLayout::Compose(const std::wstring& text, const std::wstring* function,
                                    bool endLine, const std::wstring* prefix) {
  // An unbalanced "<-<-" must not eat more indentation than there is.
  if (BeginsWith(text, kLeave))
    indentation_.erase(indentation_.size() >= 2 ? indentation_.size() - 2 : 0);

  std::wstring line;
  if (prefix)
    line = *prefix;
  else if (lastLineEnded_)
    line = indentation_;
  line += text;
  if (endLine) line += tv::TraceLineSuffix(function);

  if (BeginsWith(text, kEnter)) indentation_ += L"  ";
  lastLineEnded_ = endLine;
  return line;
}

void clTraceLayout::Reset() {
  indentation_.clear();
  lastLineEnded_ = false;
}
