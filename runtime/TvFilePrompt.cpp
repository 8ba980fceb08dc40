#include "TvFilePrompt.h"

#include <windows.h>

#include <atomic>

namespace tv {

int ShowMessageBox(const std::wstring& text, const std::wstring& caption, unsigned int type) {
  using MessageBoxFn = int(WINAPI*)(HWND, LPCWSTR, LPCWSTR, UINT);
  static const MessageBoxFn show = [] {
    HMODULE user32 = LoadLibraryW(L"user32.dll");  // kept loaded for the life of the process
    return user32 ? reinterpret_cast<MessageBoxFn>(reinterpret_cast<void*>(GetProcAddress(user32, "MessageBoxW")))
                  : nullptr;
  }();
  return show ? show(nullptr, text.c_str(), caption.c_str(), type) : 0;
}

namespace {

class clMessageBoxPrompt : public clFilePrompt {
 public:
  bool AskRetry(const std::wstring& text, const std::wstring& caption) override {
    return ShowMessageBox(text, caption, MB_RETRYCANCEL | MB_ICONINFORMATION) == IDRETRY;
  }
  void Tell(const std::wstring& text, const std::wstring& caption) override {
    ShowMessageBox(text, caption, MB_OK | MB_ICONINFORMATION);
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
