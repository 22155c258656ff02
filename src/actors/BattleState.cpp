// actors: the battle's globals, and the battle's part of the world's start, end and reset.
#include "actors/BattleState.h"

#include "actors/BattlePanel.h"
#include "field/Fieldxchip.h"
#include "shell/Bramkoworld.h"

LFieldXChip* Arena = nullptr;
BramkoChar* Fighters[2] = {nullptr, nullptr};
int FramePeriodMs = 15;
int RoundSeconds = 60;
int ChipSpawnInterval = 4;
int MatchMode = mmStory;
int FangPowerByMode[2][2] = {{160, 160}, {160, 160}};
int FangSetByMode[2][2] = {{0, 0}, {0, 0}};
int RoundClock = 0;
int RoundOver = 0;
int newEventFlag = 0;
unsigned char fireUrgency = 0;

namespace {

void OpenArena(platform::Canvas& windowCanvas) {
  // The arena: 16-pixel chips, the four chips of the sprite sheet side by side.
  Arena = new LFieldXChip(windowCanvas, 16);
  Arena->ChipSheet().SetSize(64, 16);
  Arena->ChipSheet().GetCanvas().CopyRect({0, 0, 64, 16}, SpriteSheet, {448, 448, 512, 464});
  Arena->SetOrigin(24, 136);
}

void CloseArena() {
  delete Arena;
  Arena = nullptr;
}

void ResetBattleState() {
  Fighters[0] = Fighters[1] = nullptr;
  FramePeriodMs = 15;
  RoundSeconds = 60;
  ChipSpawnInterval = 4;
  MatchMode = mmStory;
  for (auto& f : FangPowerByMode) f[0] = f[1] = 160;
  for (auto& f : FangSetByMode) f[0] = f[1] = 0;
  RoundClock = RoundOver = newEventFlag = 0;
  fireUrgency = 0;
}

// Every program that has a battle links this file (its globals are what the battle runs
// on), so the world learns of the battle's part here, before main, without the shell
// looking up at the rooms above it.
[[maybe_unused]] const bool kBattleWorldInstalled = [] {
  BattleHooks = {OpenArena, CloseArena, ResetBattleState, PaintBattleScreen};
  return true;
}();

}  // namespace
