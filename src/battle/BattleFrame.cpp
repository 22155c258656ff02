// battle: the play of one battle frame and the round loop's counters.
#include "battle/BattleFrame.h"

#include "actors/Bramkoplayer.h"
#include "actors/Fang.h"
#include "actors/Item.h"
#include "actors/Tip.h"
#include "field/Fieldxchip.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "actors/BattlePanel.h"

namespace {

constexpr int kItemClockLimit = 30000;
// The clock ticks when the frame counter has run down from this to 0: every 61 frames.
constexpr int kFramesPerSecond = 60;

RoundFrames g_frames;

}  // namespace

RoundFrames& CurrentRoundFrames() { return g_frames; }

void StartRoundFrames() { g_frames = RoundFrames{0, kFramesPerSecond, 1}; }

void PlayFrame() {
  ++g_frames.frame;
  for (int j = 0; j < 2; ++j) {
    BramkoPlayer* f = Fighter(j);
    if (f->framesSinceItem < kItemClockLimit) ++f->framesSinceItem;
  }
  Arena->StepAll();
  SpawnItem();
  if (g_frames.chipCountdown == 0) {
    g_frames.chipCountdown = ChipSpawnInterval;
    SpawnChip();
  } else {
    --g_frames.chipCountdown;
  }
  CheckAllChips();
  CheckAllItems();
  CheckAllFangs();
}

bool TickRoundClock() {
  if (g_frames.secondCounter > 0) {
    --g_frames.secondCounter;
    return false;
  }
  g_frames.secondCounter = kFramesPerSecond;
  --RoundClock;
  PaintClock(*BattleCanvas);
  return true;
}

void ResimulateFrame() {
  PlayFrame();
  TickRoundClock();
}
