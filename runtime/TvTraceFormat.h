// The trace's line layout and indentation, without the platform, so the rules
// can be read and tested on their own. TvTrace.cpp serialises access to one
// process-wide clTraceLayout and does the writing.
#pragma once
#include <string>

namespace tv {

// "  [function]" when a function name is given (and not empty), then CR LF.
std::wstring TraceLineSuffix(const std::wstring* function);

}  // namespace tv

class clTraceLayout {
 public:
  virtual ~clTraceLayout() = default;

  // The exact text of one trace write, updating indentation and the
  // last-line flag. `prefix` null means "use the indentation when the previous
  // line was ended".
  virtual std::wstring Compose(const std::wstring& text, const std::wstring* function,
                               bool endLine, const std::wstring* prefix);

  virtual const std::wstring& Indentation() const { return indentation_; }
  virtual void Reset();

 private:
  std::wstring indentation_;
  bool lastLineEnded_ = false;
};
