// The ordered sprite lists: passes that survive releases, and a long battle-like soak in
// which fangs, items and chips release themselves while everything else goes on (run it
// under the sanitizers: a released sprite touched again is reported there).
#include "ActorKit.h"
#include "actors/SpriteList.h"

namespace {

struct Node {
  SpriteList<Node>* list;
  int id;
  Node(SpriteList<Node>* l, int i) : list(l), id(i) { list->Add(this); }
  void Release() {
    list->Remove(this);
    delete this;
  }
};

TEST(SpriteListPass, ReleasesDuringAPassSkipOnlyTheReleased) {
  SpriteList<Node> list;
  Node* n[6];
  for (int i = 0; i < 6; ++i) n[i] = new Node(&list, i);
  std::vector<int> visited;
  list.ForEach([&](Node* node) {
    visited.push_back(node->id);
    if (node->id == 1) n[2]->Release();     // someone else releases the next one
    if (node->id == 3) n[0]->Release();     // and one already visited
    if (node->id == 4) new Node(&list, 9);  // added now: left for the next pass
    return node->id == 4 ? SpriteList<Node>::Release : SpriteList<Node>::Keep;
  });
  EXPECT_EQ(visited, (std::vector<int>{0, 1, 3, 4, 5}));
  std::vector<int> left;
  for (int i = 0; i < list.Count(); ++i) left.push_back(list.At(i)->id);
  EXPECT_EQ(left, (std::vector<int>{1, 3, 5, 9}));
  EXPECT_EQ(list.At(4), nullptr);
  EXPECT_EQ(list.At(-1), nullptr);

  // A pass inside a pass: releases in the inner one are seen by the outer one.
  visited.clear();
  list.ForEach([&](Node* node) {
    visited.push_back(node->id);
    if (node->id == 1)
      list.ForEach([](Node* inner) { return inner->id == 5 ? SpriteList<Node>::Release : SpriteList<Node>::Keep; });
    return SpriteList<Node>::Keep;
  });
  EXPECT_EQ(visited, (std::vector<int>{1, 3, 9}));
  list.ReleaseAll();
  EXPECT_EQ(list.Count(), 0);
}

// A fighter that wanders, fires often and sometimes dodges off the arena.
class Wanderer : public BramkoPlayer {
 public:
  Wanderer(LField* stage, int side, int p) : BramkoPlayer(stage, &SpriteSheet, &SpriteMask, Frame(576 * side)) {
    period = p;
  }
  int Move() override {
    if (HitFlash()) return 0;
    if (dodgeCountdown > 0) {
      if (--dodgeCountdown == 0) x = dodgeSavedX;
      return 0;
    }
    const int r = RandomDraw();
    // Items are rare; this fighter also finds fangs lying about, to keep the arena busy.
    if (loadedFang == -1 && (r >> 7) % 8 == 0) loadedFang = FangSetTable[fangSet][(r >> 10) & 3];
    dx = dy = 0;
    switch (r & 3) {
      case 0: dx = x >= 304 * playerIndex + 16 ? -1 : 0; break;
      case 1: dx = x <= 304 * playerIndex + 240 ? 1 : 0; break;
      case 2: dy = y >= 16 ? -1 : 0; break;
      default: dy = y <= 272 ? 1 : 0; break;
    }
    x += 16 * dx;
    y += 16 * dy;
    if (loadedFang != -1 && (r >> 2) % 3 == 0) FireFang(*this);
    if (loadedFang != -1 && (r >> 4) % 9 == 0) {
      loadedFang = -1;
      dodgeSavedX = x;
      dodgeCountdown = 12;
      x = playerIndex ? 688 : -96;
    }
    return 0;
  }
  std::string GetName() override { return "wanderer"; }
};

using SoakTest = ActorTest;

TEST_F(SoakTest, ABattleOfManyRoundsKeepsListsArenaAndScoresConsistent) {
  Wanderer* a = Place(new Wanderer(arena_, 0, 2), 0, 144, 160);
  Wanderer* b = Place(new Wanderer(arena_, 1, 0), 1, 416, 160);
  b->characterId = 16;
  b->fangSet = 2;
  SeedRandom(77);
  int fired = 0, maxFangs = 0, chipCountdown = 1;
  long hits = 0;
  for (int frame = 0; frame < 8000; ++frame) {
    if (frame % 2000 == 0) {  // a new round
      ClearAllItems();
      ClearAllFangs();
      ClearAllChips();
      for (Wanderer* w : {a, b}) {
        hits += w->fangHits;
        w->MoveTo(144 + 272 * w->playerIndex, 160);
        w->ResetRound();
      }
      RoundOver = 0;
    }
    const int before = FangsInFlight();
    arena_->StepAll();
    fired += std::max(0, FangsInFlight() - before);
    SpawnItem();
    if (chipCountdown-- == 0) {
      chipCountdown = ChipSpawnInterval;
      SpawnChip();
    }
    CheckAllChips();
    CheckAllItems();
    CheckAllFangs();
    RoundOver = 0;  // keep the gauge deciding on every hit

    ASSERT_LE(ItemsInPlay(), kItemLimit);
    ASSERT_LE(ChipsInPlay(), kChipLimit);
    ASSERT_EQ(arena_->GetSpriteCount(), 2 + FangsInFlight() + ItemsInPlay() + ChipsInPlay()) << frame;
    maxFangs = std::max(maxFangs, FangsInFlight());
    for (int i = 0; i < FangsInFlight(); ++i) {
      const Fang* f = FangAt(i);
      ASSERT_TRUE(f->x >= 0 && f->x <= 560 && f->y >= 0 && f->y <= 288) << frame;
    }
    for (int i = 0; i < ChipsInPlay(); ++i)
      ASSERT_TRUE(ChipAt(i)->x >= 0 && ChipAt(i)->x <= 592);  // 592: just come in from the right
  }
  hits += a->fangHits + b->fangHits;
  EXPECT_GT(fired, 300);
  EXPECT_GT(hits, 30);
  EXPECT_GT(maxFangs, 1);
  EXPECT_EQ(a->score % 5, 0);
  EXPECT_GT(a->score, 0);
  EXPECT_GT(b->score, 0);
}

}  // namespace
