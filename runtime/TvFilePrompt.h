// The boxes the file object shows when it was opened with "show errors":
// Retry/Cancel after a failed open, read or write, and an OK box for a write
// of a null buffer. The boxes go through a replaceable prompt so a program
// without a person (a test, a service) can answer them.
#pragma once
#include <string>

namespace tv {

class clFilePrompt {
 public:
  virtual ~clFilePrompt() = default;
  // A Retry/Cancel question; true means Retry.
  virtual bool AskRetry(const std::wstring& text, const std::wstring& caption) = 0;
  // A message with only an OK button.
  virtual void Tell(const std::wstring& text, const std::wstring& caption) = 0;
};

// MessageBoxW from user32, which is loaded on the first box. A console
// program that never shows a box then never loads user32, whose start-up
// (display and font set-up) costs more than a short conversion itself.
// Returns 0 when user32 or the function cannot be had.
int ShowMessageBox(const std::wstring& text, const std::wstring& caption, unsigned int type);

// The message-box prompt (information icon) used unless another is installed.
clFilePrompt& DefaultFilePrompt();
// The prompt file objects use now.
clFilePrompt& CurrentFilePrompt();
// Installs a prompt for the whole process (null restores the message boxes);
// returns the one installed before. The prompt must outlive its installation.
clFilePrompt* SetFilePrompt(clFilePrompt* prompt);

// Installs a prompt for the lifetime of the object.
class clScopedFilePrompt {
 public:
  explicit clScopedFilePrompt(clFilePrompt& prompt) : previous_(SetFilePrompt(&prompt)) {}
  ~clScopedFilePrompt() { SetFilePrompt(previous_); }
  clScopedFilePrompt(const clScopedFilePrompt&) = delete;
  clScopedFilePrompt& operator=(const clScopedFilePrompt&) = delete;

 private:
  clFilePrompt* previous_;
};

}  // namespace tv
