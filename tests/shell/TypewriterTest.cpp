// The typewriters: control codes, pace, the talking face, cancel and speed-up, and the
// timer-driven writer of the ending.
#include <gtest/gtest.h>

#include "platform/Text.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessControl.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "shell/Typewriters.h"
#include "support/Headless.h"

namespace {

using platform::Bitmap;
using platform::Rgb;

const platform::Color kTalkA = Rgb(200, 0, 0), kTalkB = Rgb(0, 200, 0), kNodA = Rgb(0, 0, 200),
                      kNodB = Rgb(200, 200, 0);

struct Writers : ::testing::Test {
  testing_support::HeadlessPlatform headless;
  Bitmap screen{640, 480};
  void SetUp() override {
    ResetGameInputState();
    FacePicture.SetSize(256, 256);
    const platform::Color quadrant[4] = {kTalkA, kTalkB, kNodA, kNodB};
    for (int q = 0; q < 4; ++q) {
      FacePicture.GetCanvas().brush = platform::Brush{quadrant[q]};
      FacePicture.GetCanvas().FillRect({128 * (q % 2), 128 * (q / 2), 128 * (q % 2) + 128, 128 * (q / 2) + 128});
    }
    screen.GetCanvas().brush = platform::Brush{platform::kBlack};
  }
  platform::Color Face() const { return screen.Pixel(70, 330); }
  // Whether anything was printed in the 18-pixel text row starting at y, from x on.
  bool Printed(int x0, int x1, int y) const {
    for (int yy = y; yy < y + 18; ++yy)
      for (int x = x0; x < x1; ++x)
        if (screen.Pixel(x, yy) != platform::kBlack) return true;
    return false;
  }
  uint32_t Timed(const std::function<int()>& run, int& result) {
    const uint32_t t0 = TickCount();
    result = run();
    return TickCount() - t0;
  }
};

TEST_F(Writers, NodCodeSwallowsTheNextByte) {
  int result = 0;
  // The nod is four 100-ms frames; three pauses of 100 ms follow, not four.
  const uint32_t t = Timed([&] { return TalkingFaceWriter(screen.GetCanvas(), 0, "#$$$$"); }, result);
  EXPECT_EQ(result, 0);
  EXPECT_GE(t, 700u);
  EXPECT_LT(t, 780u);
  EXPECT_EQ(Face(), kTalkA);  // the nod ends on the talking frame it started from
  EXPECT_FALSE(Printed(144, 640, 266));
}

TEST_F(Writers, PaceCodesSpacesAndTheMouth) {
  int result = 0;
  const std::string fast = platform::Utf8ToSjis("H警備隊長");
  uint32_t t = Timed([&] { return TalkingFaceWriter(screen.GetCanvas(), 1, fast); }, result);
  EXPECT_EQ(result, 0);
  EXPECT_LT(t, 10u);
  EXPECT_TRUE(Printed(144, 160, 284));
  EXPECT_FALSE(Printed(144, 640, 266));

  // Speech pace: 100 ms a character, a pause costs one character, a blank nothing.
  const std::string speech = platform::Utf8ToSjis("Sあ い$う");
  t = Timed([&] { return TalkingFaceWriter(screen.GetCanvas(), 2, speech); }, result);
  EXPECT_GE(t, 400u);
  EXPECT_LT(t, 440u);
  // The mouth opens at the first character and changes every second one after it.
  EXPECT_EQ(Face(), kTalkB);

  // The cut-scene writer knows no nod: "#" is text there, and its pen starts at x 48.
  screen.GetCanvas().FillRect({0, 0, 640, 480});
  t = Timed([&] { return CutSceneLineWriter(screen.GetCanvas(), 0, "H#"); }, result);
  EXPECT_LT(t, 10u);
  EXPECT_TRUE(Printed(48, 64, 266));
  EXPECT_EQ(Face(), platform::kBlack);
}

TEST_F(Writers, HeldKeysTypeAtOnceAndCancelStops) {
  int result = 0;
  const std::string line = platform::Utf8ToSjis("Sあいうえおかきくけこ");
  platform::headless::Inject({platform::headless::Now(), "down", VK_SPACE_KEY, ""});
  uint32_t t = Timed([&] { return CutSceneLineWriter(screen.GetCanvas(), 0, line); }, result);
  EXPECT_EQ(result, 0);
  EXPECT_LT(t, 30u);
  platform::headless::Inject({platform::headless::Now(), "up", VK_SPACE_KEY, ""});
  WaitRelease();

  platform::headless::Inject({platform::headless::Now() + 250, "down", VK_ESCAPE_KEY, ""});
  t = Timed([&] { return TalkingFaceWriter(screen.GetCanvas(), 0, line); }, result);
  EXPECT_EQ(result, -1);
  EXPECT_GE(t, 250u);
  EXPECT_LT(t, 320u);
  platform::headless::Inject({platform::headless::Now(), "up", VK_ESCAPE_KEY, ""});
}

TEST_F(Writers, ProfileLinesTypeEvery45Ms) {
  const uint32_t t0 = TickCount();
  ProfileLineWriter(screen.GetCanvas(), 56, 274, platform::Utf8ToSjis("「ドラ」"));
  const uint32_t t = TickCount() - t0;
  EXPECT_GE(t, 4 * 45u);
  EXPECT_LT(t, 4 * 45u + 20);
  EXPECT_TRUE(Printed(56, 80, 274));
}

// A stand-in for the ending scene, recording what the writer asks of it.
struct FakeEnding : EndingWriterScene {
  Bitmap* screen;
  int redraws = 0, cancels = 0;
  explicit FakeEnding(Bitmap* s) : screen(s) {}
  platform::Canvas& WriterCanvas() override { return screen->GetCanvas(); }
  void RedrawMessagePage() override { ++redraws; }
  void CancelEnding() override { ++cancels; }
  SceneStepFn ScriptStep() override { return &ScriptStepStub; }
  static int ScriptStepStub() { return 0; }
};

TEST_F(Writers, EndingWriterTakesOneTokenPerTick) {
  FakeEnding scene(&screen);
  screen.GetCanvas().FillRect({0, 0, 640, 480});
  EndingLineWriter(&scene, 1, platform::Utf8ToSjis("Hあ!R$SいCう"));
  EXPECT_EQ(SceneStep, &EndingLineWriterStep);
  EXPECT_EQ(platform::TimerInterval(), 100u);
  EXPECT_FALSE(Printed(0, 640, 300));

  // Token by token: the next tick's interval each one sets.
  const uint32_t intervals[] = {50, 50, 60, 50, 70, 10, 50, 50, 50};
  for (int i = 0; i < 9; ++i) {
    EndingLineWriterStep();
    EXPECT_EQ(platform::TimerInterval(), intervals[i]) << i;
    if (i == 1) {
      EXPECT_TRUE(Printed(72, 100, 330));  // line 1 starts at y 312 + 18
    }
    if (i == 6) {
      EXPECT_TRUE(Printed(72, 100, 348));  // after "R": back to x 72, one line down
    }
    if (i == 7) {
      EXPECT_EQ(scene.redraws, 1);  // "C" clears the page
    }
  }
  EXPECT_TRUE(Printed(72, 100, 312));  // after "C" the pen is back at (72, 312)
  EXPECT_EQ(SceneStep, &EndingLineWriterStep);
  EndingLineWriterStep();  // the end of the text hands back to the scene's script
  EXPECT_EQ(SceneStep, &FakeEnding::ScriptStepStub);
  EXPECT_EQ(scene.cancels, 0);

  // Cancel stops the writer and ends the scene.
  EndingLineWriter(&scene, 0, platform::Utf8ToSjis("Sあいう"));
  platform::headless::Inject({platform::headless::Now(), "down", VK_ESCAPE_KEY, ""});
  platform::SleepMs(5);
  PumpMessages();
  EndingLineWriterStep();
  EXPECT_EQ(scene.cancels, 1);
  EXPECT_EQ(SceneStep, nullptr);
  SetSceneStep(nullptr);
}

}  // namespace
