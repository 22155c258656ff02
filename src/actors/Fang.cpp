// actors: fang sets, firing, the list of fangs in flight and the hit test.
#include "actors/Fang.h"

#include "actors/Bramkoplayer.h"
#include "actors/Manplayer.h"
#include "actors/SpriteList.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "actors/BattlePanel.h"
#include "shell/GameMedia.h"
#include "shell/PadRumble.h"

const int FangSetTable[kFangSets][4] = {
    {1, 2, 3, 4},
    {5, 4, 3, 6},
    {4, 4, 3, 7},
};

namespace {

SpriteList<Fang>& FangList() {
  static SpriteList<Fang> list;  // lives for the whole run
  return list;
}

// The muscle king's fangs ring differently.
constexpr int kGanCharacter = 13;

}  // namespace

Fang::Fang(LField* stage, const platform::Bitmap* sheet, const platform::Bitmap* mask, const platform::Rect& source)
    : MacroMove(stage, sheet, mask, source) {
  FangList().Add(this);
}

void Fang::Release() {
  FangList().Remove(this);
  MacroMove::Release();
}

Fang::~Fang() { FangList().Remove(this); }

Fang* FireFang(BramkoPlayer& shooter) {
  const int type = shooter.loadedFang;
  if (type < 0 || type >= kFangProgramCount) return nullptr;
  const BramkoPlayer* target = Fighter(1 - (shooter.playerIndex & 1));
  const platform::Rect& n = shooter.normalRect;
  const platform::Rect source{n.left + 64, n.top, n.right + 64, n.bottom};

  newEventFlag = 1;
  Fang* fang = new Fang(shooter.field, shooter.image, shooter.mask, source);
  fang->maskOffsetY = FighterMaskOffsetY(source.top);
  fang->targetIndex = 1 - (shooter.playerIndex & 1);
  fang->lastDx = target ? BramkoChar::Sign(target->x - shooter.x) : 0;
  fang->lastDy = target ? BramkoChar::Sign(target->y - shooter.y) : 0;
  fang->x = shooter.x + 32 * fang->lastDx;
  fang->y = shooter.y;
  fang->Refresh();
  fang->SetProgram(FangProgramTable[type]);

  shooter.loadedFang = -1;
  if (BattleCanvas) PaintFangIcon(shooter.playerIndex, *BattleCanvas);
  return fang;
}

int FangsInFlight() { return FangList().Count(); }

Fang* FangAt(int index) { return FangList().At(index); }

void CheckAllFangs() {
  FangList().ForEach([](Fang* fang) {
    BramkoPlayer* target = Fighter(fang->targetIndex);
    BramkoPlayer* shooter = Fighter(1 - fang->targetIndex);
    if (!target || !shooter) return SpriteList<Fang>::Keep;
    const bool inside =
        target->x - 32 < fang->x && fang->x < target->x + 32 && target->y - 32 < fang->y && fang->y < target->y + 32;
    if (!inside) return SpriteList<Fang>::Keep;
    target->TakeFangHit(*shooter);
    if (const auto* person = dynamic_cast<const ManPlayer*>(target)) PulsePlayerPads(person->InputPlayer());
    if (BattleCanvas) {
      PaintScore(1 - fang->targetIndex, *BattleCanvas);
      PaintGauge(*BattleCanvas);
    }
    PlaySound(shooter->characterId == kGanCharacter ? "Gan" : "FangHit");
    return SpriteList<Fang>::Release;
  });
}

void ClearAllFangs() { FangList().ReleaseAll(); }
