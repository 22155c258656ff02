// The human fighter: direction priority and area, firing, the emergency dodge, the flash
// and its names.
#include "ActorKit.h"
#include "input/Ginput.h"
#include "shell/PadRumble.h"

namespace {

class ManPlayerTest : public ActorTest {
 protected:
  ManPlayer* Man(int side, int x, int y) {
    return Place(new ManPlayer(arena_, &SpriteSheet, &SpriteMask, Frame(576 * side)), side, x, y);
  }
  // One action of the fighter (its beat: every third frame).
  static void Act(BramkoChar* f) {
    int frames = 0;
    while (f->Step() != 0) ++frames;
    EXPECT_LE(frames, 2);
  }
  void Hold(std::initializer_list<int> functions, int slot = 0) {
    for (int f : functions) Press(f, true, slot);
  }
  void LetGo(std::initializer_list<int> functions, int slot = 0) {
    for (int f : functions) Press(f, false, slot);
  }
};

TEST_F(ManPlayerTest, OneDirectionByPriorityEachTestedAgainstTheOwnArea) {
  ManPlayer* m = Man(0, 128, 288);
  Hold({kfDown, kfLeft});
  Act(m);  // at the bottom the down test fails: left acts instead
  EXPECT_EQ(m->GetPosition(), (LPoint{112, 288}));
  EXPECT_EQ(m->dx, -1);
  EXPECT_EQ(m->dy, 0);
  m->MoveTo(128, 160);
  Act(m);  // away from the bottom, down wins
  EXPECT_EQ(m->GetPosition(), (LPoint{128, 176}));
  LetGo({kfDown, kfLeft});

  struct Case {
    int side, x, y, key;
    LPoint after;
  } cases[] = {
      {0, 0, 160, kfLeft, {0, 160}},      {0, 16, 160, kfLeft, {0, 160}},     {0, 256, 160, kfRight, {256, 160}},
      {0, 240, 160, kfRight, {256, 160}}, {0, 128, 0, kfUp, {128, 0}},        {0, 128, 16, kfUp, {128, 0}},
      {0, 128, 272, kfDown, {128, 288}},  {1, 304, 160, kfLeft, {304, 160}},  {1, 320, 160, kfLeft, {304, 160}},
      {1, 560, 160, kfRight, {560, 160}}, {1, 544, 160, kfRight, {560, 160}},
  };
  for (const auto& c : cases) {
    ManPlayer* p = c.side == 0 ? m : Man(1, 0, 0);
    p->MoveTo(c.x, c.y);
    Hold({c.key}, c.side);
    Act(p);
    EXPECT_EQ(p->GetPosition(), c.after) << c.side << " " << c.x << "," << c.y << " key " << c.key;
    LetGo({c.key}, c.side);
    if (c.side == 1) {
      BramkoChar* gone = Fighters[1];
      ReleaseSprite(gone);
    }
  }

  // Up and down pressed together from nothing held: down. (Polling lets a direction pressed
  // while another is held replace it, so start from a clean poll.)
  LastDirections[0] = 0;
  m->MoveTo(128, 160);
  Hold({kfUp, kfDown});
  Act(m);
  EXPECT_EQ(m->GetPosition(), (LPoint{128, 176}));
}

TEST_F(ManPlayerTest, EitherKeySetSteersTheLeftFighterWhenTold) {
  ManPlayer* m = Man(0, 128, 160);
  Hold({kfDown}, 1);
  Act(m);  // its own slot's keys only
  EXPECT_EQ(m->GetPosition(), (LPoint{128, 160}));
  m->inputSource = piBoth;
  Act(m);
  EXPECT_EQ(m->GetPosition(), (LPoint{128, 176}));
}

TEST_F(ManPlayerTest, FireNeedsALoadAndFiringFirstRefusesTheDodge) {
  ManPlayer* m = Man(0, 128, 160);
  Man(1, 416, 160);
  Hold({kfDecide});
  Act(m);
  EXPECT_EQ(FangsInFlight(), 0);
  EXPECT_EQ(CurrentSound, "");
  m->loadedFang = 3;
  Hold({kfCancel});
  Act(m);  // fire and dodge together: the shot uses the load, so no dodge
  EXPECT_EQ(FangsInFlight(), 1);
  EXPECT_EQ(m->loadedFang, -1);
  EXPECT_EQ(m->dodgeCountdown, 0);
  EXPECT_EQ(m->x, 128);
  EXPECT_EQ(FangAt(0)->program.data(), FangProgramTable[3].data());
}

TEST_F(ManPlayerTest, DodgeLeavesTheArenaForTwelveActionsAndComesBack) {
  ManPlayer* m = Man(0, 0, 160);
  ManPlayer* other = Man(1, 416, 160);
  m->loadedFang = 2;
  Hold({kfCancel, kfRight});
  Act(m);
  EXPECT_EQ(CurrentSound, "Barrier");
  EXPECT_EQ(m->loadedFang, -1);
  EXPECT_EQ(m->x, -96);
  EXPECT_EQ(m->dodgeSavedX, 16);  // it stepped first, then dodged from there
  EXPECT_EQ(m->y, 160);
  // Nothing reaches it where it was: a fang at the old spot, an item, an own chip.
  MakeFang(2, 0, 16, 160, -1, 0);
  Tip* chip = new Tip(arena_, &SpriteSheet, &SpriteMask, ChipPicture(0, -1));
  chip->owner = 0;
  chip->x = 16;
  chip->y = 160;
  for (int a = 1; a <= 11; ++a) {
    Act(m);
    CheckAllChips();
    CheckAllFangs();
    EXPECT_EQ(m->x, -96) << a;
  }
  EXPECT_EQ(m->energy, 0);
  EXPECT_EQ(m->flashCountdown, 0);
  EXPECT_EQ(FangsInFlight(), 1);
  EXPECT_EQ(ChipsInPlay(), 1);
  Act(m);  // the twelfth
  EXPECT_EQ(m->x, 16);
  EXPECT_EQ(m->dodgeCountdown, 0);
  LetGo({kfCancel, kfRight});

  // The right side leaves to 688 and comes back to its own x.
  other->loadedFang = 4;
  Hold({kfCancel}, 1);
  Act(other);
  EXPECT_EQ(other->x, 688);
  for (int a = 0; a < 12; ++a) Act(other);
  EXPECT_EQ(other->x, 416);
}

TEST_F(ManPlayerTest, AHitFighterNeitherMovesNorFiresNorDodgesDuringItsFlash) {
  ManPlayer* m = Man(0, 128, 160);
  Man(1, 416, 160);
  m->loadedFang = 1;
  m->flashCountdown = 9;
  Hold({kfRight, kfDecide, kfCancel});
  for (int a = 0; a < 9; ++a) Act(m);
  EXPECT_EQ(m->x, 128);
  EXPECT_EQ(m->loadedFang, 1);
  EXPECT_EQ(FangsInFlight(), 0);
  Act(m);
  EXPECT_EQ(m->x, 144);
  EXPECT_EQ(FangsInFlight(), 1);
}

TEST_F(ManPlayerTest, AHitShakesThePadsServingTheFightersPlayerOnlyWhenTurnedOn) {
  ManPlayer* left = Man(0, 144, 160);
  ManPlayer* right = Man(1, 416, 160);
  platform::headless::SetJoystick(0, true);
  platform::headless::SetJoystick(1, true);
  JoystickPollerP1 = JoystickPoller2;  // joystick 2 plays player 1; player 2 has none
  const auto& rumbles = platform::headless::Rumbles();
  MakeFang(2, 0, 144, 160, -1, 0);
  CheckAllFangs();
  EXPECT_TRUE(rumbles.empty());  // off by default
  PadRumbleOnHit = true;
  MakeFang(2, 0, 144, 160, -1, 0);
  CheckAllFangs();
  ASSERT_EQ(rumbles.size(), 1u);
  EXPECT_EQ(rumbles[0].id, 1);
  EXPECT_GT(rumbles[0].strength, 0u);
  EXPECT_GT(rumbles[0].ms, 0u);
  MakeFang(2, 1, 416, 160, 1, 0);
  CheckAllFangs();
  EXPECT_EQ(rumbles.size(), 1u);
  // The story's hero reads both players: both assigned joysticks shake.
  left->inputSource = piBoth;
  JoystickPollerP2 = JoystickPoller1;
  MakeFang(2, 0, 144, 160, -1, 0);
  CheckAllFangs();
  ASSERT_EQ(rumbles.size(), 3u);
  EXPECT_EQ(rumbles[1].id + rumbles[2].id, 1);
  EXPECT_EQ(right->flashCountdown, 9);
}

TEST_F(ManPlayerTest, NamesBySideAndMode) {
  ManPlayer* left = Man(0, 144, 160);
  ManPlayer* right = Man(1, 416, 160);
  MatchMode = mmStory;
  EXPECT_EQ(left->GetName(), "ブラムコー");
  EXPECT_EQ(right->GetName(), "プレイヤー ２");
  MatchMode = mmVersus;
  EXPECT_EQ(left->GetName(), "プレイヤー １");
  EXPECT_EQ(right->GetName(), "プレイヤー ２");
  EXPECT_EQ(left->characterId, -1);
  EXPECT_EQ(left->inputSource, -1);
}

}  // namespace
