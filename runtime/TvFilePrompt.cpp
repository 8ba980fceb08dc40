#include "TvFilePrompt.h"

#include <windows.h>

#include <atomic>

namespace tv {

namespace {

class clMessageBoxPrompt : public clFilePrompt {
 public:
  bool AskRetry(const std::wstring& text, const std::wstring& caption) override {
    return MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_RETRYCANCEL | MB_ICONINFORMATION) ==
           IDRETRY;
  }
  void Tell(const std::wstring& text, const std::wstring& caption) override {
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONINFORMATION);
  }
};

std::atomic<clFilePrompt*> g_prompt{nullptr};

}  // namespace

clFilePrompt& DefaultFilePrompt() {
  static clMessageBoxPrompt prompt;
  return prompt;
}

clFilePrompt& CurrentFilePrompt() {
  clFilePrompt* prompt = g_prompt.load();
  return prompt ? *prompt : DefaultFilePrompt();
}

clFilePrompt* SetFilePrompt(clFilePrompt* prompt) { return g_prompt.exchange(prompt); }

}  // namespace tv
