// actors: the computer player: one action, the firing roll and the special characters.
#include "actors/Complayer.h"

#include "actors/CommoveAim.h"
#include "actors/Comparas.h"
#include "actors/Fang.h"
#include "actors/Item.h"
#include "actors/Tip.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "shell/GameMedia.h"
#include "shell/Random.h"

namespace {

constexpr int kTacticalFiring = 999;
constexpr int kSheetFlickerEnd = 576;  // the flicker runs down the sheet to this row
constexpr int kFirstDelayedType = 8;

ComSwitchState g_switch;

PlanFighter Of(const BramkoPlayer& f) {
  PlanFighter p;
  p.x = f.x;
  p.y = f.y;
  p.dx = f.dx;
  p.dy = f.dy;
  p.loadedFang = f.loadedFang;
  p.dodgeCountdown = f.dodgeCountdown;
  p.dodgeSavedX = f.dodgeSavedX;
  p.period = f.period;
  p.framesSinceItem = f.framesSinceItem;
  p.flashCountdown = f.flashCountdown;
  return p;
}

}  // namespace

// Stage 0 is DoraQ's own record (the computer goes back to the record it was given).
const ComTuning kTransformStages[3] = {
    {7, 0, 128 + 5, 0, 0, 4},
    {999, 20, 99, 99, 1, 0},
    {99, 15, 128 + 6, 7, 0, 2},
};
const int kTransformTimetable[3] = {44, 19, -1};
const ComTuning kSwitchPatterns[2] = {
    {999, 35, 40, 16, 0, 2},
    {50, 15, 10, 99, 0, 2},
};

ComSwitchState& SwitchState() { return g_switch; }
void ResetComPlayerRunState() { g_switch = {}; }

ComPlayer::ComPlayer(LField* stage, const platform::Bitmap* sheet, const platform::Bitmap* mask,
                     const platform::Rect& source)
    : BramkoPlayer(stage, sheet, mask, source) {}

ComPlayer::~ComPlayer() = default;

void ComPlayer::ApplyTuning(const ComTuning& t) {
  fireWait = t.fireWait;
  interceptLimit = t.interceptLimit;
  reactPercent = t.reactPercent;
  chipLimit = t.chipLimit;
  fangSet = t.fangSet;
  period = t.period;
}

void ComPlayer::ApplyRecord(const OpponentRecord& record) {
  name = record.name;
  characterId = record.characterId;
  ownTuning_ = {record.fireWait,  record.interceptLimit, record.reactPercent,
                record.chipLimit, record.fangSet,        record.period};
  ApplyTuning(ownTuning_);
  fangPower = 10 * record.power;
  chipValue = record.power;
  if (characterId == kInvisibleCharacter) visible = 0;
}

ComputerState ComPlayer::SaveComputer() const {
  return {fireWait, interceptLimit, reactPercent, chipLimit, rememberedDx, rememberedDy, transformStage, ownTuning_};
}

void ComPlayer::LoadComputer(const ComputerState& s) {
  fireWait = s.fireWait;
  interceptLimit = s.interceptLimit;
  reactPercent = s.reactPercent;
  chipLimit = s.chipLimit;
  rememberedDx = s.rememberedDx;
  rememberedDy = s.rememberedDy;
  transformStage = s.transformStage;
  ownTuning_ = s.ownTuning;
}

void ComPlayer::BackToOwnRow() {
  source.top = normalRect.top;
  source.bottom = normalRect.bottom;
  maskOffsetY = FighterMaskOffsetY(source.top);
}

int ComPlayer::Step() {
  if (characterId == kTransformingCharacter && transformStage == 1) {
    // Every look of the sheet in turn; the mask offset follows so the silhouette stays.
    source.top += 32;
    source.bottom += 32;
    maskOffsetY -= 32;
    if (source.top >= kSheetFlickerEnd) BackToOwnRow();
  }
  return BramkoPlayer::Step();
}

void ComPlayer::ResetRound() {
  transformStage = 0;
  if (characterId == kTransformingCharacter) {
    ApplyTuning(ownTuning_);
    BackToOwnRow();
  }
  if (characterId == kInvisibleCharacter) visible = 0;
  BramkoPlayer::ResetRound();
}

PlanView ComPlayer::Snapshot() const {
  PlanView v;
  v.playerIndex = playerIndex;
  v.self = Of(*this);
  if (const BramkoPlayer* opp = Fighter(1 - playerIndex)) {
    v.opponent = Of(*opp);
  } else {
    v.opponent.x = 144 + 272 * (1 - playerIndex);
    v.opponent.y = 160;
  }
  v.tuning = {fireWait, interceptLimit, reactPercent, chipLimit};
  for (int i = 0; i < FangsInFlight(); ++i) {
    const Fang* f = FangAt(i);
    v.fangs.push_back({f->targetIndex, f->x, f->y, f->lastDx, f->lastDy, f->hBounces, f->vBounces});
  }
  for (int i = 0; i < ItemsInPlay(); ++i) {
    const Item* it = ItemAt(i);
    v.items.push_back({it->x, it->y, it->lastDx, it->lastDy});
  }
  for (int i = 0; i < ChipsInPlay(); ++i) {
    const Tip* c = ChipAt(i);
    v.chips.push_back({c->owner, c->x, c->y, c->dx});
  }
  return v;
}

void ComPlayer::DecideFire(const PlanView& view) {
  if (loadedFang == -1) return;
  const int a = view.self.col() - view.opponent.col();
  const int b = view.self.row() - view.opponent.row();
  // The snake charmer waits out a normal fang but lets a delayed one go at once.
  if (characterId == kSnakeCharacter) fireWait = loadedFang < kFirstDelayedType ? 50 : 1;
  int w;
  if (fireWait == kTacticalFiring) {
    w = TacticalWait(view, FangsInFlight(), fireUrgency);
    if (fireUrgency > 0) --fireUrgency;
  } else {
    w = WaitDivisor(a, b, fireWait, loadedFang);
    if (fireUrgency > 0) {
      w = 1;
      fireUrgency = 0;
    }
  }
  // An item is coming: shoot now, so that it can load the next fang.
  for (const PlanItem& item : view.items) {
    int x = (view.self.col() - item.col()) * item.lastDx, y = (view.self.row() - item.row()) * item.lastDy;
    if (x >= 0 && x <= 5 && y >= 0 && y <= 5 && fireWait >= 50) {
      w = 1;
      fireUrgency = 10;
    }
  }
  if (RandomDraw() % w == 0) FireFang(*this);
}

int ComPlayer::Move() {
  if (HitFlash()) return 0;
  if (characterId == kTransformingCharacter && transformStage < 2 &&
      kTransformTimetable[transformStage] == RoundClock) {
    ++transformStage;
    ApplyTuning(kTransformStages[transformStage]);
    BackToOwnRow();
    PlaySound(transformStage == 1 ? "hensin" : "hensin2");
  }
  ++g_switch.counter;
  if (characterId == kSwitchingCharacter && RandomDraw() % 20 < g_switch.counter - 20) {
    g_switch.counter = 0;
    g_switch.pattern ^= 1;
    ApplyTuning(kSwitchPatterns[g_switch.pattern]);
  }

  const PlanView view = Snapshot();
  PlanState plan{dx, dy, rememberedDx, rememberedDy};
  PlanMove(view, plan, newEventFlag);
  dx = plan.dx;
  dy = plan.dy;
  DecideFire(view);
  if (dx != 0) dy = 0;
  rememberedDx = dx;
  rememberedDy = dy;
  x += 16 * dx;
  y += 16 * dy;
  return 0;
}
