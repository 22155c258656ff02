// actors: the chip list, the chip pick-up and the round loop's chip roll.
#include "actors/Tip.h"

#include "actors/Bramkoplayer.h"
#include "actors/SpriteList.h"
#include "field/Fieldxchip.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "actors/BattlePanel.h"
#include "shell/GameMedia.h"
#include "shell/Random.h"

namespace {

SpriteList<Tip>& ChipList() {
  static SpriteList<Tip> list;  // lives for the whole run
  return list;
}

int chipOwner = 0;  // toggled before each new chip: the first one of a run is fighter 1's

// The fighter at (fx, fy) touches a chip at (cx, cy): a box 17 pixels wide and high from the
// fighter's corner, so the two halves never reach the same chip.
bool Touches(int fx, int fy, int cx, int cy) { return fx <= cx && cx <= fx + 16 && fy <= cy && cy <= fy + 16; }

}  // namespace

Tip::Tip(LField* stage, const platform::Bitmap* sheet, const platform::Bitmap* mask, const platform::Rect& source)
    : BramkoChar(stage, sheet, mask, source) {
  animateFlag = 0;
  period = 4;
  ChipList().Add(this);
}

void Tip::Release() {
  ChipList().Remove(this);
  BramkoChar::Release();
}

Tip::~Tip() { ChipList().Remove(this); }

int Tip::Move() {
  x += dx * 16;
  if (x < 0 || x >= 592) {
    Release();
    return -1;
  }
  return 0;
}

platform::Rect ChipPicture(int playerIndex, int characterId) {
  const int left = characterId == -1 ? 256 + 288 * (playerIndex & 1) : 272 + 16 * characterId;
  return {left, 0, left + 16, 16};
}

int ChipsInPlay() { return ChipList().Count(); }

Tip* ChipAt(int index) { return ChipList().At(index); }

void CheckAllChips() {
  ChipList().ForEach([](Tip* chip) {
    for (int i = 0; i < 2; ++i) {
      BramkoPlayer* f = Fighter(i);
      if (!f || !Touches(f->x, f->y, chip->x, chip->y)) continue;
      if (chip->owner == f->playerIndex) {
        f->TakeOwnChip();
        if (BattleCanvas) PaintScore(i, *BattleCanvas);
        PlaySound("GetTip");
      } else {
        f->TakeOpponentChip();
        PlaySound("MissTip");
      }
      if (BattleCanvas) PaintGauge(*BattleCanvas);
      return SpriteList<Tip>::Release;
    }
    return SpriteList<Tip>::Keep;
  });
}

void ClearAllChips() { ChipList().ReleaseAll(); }

void SpawnChip() {
  if (ChipsInPlay() >= kChipLimit || !Arena) return;
  if ((RandomDraw() & 31) >= 18) return;
  chipOwner ^= 1;
  const int side = RandomDraw() & 1;
  const BramkoPlayer* owner = Fighter(chipOwner);
  Tip* chip = new Tip(Arena, &SpriteSheet, &SpriteMask, ChipPicture(chipOwner, owner ? owner->characterId : -1));
  chip->owner = chipOwner;
  chip->x = 592 * side;
  chip->y = 16 * (RandomDraw() % 20);
  chip->dx = 1 - 2 * side;
  chip->Refresh();
}

void ResetChipOwner() { chipOwner = 0; }
int ChipOwner() { return chipOwner; }
void SetChipOwner(int owner) { chipOwner = owner & 1; }
