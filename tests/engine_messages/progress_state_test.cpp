// The progress rules and message texts, without the platform.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TvProgress.h"

TEST(ProgressTexts, MessagesReadExactly) {
  EXPECT_EQ(std::wstring(tv::kParentMessagePrefix), L"MSGTO: Tvx: ");
  EXPECT_EQ(tv::EncodingAction(L"C:\\out\\My Song.v2.mp3"), L"Action: Encoding 'My Song.v2'");
  EXPECT_EQ(tv::WritingTagsAction(L"D:\\a\\b.flac"), L"Action: Writing ID Tags 'b'");
  EXPECT_EQ(tv::RenderingAction(), L"Action: Rendering For DSPs...");
  EXPECT_EQ(tv::RunningDspAction(L"Volume"), L"Action: Running DSP Effect Volume");
  EXPECT_EQ(tv::EmptyAction(), L"Action: ");
  EXPECT_EQ(tv::ActionInputText(L"x"), L"ActionInput: x");
  EXPECT_EQ(tv::ActionOutputText(L"y"), L"ActionOutput: y");
  EXPECT_EQ(tv::PercentDoneText(7), L"PCDone: 7 %");
}

TEST(ProgressTexts, ScaleIsSixtyCharacters) {
  const std::wstring scale = tv::kProgressScale;
  EXPECT_EQ(scale.size(), 60u);
  EXPECT_EQ(scale, L" 0%-----------25%-----------50%-----------75%-----------100%");
}

TEST(ProgressState, RepeatedActionTextIsShownOnce) {
  clProgressState state;
  std::wstring message;
  std::vector<std::wstring> shown;
  for (const wchar_t* text : {L"Reading", L"Reading", L"", L"Reading", L"Seeking", L"Reading"})
    if (state.InputAction(text, &message)) shown.push_back(message);
  EXPECT_EQ(shown, (std::vector<std::wstring>{L"ActionInput: Reading", L"ActionInput: Seeking",
                                               L"ActionInput: Reading"}));
  // The output side keeps its own last text.
  EXPECT_TRUE(state.OutputAction(L"Reading", &message));
  EXPECT_EQ(message, L"ActionOutput: Reading");
  EXPECT_FALSE(state.OutputAction(L"Reading", &message));
}

TEST(ProgressState, PercentLinesRiseOnlyAndSkipZero) {
  struct Step {
    int percent;
    bool sent;
  };
  const std::vector<Step> steps = {{0, false}, {-5, false}, {1, true},  {1, false},  {40, true},
                                   {39, false}, {99, true}, {150, true}, {100, false}};
  clProgressState state;
  for (const Step& step : steps) {
    std::wstring message;
    EXPECT_EQ(state.PercentDone(step.percent, &message), step.sent) << step.percent;
    if (step.sent) {
      EXPECT_EQ(message, tv::PercentDoneText(step.percent > 100 ? 100 : step.percent));
    }
  }
  EXPECT_EQ(state.LastPercent(), 100);
}

TEST(ProgressState, StarsReachSixtyOnlyAtOneHundredPercent) {
  clProgressState state;
  int total = 0;
  for (int percent = 0; percent <= 99; ++percent) total += state.NewStars(percent);
  EXPECT_EQ(total, 59);  // 99 × 60 ÷ 100
  EXPECT_EQ(state.NewStars(99), 0);
  EXPECT_EQ(state.NewStars(100), 1);
  EXPECT_EQ(state.StarsPrinted(), 60);
  EXPECT_EQ(state.NewStars(250), 0);  // never past the scale
}

TEST(ProgressState, StarsFollowJumpsAndNeverGoBack) {
  clProgressState state;
  EXPECT_EQ(state.NewStars(50), 30);
  EXPECT_EQ(state.NewStars(10), 0);
  EXPECT_EQ(state.NewStars(51), 0);  // 51 × 60 ÷ 100 = 30
  EXPECT_EQ(state.NewStars(52), 1);
  state.Reset();
  EXPECT_EQ(state.StarsPrinted(), 0);
  EXPECT_EQ(state.NewStars(100), 60);
}
