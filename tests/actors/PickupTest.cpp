// Items and chips: their pick-up boxes, what taking one does, the spawns and the limits.
#include "ActorKit.h"

namespace {

using PickupTest = ActorTest;

Item* MakeItem(LField* stage, int x, int y) {
  Item* item = new Item(stage, &SpriteSheet, &SpriteMask, kItemPicture);
  item->x = x;
  item->y = y;
  return item;
}

Tip* MakeChip(LField* stage, int owner, int x, int y, int dx = 1) {
  Tip* chip = new Tip(stage, &SpriteSheet, &SpriteMask, ChipPicture(owner, -1));
  chip->owner = owner;
  chip->x = x;
  chip->y = y;
  chip->dx = dx;
  return chip;
}

TEST_F(PickupTest, ItemsAreTakenWithinThirtyOnePixelsAndFighterZeroFirst) {
  TestFighter* left = PlaceTest(0, 144, 160);
  struct Spot {
    int x, y;
    bool taken;
  } spots[] = {{176, 160, false}, {175, 160, true}, {112, 160, false}, {113, 160, true},
               {144, 128, false}, {144, 129, true}, {144, 192, false}, {144, 191, true}};
  for (const auto& s : spots) {
    MakeItem(arena_, s.x, s.y);
    CheckAllItems();
    EXPECT_EQ(ItemsInPlay(), s.taken ? 0 : 1) << s.x << "," << s.y;
    ClearAllItems();
  }
  EXPECT_EQ(left->itemsTaken, 4);

  // Between the halves one item can touch both fighters: the left one gets it.
  left->MoveTo(256, 160);
  TestFighter* right = PlaceTest(1, 304, 160);
  MakeItem(arena_, 280, 160);
  CheckAllItems();
  EXPECT_EQ(left->itemsTaken, 5);
  EXPECT_EQ(right->itemsTaken, 0);
  EXPECT_EQ(ItemsInPlay(), 0);
}

TEST_F(PickupTest, TakingAnItemLoadsAFangOfTheSetAndReplacesTheOldOne) {
  TestFighter* f = PlaceTest(0, 144, 160);
  const std::set<int> sets[3] = {{1, 2, 3, 4}, {3, 4, 5, 6}, {3, 4, 7}};
  for (int set = 0; set < 3; ++set) {
    f->fangSet = set;
    std::set<int> seen;
    for (int i = 0; i < 200; ++i) {
      f->loadedFang = 9;  // whatever was loaded goes
      f->framesSinceItem = 50;
      newEventFlag = 0;
      MakeItem(arena_, 150, 150);
      CheckAllItems();
      seen.insert(f->loadedFang);
      EXPECT_EQ(f->framesSinceItem, 0);
      EXPECT_EQ(newEventFlag, 1);
    }
    EXPECT_EQ(seen, sets[set]) << set;
  }
  EXPECT_EQ(f->itemsTaken, 600);
  EXPECT_EQ(f->score, 600 * 30);
  EXPECT_EQ(CurrentSound, "GetItem");
}

TEST_F(PickupTest, TheSnakeCharmerGetsDelayedFangsThreeTimesInFour) {
  TestFighter* f = PlaceTest(1, 416, 160, 32 * 17);
  f->characterId = 16;
  std::map<int, int> count;
  const int n = 4000;
  for (int i = 0; i < n; ++i) {
    MakeItem(arena_, 416, 160);
    CheckAllItems();
    ++count[f->loadedFang];
  }
  int delayed = 0;
  for (auto [type, k] : count) {
    EXPECT_TRUE((type >= 1 && type <= 4) || (type >= 8 && type <= 11)) << type;
    if (type >= 8) delayed += k;
  }
  for (int type : {1, 2, 3, 4, 8, 9, 10, 11}) EXPECT_GT(count[type], 0) << type;
  EXPECT_NEAR(static_cast<double>(delayed) / n, 0.75, 0.04);
  // Type 1 is drawn like the others: its delayed twin 8 is as common as 9, 10 and 11.
  EXPECT_NEAR(count[8], count[9], n / 20);
}

TEST_F(PickupTest, ChipBoxIsAsymmetricSoOnlyOneSideCanReachAChip) {
  TestFighter* left = PlaceTest(0, 256, 160);
  TestFighter* right = PlaceTest(1, 304, 160);
  struct Spot {
    int x, y;
    int taker;  // -1 nobody
  } spots[] = {{272, 160, 0},  {273, 160, -1}, {255, 160, -1}, {256, 176, 0},  {256, 177, -1}, {256, 159, -1},
               {303, 160, -1}, {304, 160, 1},  {320, 160, 1},  {321, 160, -1}, {288, 168, -1}};
  for (const auto& s : spots) {
    const int before[2] = {left->chipCount, right->chipCount};
    MakeChip(arena_, 0, s.x, s.y);
    CheckAllChips();
    EXPECT_EQ(ChipsInPlay(), s.taker == -1 ? 1 : 0) << s.x << "," << s.y;
    EXPECT_EQ(left->chipCount != before[0], s.taker == 0) << s.x << "," << s.y;
    EXPECT_EQ(right->chipCount != before[1], s.taker == 1) << s.x << "," << s.y;
    ClearAllChips();
  }
}

TEST_F(PickupTest, OwnChipsGiveAndTheOpponentsTake) {
  TestFighter* left = PlaceTest(0, 144, 160);
  TestFighter* right = PlaceTest(1, 416, 160);
  left->chipValue = 18;
  MakeChip(arena_, 0, 144, 160);
  MakeChip(arena_, 1, 150, 170);
  MakeChip(arena_, 0, 420, 160);
  CheckAllChips();
  EXPECT_EQ(left->energy, 0);  // +18 - 18
  EXPECT_EQ(left->chipCount, 0);
  EXPECT_EQ(left->score, 5);
  EXPECT_EQ(right->energy, -16);
  EXPECT_EQ(right->chipCount, -1);
  EXPECT_EQ(right->score, 0);
  EXPECT_EQ(CurrentSound, "MissTip");
  EXPECT_EQ(ChipsInPlay(), 0);
  MakeChip(arena_, 1, 416, 160);
  CheckAllChips();
  EXPECT_EQ(right->energy, 0);
  EXPECT_EQ(CurrentSound, "GetTip");
}

TEST_F(PickupTest, ChipsCrossTheWholeArenaOnTheirBeat) {
  Tip* fromRight = MakeChip(arena_, 1, 592, 32, -1);
  fromRight->Step();
  EXPECT_EQ(fromRight->x, 592);
  fromRight->Step();  // first action, second frame
  EXPECT_EQ(fromRight->x, 576);
  for (int f = 0; f < 5; ++f) fromRight->Step();
  EXPECT_EQ(fromRight->x, 560);                      // every fifth frame
  EXPECT_EQ(fromRight->source, ChipPicture(1, -1));  // no animation

  Tip* fromLeft = MakeChip(arena_, 0, 0, 48, 1);
  int actions = 0;
  while (ChipsInPlay() == 2 && actions < 100)
    if (fromLeft->Step() == 0) ++actions;
  EXPECT_EQ(actions, 36);  // the 37th action would reach 592: it is gone
  EXPECT_EQ(ChipsInPlay(), 1);
  EXPECT_EQ(ChipAt(0), fromRight);
}

TEST_F(PickupTest, SpawnsKeepToTheEdgesAndToFiveOfEach) {
  TestFighter* left = PlaceTest(0, 144, 160);
  TestFighter* right = PlaceTest(1, 416, 160, 32 * 8);
  right->characterId = 7;
  int maxItems = 0, maxChips = 0;
  std::vector<int> owners;
  for (int frame = 0; frame < 20000; ++frame) {
    const int items = ItemsInPlay(), chips = ChipsInPlay();
    SpawnItem();
    if (frame % 5 == 0) SpawnChip();
    if (ItemsInPlay() > items) {
      Item* it = ItemAt(ItemsInPlay() - 1);
      EXPECT_TRUE(it->x == 0 || it->x == 560);
      EXPECT_TRUE(it->y % 16 == 0 && it->y >= 0 && it->y <= 272);
      EXPECT_TRUE(it->lastDx == 1 || it->lastDx == -1);
      EXPECT_TRUE(it->lastDy == 1 || it->lastDy == -1);
      EXPECT_EQ(it->source, kItemPicture);
      EXPECT_EQ(it->maskOffsetY, 0);
    }
    if (ChipsInPlay() > chips) {
      Tip* c = ChipAt(ChipsInPlay() - 1);
      owners.push_back(c->owner);
      EXPECT_EQ(c->dx, c->x == 0 ? 1 : -1);
      EXPECT_TRUE(c->x == 0 || c->x == 592);
      EXPECT_TRUE(c->y % 16 == 0 && c->y >= 0 && c->y < 320);
      EXPECT_EQ(c->source.left, c->owner == 0 ? 256 : 384);
    }
    maxItems = std::max(maxItems, ItemsInPlay());
    maxChips = std::max(maxChips, ChipsInPlay());
    if (frame % 4000 == 3999) {
      ClearAllItems();
      ClearAllChips();
    }
  }
  EXPECT_EQ(maxItems, kItemLimit);
  EXPECT_EQ(maxChips, kChipLimit);
  ASSERT_GE(owners.size(), 4u);
  for (size_t i = 0; i < owners.size(); ++i) EXPECT_EQ(owners[i], i % 2 == 0 ? 1 : 0);
  EXPECT_EQ(left->itemsTaken, 0);
}

}  // namespace
