// The default prompt shows real message boxes; a helper thread plays the
// user, reads the box and presses its button.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "TvFile.h"
#include "TvFilePrompt.h"

namespace {

struct SeenBox {
  bool found = false;
  std::vector<std::wstring> texts;  // of the box's controls
  bool hasButton[IDCONTINUE + 1] = {};
};

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
  auto* seen = reinterpret_cast<SeenBox*>(param);
  wchar_t text[512] = {};
  GetWindowTextW(child, text, 512);
  seen->texts.push_back(text);
  int id = GetDlgCtrlID(child);
  if (id > 0 && id <= IDCONTINUE) seen->hasButton[id] = true;
  return TRUE;
}

// Waits for the box with `caption`, records it and presses `button`.
std::thread PressWhenShown(const wchar_t* caption, int button, SeenBox* seen) {
  return std::thread([=] {
    for (int i = 0; i < 1000; ++i) {
      HWND box = FindWindowW(L"#32770", caption);
      if (box) {
        seen->found = true;
        EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(seen));
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        return;
      }
      Sleep(10);
    }
  });
}

bool Contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
  for (const auto& t : texts)
    if (t == text) return true;
  return false;
}

}  // namespace

TEST(DefaultPrompt, RetryCancelBoxAnswersAsPressed) {
  for (int button : {IDRETRY, IDCANCEL}) {
    SeenBox seen;
    std::thread user = PressWhenShown(L"File Read Error", button, &seen);
    bool retry = tv::DefaultFilePrompt().AskRetry(L"Unable to open 'C:\\x.mp3'", L"File Read Error");
    user.join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(retry, button == IDRETRY);
    EXPECT_TRUE(Contains(seen.texts, L"Unable to open 'C:\\x.mp3'"));
    EXPECT_TRUE(seen.hasButton[IDRETRY]);
    EXPECT_TRUE(seen.hasButton[IDCANCEL]);
    EXPECT_FALSE(seen.hasButton[IDOK]);
  }
}

TEST(DefaultPrompt, NullBufferWriteShowsAnOkBox) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"tvfiles_okbox_" + std::to_wstring(GetCurrentProcessId());
  tv::clTvFile file;
  ASSERT_TRUE(file.Create(path, true));
  SeenBox seen;
  std::thread user = PressWhenShown(L"File Write Error", IDOK, &seen);
  EXPECT_FALSE(file.Write(nullptr, 1));
  user.join();
  ASSERT_TRUE(seen.found);
  EXPECT_TRUE(Contains(seen.texts, L"Error writing a NULL buffer to file"));
  EXPECT_TRUE(seen.hasButton[IDOK]);
  EXPECT_FALSE(seen.hasButton[IDRETRY]);
  file.Close();
  DeleteFileW(path.c_str());
}
