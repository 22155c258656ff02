// The tournament ending: its steps in order, the choice's cursor, the closing sequence
// whose holds no key shortens, the way back to the main menu, and cancel.
#include <gtest/gtest.h>

#include <utility>

#include "ChapterKit.h"
#include "field/Bramkochar.h"
#include "chapters/Krstage2.h"
#include "field/Fieldmap.h"
#include "platform/Window.h"
#include "screens/Krending.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"

namespace {

using namespace chapters_test;

// The state the profile screen leaves after the final: the tournament board behind it,
// the extras unlocked, then the ending's first step.
void StartEndingFromTheBoard() {
  ExtrasUnlocked = true;
  TournamentLastWaypoint = 5;
  new KRStage2(*ScreenCanvas);
  StartKREnding();
}

struct StepLog {
  std::vector<std::pair<int, int64_t>> steps;  // each new step number and when it came
  void Note() {
    if (CurrentEnding && (steps.empty() || steps.back().first != KREndingStepNumber)) {
      // The last frame of the step before: its message typed out in full.
      if (!steps.empty()) ShotIfAsked("ending_before" + std::to_string(steps.back().first), lastFrame);
      steps.push_back({KREndingStepNumber, Now()});
    }
    if (ShotsAsked()) lastFrame = platform::VisibleCanvas();
  }
  platform::Bitmap lastFrame;
  int64_t At(int step) const {
    for (const auto& s : steps)
      if (s.first == step) return s.second;
    return -1;
  }
};

LPoint CursorAt() {
  const BramkoChar* c = CurrentEnding ? CurrentEnding->ChoiceCursor() : nullptr;
  return c ? c->GetPosition() : LPoint{-1, -1};
}

TEST(EndingTest, StepsInOrderTheChoiceThenTheRollAndBackToTheMenu) {
  ChapterRun run;
  StepLog log;
  std::vector<std::pair<int, int>> cursor;  // after each key of the choice
  bool releasedAfterChoice = false;
  int64_t menuAt = -1, lastTap = 0;
  bool sixItems = false;
  std::string endingMusic[3];
  run.before = StartEndingFromTheBoard;
  run.every = [&] {
    log.Note();
    if (CurrentMusic == "yui") endingMusic[0] = "yui";
    if (CurrentMusic == "kokuhaku") endingMusic[1] = "kokuhaku";
    if (CurrentMusic == "KRend") endingMusic[2] = "KRend";
    // From the closing sequence on, a key every 700 ms: it may skip waits, not holds.
    if (log.At(13) >= 0 && CurrentEnding && Now() - lastTap >= 700) {
      lastTap = Now();
      Tap(VK_SPACE_KEY);
    }
    if (log.At(13) >= 0 && CurrentEnding && (Now() - log.At(13)) % 4000 < 20)
      ShotIfAsked("ending_closing" + std::to_string((Now() - log.At(13)) / 1000));
    if (KREndingStepNumber == 8 && CurrentEnding && CurrentEnding->ChoiceCursor()) ShotIfAsked("ending_choice");
    if (SceneName == "MainMenu" && menuAt < 0) menuAt = Now();
  };
  auto choice = [&](std::vector<int> keys) {
    run.cues.push_back({[] { return Since(300); },
                        [&, keys] {
                          const LPoint p = CursorAt();
                          cursor.push_back({p.x, p.y});
                          Tap(keys);
                        }});
  };
  run.cues.push_back({[] { return KREndingStepNumber == 8 && CurrentEnding && CurrentEnding->ChoiceCursor(); },
                      [] {
                        Tap(std::vector<int>{kDown, kRight});
                      }});  // down is tested first
  choice({kRight});
  choice({kRight});
  choice({kRight});
  choice({kRight});  // at x 360 already
  choice({kLeft});
  choice({kUp});
  choice({kSelect});
  run.cues.push_back({[] { return KREndingStepNumber == 10 && Since(100); },
                      [&] { releasedAfterChoice = CurrentEnding && !CurrentEnding->ChoiceCursor(); }});
  run.cues.push_back({[] { return OnMap("MainMenu"); },
                      [&] {
                        sixItems = CurrentMapScene && CurrentMapScene->WaypointCount() == 6;
                        platform::CloseWindow();
                      }});
  run.untilMs = 400000;
  Play(run);

  std::vector<int> order;
  for (const auto& s : log.steps) order.push_back(s.first);
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13}));
  EXPECT_EQ(cursor, (std::vector<std::pair<int, int>>{
                        {72, 348}, {168, 348}, {264, 348}, {360, 348}, {360, 348}, {264, 348}, {264, 312}}));
  EXPECT_TRUE(releasedAfterChoice);
  EXPECT_EQ(endingMusic[0] + endingMusic[1] + endingMusic[2], "yuikokuhakuKRend");
  // The holds of the closing and the staff roll come to 97.25 s whatever is pressed; the
  // two waits before them (7 s) give way to the keys.
  ASSERT_GT(menuAt, 0);
  const int64_t closing = menuAt - log.At(13);
  EXPECT_GE(closing, 97250);
  EXPECT_LT(closing, 97250 + 3000);
  EXPECT_EQ(SceneName, "MainMenu");
  EXPECT_EQ(CurrentEnding, nullptr);
  EXPECT_TRUE(sixItems);
  EXPECT_TRUE(ExtrasUnlocked);
}

TEST(EndingTest, CancelInTheMiddleEndsItAtTheMainMenu) {
  ChapterRun run;
  StepLog log;
  int64_t cancelledAt = -1, menuAt = -1;
  run.before = StartEndingFromTheBoard;
  run.every = [&] { log.Note(); };
  run.cues.push_back({[] { return KREndingStepNumber == 4 && Since(0); },
                      [&] {
                        cancelledAt = Now();
                        Tap(kCancel);
                      }});
  run.cues.push_back({[] { return OnMap("MainMenu"); },
                      [&] {
                        menuAt = Now();
                        platform::CloseWindow();
                      }});
  run.untilMs = 120000;
  Play(run);

  ASSERT_GT(menuAt, 0);
  EXPECT_LT(menuAt - cancelledAt, 500);
  EXPECT_EQ(log.steps.back().first, 4);
  EXPECT_EQ(CurrentEnding, nullptr);
  EXPECT_EQ(SceneName, "MainMenu");
}

}  // namespace
