// actors: fighter set-up, the per-round reset, the hit flash and the energy and score
// bookkeeping; the world's accessors of the two fighters.
#include "actors/Bramkoplayer.h"

#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"

namespace {
platform::Rect Shifted(const platform::Rect& r, int dx) { return {r.left + dx, r.top, r.right + dx, r.bottom}; }
}  // namespace

BramkoPlayer::BramkoPlayer(LField* stage, const platform::Bitmap* sheet, const platform::Bitmap* mask,
                           const platform::Rect& source)
    : BramkoChar(stage, sheet, mask, source), normalRect(source), hitRect(Shifted(source, 128)) {
  period = 2;
  maskOffsetY = FighterMaskOffsetY(source.top);
  // The derived kinds are not built yet: this is the common reset only.
  BramkoPlayer::ResetRound();
}

BramkoPlayer::~BramkoPlayer() {
  // A fighter that goes while it is still one of the match's two leaves the world's slot.
  for (auto& f : Fighters)
    if (f == this) f = nullptr;
}

void BramkoPlayer::ResetRound() {
  dodgeCountdown = 0;
  dodgeSavedX = 0;
  flashCountdown = 0;
  freshFlash = 1;
  itemsTaken = 0;
  chipCount = 0;
  fangHits = 0;
  energy = 0;
  loadedFang = -1;
  framesSinceItem = 0;
  baseRect = normalRect;
  source = normalRect;
}

bool BramkoPlayer::HitFlash() {
  if (flashCountdown == 0) return false;
  if (freshFlash) {
    freshFlash = 0;
    baseRect = hitRect;
    visible = 1;
  }
  if (--flashCountdown == 0) {
    freshFlash = 1;
    baseRect = normalRect;
    if (characterId == kInvisibleCharacter) visible = 0;
  }
  return true;
}

void BramkoPlayer::TakeFangHit(BramkoPlayer& shooter) {
  shooter.score += 50;
  energy -= shooter.fangPower;
  shooter.fangHits += 1;
  flashCountdown = kHitFlashActions;
}

void BramkoPlayer::TakeOwnChip() {
  chipCount += 1;
  energy += chipValue;
  score += 5;
}

void BramkoPlayer::TakeOpponentChip() {
  chipCount -= 1;
  energy -= chipValue;
}

void BramkoPlayer::TakeItem(int fangType) {
  loadedFang = fangType;
  itemsTaken += 1;
  score += 30;
  framesSinceItem = 0;
}

FighterState BramkoPlayer::SaveFighter() const {
  return {
      playerIndex, characterId, fangSet,        loadedFang, score,      framesSinceItem, energy,         fangPower,
      chipValue,   fangHits,    flashCountdown, roundsWon,  itemsTaken, chipCount,       dodgeCountdown, dodgeSavedX,
      normalRect,  hitRect,     freshFlash,     dx,         dy};
}

void BramkoPlayer::LoadFighter(const FighterState& s) {
  playerIndex = s.playerIndex;
  characterId = s.characterId;
  fangSet = s.fangSet;
  loadedFang = s.loadedFang;
  score = s.score;
  framesSinceItem = s.framesSinceItem;
  energy = s.energy;
  fangPower = s.fangPower;
  chipValue = s.chipValue;
  fangHits = s.fangHits;
  flashCountdown = s.flashCountdown;
  roundsWon = s.roundsWon;
  itemsTaken = s.itemsTaken;
  chipCount = s.chipCount;
  dodgeCountdown = s.dodgeCountdown;
  dodgeSavedX = s.dodgeSavedX;
  normalRect = s.normalRect;
  hitRect = s.hitRect;
  freshFlash = static_cast<unsigned char>(s.freshFlash);
  dx = s.dx;
  dy = s.dy;
}

BramkoPlayer* Fighter(int index) {
  if (index < 0 || index > 1) return nullptr;
  return static_cast<BramkoPlayer*>(Fighters[index]);
}

int FighterX(int index) {
  const BramkoPlayer* f = Fighter(index);
  return f ? f->x : 0;
}

int FighterY(int index) {
  const BramkoPlayer* f = Fighter(index);
  return f ? f->y : 0;
}
