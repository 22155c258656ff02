// The beat step, the two-frame animation, the hit flash and the sheet rows of each look.
#include "ActorKit.h"

namespace {

// A bare battle sprite that notes the frames it acted on.
class Beat : public BramkoChar {
 public:
  Beat(LField* stage, int p) : BramkoChar(stage, &SpriteSheet, &SpriteMask, {0, 0, 32, 32}) { period = p; }
  int Move() override {
    actedOn.push_back(frame);
    lefts.push_back(source.left);
    return 0;
  }
  int frame = 0;
  std::vector<int> actedOn, lefts;
};

using BeatTest = ActorTest;

TEST_F(BeatTest, PeriodPActsEveryPPlusOneFramesFromTheSecondFrame) {
  const std::vector<std::pair<int, std::vector<int>>> cases = {
      {0, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
      {1, {2, 4, 6, 8, 10, 12}},
      {2, {2, 5, 8, 11}},
      {4, {2, 7, 12}},
  };
  for (const auto& [p, expected] : cases) {
    Beat* s = new Beat(arena_, p);
    for (int f = 1; f <= 12; ++f) {
      s->frame = f;
      const int r = s->Step();
      const bool acted = !s->actedOn.empty() && s->actedOn.back() == f;
      EXPECT_EQ(r == 0, acted) << "period " << p << " frame " << f;
    }
    EXPECT_EQ(s->actedOn, expected) << "period " << p;
    s->Release();
  }
}

TEST_F(BeatTest, FrameAFiveActionsThenFrameBThreeAndOnlyWhenAnimating) {
  Beat* s = new Beat(arena_, 0);
  s->baseRect = {64, 32, 96, 64};
  for (int f = 0; f < 17; ++f) s->Step();  // 16 actions
  const std::vector<int> cycle = {64, 64, 64, 64, 64, 96, 96, 96};
  std::vector<int> expected = cycle;
  expected.insert(expected.end(), cycle.begin(), cycle.end());
  EXPECT_EQ(s->lefts, expected);
  EXPECT_EQ(s->source.top, 0);  // the animation never moves the rows

  Beat* still = new Beat(arena_, 0);
  still->animateFlag = 0;
  still->baseRect = {64, 32, 96, 64};
  for (int f = 0; f < 10; ++f) still->Step();
  EXPECT_EQ(still->source.left, 0);
  s->Release();
  still->Release();
}

TEST_F(BeatTest, ASpriteReleasedByItsMoveIsNeverTouchedAgain) {
  // Tip's Move releases it when it leaves the arena; Step must return at once. Under the
  // sanitizers any later access would be reported.
  Tip* chip = new Tip(arena_, &SpriteSheet, &SpriteMask, ChipPicture(0, -1));
  chip->x = 576;
  chip->dx = 1;
  int r = 0, frames = 0;
  while (ChipsInPlay() == 1 && frames < 20) {
    r = chip->Step();
    ++frames;
  }
  EXPECT_EQ(ChipsInPlay(), 0);
  EXPECT_EQ(r, -1);
  EXPECT_EQ(frames, 2);  // first action on the second frame
  EXPECT_EQ(arena_->GetSpriteCount(), 0);
}

using LookTest = ActorTest;

TEST_F(LookTest, RowsHitLookAndMaskOffsetsOfEachFighter) {
  struct Case {
    int top, maskDy;
  } cases[] = {{0, 0}, {32 * 6, 32 - 192}, {576, 32 - 576}, {32 * 20, 32 - 640}};
  for (const auto& c : cases) {
    TestFighter* f = PlaceTest(0, 144, 160, c.top);
    EXPECT_EQ(f->maskOffsetY, c.maskDy) << c.top;
    EXPECT_EQ(f->maskOffsetX, 0);
    EXPECT_EQ(f->normalRect, Frame(c.top));
    EXPECT_EQ(f->hitRect, (platform::Rect{128, c.top, 160, c.top + 32}));
    EXPECT_EQ(f->baseRect, Frame(c.top));
    EXPECT_EQ(f->period, 2);
    EXPECT_EQ(f->speed, 16);
    EXPECT_EQ(f->fangPower, 160);
    EXPECT_EQ(f->chipValue, 16);
    EXPECT_EQ(f->characterId, -1);
    EXPECT_EQ(f->loadedFang, -1);
    EXPECT_EQ(f->freshFlash, 1);
    EXPECT_EQ(f->width, 32);
    EXPECT_EQ(f->height, 32);
    BramkoChar* gone = Fighters[0];
    ReleaseSprite(gone);
    EXPECT_EQ(Fighters[0], nullptr);  // a released fighter leaves the world's slot
  }
  // Chips: the human sides and a computer character, 16 x 16 at the top of the sheet.
  EXPECT_EQ(ChipPicture(0, -1), (platform::Rect{256, 0, 272, 16}));
  EXPECT_EQ(ChipPicture(1, -1), (platform::Rect{544, 0, 560, 16}));
  EXPECT_EQ(ChipPicture(1, 7), (platform::Rect{384, 0, 400, 16}));
}

// Steps the fighter through n of its actions (period 2: three frames each).
void Actions(BramkoChar* f, int n) {
  for (int a = 0; a < n; ++a) {
    int r;
    do r = f->Step();
    while (r != 0);
  }
}

TEST_F(LookTest, ASecondHitRestartsTheFlashKeepingTheHitLook) {
  TestFighter* target = PlaceTest(0, 144, 160);
  PlaceTest(1, 416, 160);
  MakeFang(2, 0, 144, 160, -1, 0);
  CheckAllFangs();
  EXPECT_EQ(target->flashCountdown, 9);
  EXPECT_EQ(target->energy, -160);
  Actions(target, 4);
  EXPECT_EQ(target->flashCountdown, 5);
  EXPECT_EQ(target->baseRect, target->hitRect);
  EXPECT_EQ(target->freeActions, 0);

  MakeFang(2, 0, 150, 170, -1, 0);  // second hit while flashing
  CheckAllFangs();
  EXPECT_EQ(target->flashCountdown, 9);
  EXPECT_EQ(target->energy, -320);
  EXPECT_EQ(target->freshFlash, 0);
  Actions(target, 8);
  EXPECT_EQ(target->baseRect, target->hitRect);  // still the hit look 12 actions after the first hit
  EXPECT_EQ(target->freeActions, 0);
  Actions(target, 1);  // ninth action after the last hit
  EXPECT_EQ(target->baseRect, target->normalRect);
  EXPECT_EQ(target->freshFlash, 1);
  EXPECT_EQ(target->freeActions, 0);
  Actions(target, 2);
  EXPECT_EQ(target->freeActions, 2);
  EXPECT_LT(target->source.left, 64);  // frame A or B of the normal look
}

TEST_F(LookTest, TheInvisibleCharacterShowsForExactlyTheNineActionsOfAFlash) {
  TestFighter* ghost = PlaceTest(1, 416, 160, 32 * 16);
  ghost->characterId = kInvisibleCharacter;
  ghost->visible = 0;
  PlaceTest(0, 144, 160);
  MakeFang(2, 1, 416, 160, 1, 0);
  CheckAllFangs();
  EXPECT_EQ(ghost->visible, 0);  // the hit itself shows nothing until the fighter's action
  std::vector<int> shown;
  for (int a = 0; a < 12; ++a) {
    Actions(ghost, 1);
    shown.push_back(ghost->visible);
  }
  EXPECT_EQ(shown, (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0}));
  // Shown by the first action of the flash, hidden again by the ninth; no free action before.
  EXPECT_EQ(ghost->freeActions, 3);

  // Any other character stays shown after its flash.
  TestFighter* other = static_cast<TestFighter*>(Fighters[0]);
  MakeFang(2, 0, 144, 160, -1, 0);
  CheckAllFangs();
  Actions(other, 10);
  EXPECT_EQ(other->visible, 1);
}

}  // namespace
