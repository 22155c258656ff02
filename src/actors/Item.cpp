// actors: the item list, the item pick-up and the round loop's item roll.
#include "actors/Item.h"

#include <cstdlib>

#include "actors/Bramkoplayer.h"
#include "actors/Fang.h"
#include "actors/SpriteList.h"
#include "field/Fieldxchip.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "actors/BattlePanel.h"
#include "shell/GameMedia.h"
#include "shell/Random.h"

namespace {

SpriteList<Item>& ItemList() {
  static SpriteList<Item> list;  // lives for the whole run
  return list;
}

// The snake charmer's items load the delayed version of the drawn fang, 3 times in 4.
constexpr int kDelayedFangCharacter = 16;
constexpr int kDelayedFangShift = 7;

void GiveItem(BramkoPlayer& fighter, int index) {
  const int set = fighter.fangSet >= 0 && fighter.fangSet < kFangSets ? fighter.fangSet : 0;
  int type = FangSetTable[set][RandomDraw() % 4];
  // Its own draw: whether the fang is delayed does not depend on which type came up.
  if (fighter.characterId == kDelayedFangCharacter && RandomDraw() % 4 != 0) type += kDelayedFangShift;
  newEventFlag = 1;
  fighter.TakeItem(type);
  if (BattleCanvas) {
    PaintScore(index, *BattleCanvas);
    PaintFangIcon(index, *BattleCanvas);
  }
  PlaySound("GetItem");
}

}  // namespace

Item::Item(LField* stage, const platform::Bitmap* sheet, const platform::Bitmap* mask, const platform::Rect& source)
    : MacroMove(stage, sheet, mask, source) {
  SetProgram(FangProgramTable[0]);
  ItemList().Add(this);
}

void Item::Release() {
  ItemList().Remove(this);
  MacroMove::Release();
}

Item::~Item() { ItemList().Remove(this); }

int ItemsInPlay() { return ItemList().Count(); }

Item* ItemAt(int index) { return ItemList().At(index); }

void CheckAllItems() {
  ItemList().ForEach([](Item* item) {
    for (int i = 0; i < 2; ++i) {
      BramkoPlayer* f = Fighter(i);
      if (!f || std::abs(f->x - item->x) >= 32 || std::abs(f->y - item->y) >= 32) continue;
      GiveItem(*f, i);
      return SpriteList<Item>::Release;  // taken: nobody else can have it
    }
    return SpriteList<Item>::Keep;
  });
}

void ClearAllItems() { ItemList().ReleaseAll(); }

void SpawnItem() {
  const int inPlay = ItemsInPlay();
  if (inPlay >= kItemLimit || !Arena) return;
  const int limit = 6 / (inPlay + 1);
  if (RandomDraw() % 1023 >= limit) return;
  Item* item = new Item(Arena, &SpriteSheet, &SpriteMask, kItemPicture);
  item->lastDx = 1 - 2 * ((RandomDraw() % 511) & 1);
  item->lastDy = 1 - 2 * ((RandomDraw() % 511) & 1);
  item->x = 560 * ((RandomDraw() % 511) & 1);
  item->y = 16 * ((RandomDraw() % 511) % 18);
  item->Refresh();
}
