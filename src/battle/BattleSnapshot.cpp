// battle: saving and restoring the battle's state, and its checksums by part.
#include "battle/BattleSnapshot.h"

#include <string_view>
#include <type_traits>

#include "actors/Fang.h"
#include "actors/Item.h"
#include "actors/Manplayer.h"
#include "battle/ReplayFormat.h"
#include "field/Fieldxchip.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "actors/BattlePanel.h"
#include "shell/Random.h"

namespace {

// The records hash and compare as their bytes: none may hold padding.
static_assert(std::has_unique_object_representations_v<BattleWorld>);
static_assert(std::has_unique_object_representations_v<FighterRecord>);
static_assert(std::has_unique_object_representations_v<SpriteRecord>);

template <class T>
uint32_t HashBytes(const T& value, uint32_t hash) {
  return Fnv1a({reinterpret_cast<const char*>(&value), sizeof value}, hash);
}

FighterRecord SaveFighterRecord(const BramkoPlayer& f) {
  FighterRecord r;
  r.sprite = f.SaveSprite();
  r.beat = f.SaveBeat();
  r.fighter = f.SaveFighter();
  if (const auto* person = dynamic_cast<const ManPlayer*>(&f)) r.inputSource = person->SavePerson();
  if (const auto* computer = dynamic_cast<const ComPlayer*>(&f)) r.computer = computer->SaveComputer();
  return r;
}

void LoadFighterRecord(BramkoPlayer& f, const FighterRecord& r) {
  f.LoadSprite(r.sprite);
  f.LoadBeat(r.beat);
  f.LoadFighter(r.fighter);
  if (auto* person = dynamic_cast<ManPlayer*>(&f)) person->LoadPerson(r.inputSource);
  if (auto* computer = dynamic_cast<ComPlayer*>(&f)) computer->LoadComputer(r.computer);
}

// The record of a fang, item or chip; false for any other sprite.
bool SaveSpriteRecord(const LCharcter& s, SpriteRecord& r) {
  r = SpriteRecord{};
  if (const auto* fang = dynamic_cast<const Fang*>(&s)) {
    r.kind = SpriteKind::Fang;
    r.flight = fang->SaveFlight();
  } else if (const auto* item = dynamic_cast<const Item*>(&s)) {
    r.kind = SpriteKind::Item;
    r.flight = item->SaveFlight();
  } else if (const auto* chip = dynamic_cast<const Tip*>(&s)) {
    r.kind = SpriteKind::Chip;
    r.chip = chip->SaveChip();
  } else {
    return false;
  }
  const auto& b = static_cast<const BramkoChar&>(s);
  r.sprite = b.SaveSprite();
  r.beat = b.SaveBeat();
  return true;
}

// Made as the battle makes them: on the arena, from the sprite sheet.
void MakeAgain(const SpriteRecord& r) {
  const platform::Rect& look = r.sprite.source;
  BramkoChar* made;
  if (r.kind == SpriteKind::Chip) {
    Tip* chip = new Tip(Arena, &SpriteSheet, &SpriteMask, look);
    chip->LoadChip(r.chip);
    made = chip;
  } else {
    MacroMove* flier = r.kind == SpriteKind::Fang
                           ? static_cast<MacroMove*>(new Fang(Arena, &SpriteSheet, &SpriteMask, look))
                           : new Item(Arena, &SpriteSheet, &SpriteMask, look);
    flier->LoadFlight(r.flight);
    made = flier;
  }
  made->LoadBeat(r.beat);
  made->LoadSprite(r.sprite);
}

}  // namespace

void SaveBattle(BattleSnapshot& s) {
  s.world.random = RandomState();
  s.world.roundClock = RoundClock;
  s.world.roundOver = RoundOver;
  s.world.newEventFlag = newEventFlag;
  s.world.fireUrgency = fireUrgency;
  s.world.frames = CurrentRoundFrames();
  s.world.chipOwner = ChipOwner();
  s.world.switchState = SwitchState();
  for (int j = 0; j < 2; ++j) {
    const BramkoPlayer* f = Fighter(j);
    s.fighters[j] = f ? SaveFighterRecord(*f) : FighterRecord{};
  }
  s.sprites.clear();
  s.strangers = 0;
  if (!Arena) return;
  for (int i = 0; i < Arena->GetSpriteCount(); ++i) {
    const LCharcter* sprite = Arena->GetSprite(i);
    // The fighters stay when a snapshot is restored: the sprites made again come after them.
    if (sprite == Fighters[0] || sprite == Fighters[1]) {
      if (!s.sprites.empty()) ++s.strangers;
      continue;
    }
    s.sprites.emplace_back();
    if (!SaveSpriteRecord(*sprite, s.sprites.back())) {
      s.sprites.pop_back();
      ++s.strangers;
    }
  }
}

void RestoreBattle(const BattleSnapshot& s) {
  SeedRandom(s.world.random);
  RoundClock = s.world.roundClock;
  RoundOver = s.world.roundOver;
  newEventFlag = s.world.newEventFlag;
  fireUrgency = static_cast<unsigned char>(s.world.fireUrgency);
  CurrentRoundFrames() = s.world.frames;
  SetChipOwner(s.world.chipOwner);
  SwitchState() = s.world.switchState;
  for (int j = 0; j < 2; ++j)
    if (BramkoPlayer* f = Fighter(j)) LoadFighterRecord(*f, s.fighters[j]);
  // A fang, item or chip leaves its cells dirty when it goes and marks its new ones when made.
  ClearAllFangs();
  ClearAllItems();
  ClearAllChips();
  if (Arena) {
    for (const SpriteRecord& r : s.sprites) MakeAgain(r);
  }
}

void ShowRestoredBattle(const BattleSnapshot& shown) {
  if (!BattleCanvas) return;
  platform::Canvas& canvas = *BattleCanvas;
  bool gauge = false;
  for (int j = 0; j < 2; ++j) {
    const BramkoPlayer* f = Fighter(j);
    if (!f) continue;
    const FighterState& was = shown.fighters[j].fighter;
    if (f->score != was.score) {
      if (f->score < was.score) ClearScore(j, canvas);
      PaintScore(j, canvas);
    }
    if (f->loadedFang != was.loadedFang) PaintFangIcon(j, canvas);
    gauge = gauge || f->energy != was.energy;
  }
  if (gauge) PaintGauge(canvas);
  if (RoundClock != shown.world.roundClock) PaintClock(canvas);
}

const char* BattlePartName(int part) {
  static const char* const kNames[kBattleParts] = {"generator", "clock", "round flags", "fighter 0",
                                                   "fighter 1", "fangs", "items",       "chips"};
  return part >= 0 && part < kBattleParts ? kNames[part] : "?";
}

BattlePartSums PartChecksums(const BattleSnapshot& s) {
  BattlePartSums sums;
  sums.fill(kFnvStart);
  const BattleWorld& w = s.world;
  sums[bpGenerator] = HashBytes(w.random, sums[bpGenerator]);
  for (int v : {w.roundClock, w.frames.frame, w.frames.secondCounter, w.frames.chipCountdown})
    sums[bpClock] = HashBytes(v, sums[bpClock]);
  for (int v : {w.roundOver, w.newEventFlag, w.fireUrgency, w.chipOwner, w.switchState.counter, w.switchState.pattern})
    sums[bpRoundFlags] = HashBytes(v, sums[bpRoundFlags]);
  for (int j = 0; j < 2; ++j) sums[bpFighter0 + j] = HashBytes(s.fighters[j], sums[bpFighter0 + j]);
  // Each sprite with its place in the arena: the order decides who steps and is drawn first.
  for (size_t i = 0; i < s.sprites.size(); ++i) {
    const SpriteRecord& r = s.sprites[i];
    uint32_t& sum = sums[r.kind == SpriteKind::Fang ? bpFangs : r.kind == SpriteKind::Item ? bpItems : bpChips];
    sum = HashBytes(static_cast<uint32_t>(i), sum);
    sum = HashBytes(r, sum);
  }
  return sums;
}
