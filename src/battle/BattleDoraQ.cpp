// battle: the DoraQ boss beaten: the hero jumps for joy, then knocks the boss off the arena
// with a last fang.
#include "field/Bramkochar.h"
#include "actors/Bramkoplayer.h"
#include "battle/BattleParts.h"
#include "battle/MatchInput.h"
#include "field/Fieldxchip.h"
#include "platform/Window.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "actors/BattlePanel.h"
#include "shell/GameMedia.h"

namespace {

constexpr platform::Rect kBeatenBoss{384, 64, 416, 96};
constexpr platform::Rect kStand{352, 64, 384, 96};
constexpr platform::Rect kHeroFang{64, 0, 96, 32};
constexpr int kHeroX = 144, kBossX = 416, kGroundY = 160;

void MessageBox() {
  platform::Canvas& c = *BattleCanvas;
  c.brush = platform::Brush{platform::kWhite, platform::BrushStyle::Solid, nullptr};
  c.FrameRect({42, 349, 598, 451});
  c.brush = platform::Brush{platform::kBlack, platform::BrushStyle::Solid, nullptr};
  c.FillRect({43, 350, 597, 450});
  c.font.size = 24;
  c.font.color = platform::kWhite;
  c.font.bold = false;
  c.TextOut(172, 382, "ドラＱを倒した！");
}

// The scene moves only its own sprites: the fighters stand still as in any cut-scene, so
// neither the player's keys nor the beaten computer can act (or fire) while it plays.
void StepScene(BramkoChar& flying) {
  flying.Step();
  Arena->Flush();
  BusyWait(2);
}

}  // namespace

void PlayDoraQVictory() {
  BramkoPlayer& hero = *Fighter(0);
  BramkoPlayer& boss = *Fighter(1);
  StopMusic();
  WaitOrKey(1000);
  boss.MoveTo(-64, -64);
  LCharcter* beaten = new LCharcter(Arena, &SpriteSheet, &SpriteMask, kBeatenBoss);
  beaten->MoveTo(kBossX, kGroundY);
  hero.MoveTo(kHeroX, kGroundY);

  PlayMusic("event");
  MusicKeeperOff = true;
  WaitMusicStarted();
  DissolveInBattleScreen();
  PumpMessages();
  PaintStatusPanel(*BattleCanvas);

  MessageBox();
  WaitOrKey(4000);
  Arena->RedrawAll();

  if (!Door().Closing()) {
    LCharcter* stand = new LCharcter(Arena, &SpriteSheet, &SpriteMask, kStand);
    stand->MoveTo(kHeroX, kGroundY);
    JumpForJoy(hero, kHeroX, kGroundY, false);
    SetFrameColumn(hero, 0);
    hero.Refresh();
    stand->Release();

    BramkoChar* flying = new BramkoChar(Arena, &SpriteSheet, &SpriteMask, kHeroFang);
    flying->MoveTo(kHeroX, kGroundY);
    while (kBossX - flying->x > 16) {
      flying->MoveTo(flying->x + 4, flying->y);
      StepScene(*flying);
    }
    PlaySound("FangHit");
    double px = kBossX, py = kGroundY, vy = -8.0;
    while (px < 640) {
      flying->MoveTo(flying->x + 4, flying->y);
      beaten->MoveTo(static_cast<int>(px), static_cast<int>(py));
      px += 3.0;
      py += vy;
      vy += 0.03;
      StepScene(*flying);
    }
    flying->Release();
  }
  // The beaten boss leaves the arena with the scene; nothing of it stays for the next match.
  beaten->Release();
  Arena->Flush();
  StopMusic();
  MusicKeeperOff = false;
}
