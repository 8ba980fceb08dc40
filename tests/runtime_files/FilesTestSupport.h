// Shared pieces of the file-layer tests: a scratch folder that is removed
// afterwards, and a prompt that answers Retry/Cancel from a script.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "TvFilePrompt.h"

namespace tvtest {

// A fresh folder under the temporary folder, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  const std::wstring& Path() const { return path_; }  // with trailing backslash
  std::wstring operator/(const std::wstring& name) const { return path_ + name; }

 private:
  std::wstring path_;
};

// Writes bytes to a file (created anew); reads a file's bytes ("" when missing).
void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);
bool Exists(const std::wstring& path);

// Answers each question with the next scripted answer (Cancel when the script
// has run out) and records every box shown. `beforeAnswer` runs before each
// answer, so a test can mend the cause of a failure as a person would.
class ScriptedPrompt : public tv::clFilePrompt {
 public:
  struct Box {
    std::wstring text, caption;
    bool question;
  };
  explicit ScriptedPrompt(std::vector<bool> retries = {}) : retries_(std::move(retries)) {}
  bool AskRetry(const std::wstring& text, const std::wstring& caption) override;
  void Tell(const std::wstring& text, const std::wstring& caption) override;

  std::vector<Box> boxes;
  std::function<void()> beforeAnswer;

 private:
  std::vector<bool> retries_;
  size_t next_ = 0;
};

}  // namespace tvtest
