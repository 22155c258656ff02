// Test kit of the actors suite: the headless platform, the world's sprite sheets, an arena
// with map 1 on a battle canvas of our own, and helpers to place fighters and fangs.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <ostream>
#include <string>
#include <vector>

#include "actors/Bramkoplayer.h"
#include "actors/Fang.h"
#include "actors/Item.h"
#include "actors/Manplayer.h"
#include "actors/Tip.h"
#include "field/Fieldxchip.h"
#include "platform/Pictures.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessControl.h"
#include "settings/SettingsFile.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"
#include "shell/Random.h"
#include "support/Headless.h"

namespace platform {
inline bool operator==(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
}  // namespace platform

inline bool operator==(const LPoint& a, const LPoint& b) { return a.x == b.x && a.y == b.y; }
inline void PrintTo(const LPoint& p, std::ostream* os) { *os << "(" << p.x << "," << p.y << ")"; }

// A fighter whose action is only the hit flash and a count of the actions it had free.
class TestFighter : public BramkoPlayer {
 public:
  TestFighter(LField* stage, const platform::Rect& source) : BramkoPlayer(stage, &SpriteSheet, &SpriteMask, source) {}
  int Move() override {
    if (HitFlash()) return 0;
    ++freeActions;
    return 0;
  }
  std::string GetName() override { return "test"; }
  int freeActions = 0;
};

inline platform::Rect Frame(int top) { return {0, top, 32, top + 32}; }

class ActorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_ = std::make_unique<testing_support::HeadlessPlatform>();
    ResetGameInputState();
    LoadKeyLists("", true);
    battle_.SetSize(640, 480);
    BattleCanvas = &battle_.GetCanvas();
    ASSERT_TRUE(platform::LoadPicture("char2", SpriteSheet));
    ASSERT_TRUE(platform::LoadPicture("mask2", SpriteMask));
    for (auto& tile : GaugeTiles) tile.SetSize(8, 8);
    arena_ = new LFieldXChip(*BattleCanvas, 16);
    ASSERT_EQ(arena_->LoadMap(std::string(BRAMKO_RUNTIME_DIR) + "/map1.txt"), 0);
    arena_->SetOrigin(24, 136);
    Arena = arena_;
    RoundOver = 0;
    newEventFlag = 0;
    MatchMode = mmStory;
    CurrentSound.clear();
    SeedRandom(12345);
  }

  void TearDown() override {
    ClearAllFangs();
    ClearAllItems();
    ClearAllChips();
    for (auto& f : Fighters) {
      BramkoChar* c = f;
      ReleaseSprite(c);
      f = nullptr;
    }
    Arena = nullptr;
    delete arena_;
    BattleCanvas = nullptr;
    SpriteSheet = platform::Bitmap();
    SpriteMask = platform::Bitmap();
    ResetChipOwner();
    ResetGameInputState();
    platform_.reset();
  }

  // Puts a fighter on side i at (x, y), as the match does.
  template <class T>
  T* Place(T* fighter, int side, int x, int y) {
    fighter->playerIndex = side;
    Fighters[side] = fighter;
    fighter->MoveTo(x, y);
    return fighter;
  }
  TestFighter* PlaceTest(int side, int x, int y, int top = -1) {
    return Place(new TestFighter(arena_, Frame(top >= 0 ? top : 576 * side)), side, x, y);
  }

  // A fang on the arena flying program `type` at fighter `target`, first direction (ldx, ldy).
  Fang* MakeFang(int type, int target, int x, int y, int ldx, int ldy) {
    Fang* f = new Fang(arena_, &SpriteSheet, &SpriteMask, {64, 0, 96, 32});
    f->SetProgram(FangProgramTable[type]);
    f->targetIndex = target;
    f->lastDx = ldx;
    f->lastDy = ldy;
    f->x = x;
    f->y = y;
    return f;
  }

  // Runs up to n actions of a fang; returns the number of the action that destroyed it
  // (1-based), or 0 if it is still flying. Every position after an action goes to path.
  static int Fly(Fang* f, int n, std::vector<LPoint>* path = nullptr) {
    for (int i = 1; i <= n; ++i) {
      if (f->Move() != 0) return i;  // released: f is gone
      if (path) path->push_back(f->GetPosition());
    }
    return 0;
  }

  // Presses (or lets go of) the first default key of a key function (TKeyFunction) of key
  // slot 0 or 1 from now on.
  static void Press(int function, bool down = true, int slot = 0) {
    platform::headless::ScriptEvent e;
    e.ms = platform::headless::Now();
    e.kind = down ? "down" : "up";
    e.vk = KeyTable::DefaultKeys(slot, function).front();
    platform::headless::Inject(e);
    platform::SleepMs(1);  // let the backend apply it
  }

  LFieldXChip* arena_ = nullptr;
  platform::Bitmap battle_;

 private:
  std::unique_ptr<testing_support::HeadlessPlatform> platform_;
};
