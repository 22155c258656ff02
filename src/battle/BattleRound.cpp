// battle: one round: the fighters back on their marks, the announcement, then the frame
// loop that steps the arena, spawns items and chips and runs the pick-up and hit tests,
// until the clock runs out or the gauge saturates; and the pause on Escape.
#include "actors/Bramkoplayer.h"
#include "actors/Fang.h"
#include "actors/Item.h"
#include "actors/Tip.h"
#include "battle/Battle.h"
#include "battle/BattleChecksum.h"
#include "battle/BattleFrame.h"
#include "battle/BattleParts.h"
#include "battle/MatchInput.h"
#include "battle/RoundResult.h"
#include "field/Fieldxchip.h"
#include "platform/Dialogs.h"
#include "platform/Input.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "actors/BattlePanel.h"
#include "shell/GameMedia.h"

namespace {

const char* const kAnnouncements[3] = {"round 1", "round 2", "final round"};
const int kAnnouncementX[3] = {208, 208, 144};

void Announce(int roundIndex) {
  BusyWait(1000);
  PaintBattleText(kAnnouncementX[roundIndex], 232, kAnnouncements[roundIndex]);
  BusyWait(400);
  Arena->RedrawAll();
  PaintBattleText(224, 232, "start!");
  BusyWait(1000);
  Arena->RedrawAll();
}

// The frame loop reads its keys itself and removes the window's key messages meanwhile, so
// the form never answers a key of the round. It starts with no press left from before.
struct FrameLoopKeys {
  FrameLoopKeys() {
    platform::DropPendingPresses();
    platform::SetKeyMessagesDropped(true);
  }
  ~FrameLoopKeys() { platform::SetKeyMessagesDropped(false); }
};

// The per-frame work of the round; wrQuit when the player left the battle.
TWaitResult FrameLoop() {
  MatchInput& door = Door();
  const FrameLoopKeys keys;
  StartRoundFrames();
  for (;;) {
    const uint32_t t0 = TickCount();
    if (RoundClock == 0 || RoundOver != 0) return wrNone;
    door.BeginFrame();
    PlayFrame();
    // F4, switching to another program, or the window closing ends the match.
    if (door.CheckStop() != RoundStop::None) return wrQuit;
    if (CurrentRoundFrames().secondCounter % 8 != 0) {
      KeepMusicLooping();
      // The help is modal: no frame steps and the clock stands until it is closed.
      if (door.HelpKey()) platform::ShowHelp(HelpFile, HelpKeyword);
      if (door.PauseKey() && PauseBattle() == wrQuit) return wrQuit;
    }
    // Once a clock second a replay checks that it still shows the recorded fight.
    if (TickRoundClock() && !door.Checkpoint(BattleChecksum())) return wrQuit;
    door.EndFrame();
    platform::PresentFrame();  // the frame is drawn: shown once, before the wait
    // The frame period is kept by spinning on the tick count.
    const uint32_t period = door.FrameLength(static_cast<uint32_t>(FramePeriodMs));
    uint32_t elapsed;
    while ((elapsed = TickCount() - t0) < period) WaitTurn(period - elapsed);
  }
}

}  // namespace

void DissolveInBattleScreen() {
  platform::Bitmap screen(platform::kGameWidth, platform::kGameHeight);
  PaintBattleScreen(screen.GetCanvas());
  BlockDissolveCopy(screen.GetCanvas(), 0, 0, *BattleCanvas, 0, 0, platform::kGameWidth, platform::kGameHeight, false);
}

TWaitResult RunRound(int roundIndex) {
  GameScreenActive = true;
  ClearAllItems();
  ClearAllFangs();
  ClearAllChips();
  for (int j = 0; j < 2; ++j) {
    BramkoPlayer* f = Fighter(j);
    f->MoveTo(144 + 272 * j, 160);
    f->ResetRound();
  }
  RoundClock = RoundSeconds;
  newEventFlag = 0;
  fireUrgency = 0;
  RoundOver = 0;

  DissolveInBattleScreen();
  PaintStatusPanel(*BattleCanvas);
  Announce(roundIndex < 0 ? 0 : roundIndex > 2 ? 2 : roundIndex);

  if (FrameLoop() == wrQuit) return wrQuit;
  return EndRound() == wrQuit ? wrQuit : wrNone;
}

TWaitResult PauseBattle() {
  PaintBattleScreen(*ScreenCanvas);
  platform::SetImageVisible(true);
  ScreenCanvas->copyMode = platform::CopyMode::Copy;
  ScreenCanvas->CopyRect({192, 208, 448, 304}, SpriteSheet, {256, 512, 512, 608});
  platform::SetCursorVisible(true);
  // The pause pumps messages: F1 opens the help here, unless the match's door says no.
  platform::SetKeyMessagesDropped(false);

  WaitRelease();
  if (WaitPress() == wrCancel || QuitRequested) return wrQuit;
  WaitRelease();
  PumpMessages();
  platform::SetCursorVisible(false);
  PaintStatusPanel(*BattleCanvas);
  platform::SetImageVisible(false);
  PumpMessages();
  PaintStatusPanel(*BattleCanvas);
  platform::SetKeyMessagesDropped(true);
  return wrNone;
}
