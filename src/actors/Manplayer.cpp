// actors: the human fighter's action: one grid step, a shot or the emergency dodge.
#include "actors/Manplayer.h"

#include "actors/Fang.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "actors/BattlePanel.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"

TInputBits (*ManPlayerInput)(int side, int source) = nullptr;

ManPlayer::ManPlayer(LField* stage, const platform::Bitmap* sheet, const platform::Bitmap* mask,
                     const platform::Rect& source)
    : BramkoPlayer(stage, sheet, mask, source) {}

ManPlayer::~ManPlayer() = default;

int ManPlayer::Move() {
  if (HitFlash()) return 0;
  if (dodgeCountdown > 0) {
    if (--dodgeCountdown == 0) x = dodgeSavedX;
    return 0;
  }
  const int source = InputPlayer();
  TInputBits b = ManPlayerInput ? ManPlayerInput(playerIndex, source) : ReadPlayerInput(source);
  if (b < 0) b = 0;  // a source no key slot serves reads as nothing pressed

  // One direction at most, the first pressed one whose step stays inside the own area.
  const int v = speed, h = height, i = playerIndex;
  dx = dy = 0;
  if ((b & ibDown) && y <= 320 - v - h)
    dy = 1;
  else if ((b & ibLeft) && x >= 304 * i + v)
    dx = -1;
  else if ((b & ibRight) && x <= 304 * i + 256 - v)
    dx = 1;
  else if ((b & ibUp) && y >= v)
    dy = -1;
  x += dx * v;
  y += dy * v;

  if ((b & ibDecide) && loadedFang != -1) FireFang(*this);
  // A fang fired just now has used the load, so fire and dodge together only fire.
  if ((b & ibCancel) && loadedFang != -1) {
    PlaySound("Barrier");
    loadedFang = -1;
    if (BattleCanvas) PaintFangIcon(playerIndex, *BattleCanvas);
    dodgeSavedX = x;
    dodgeCountdown = kDodgeActions;
    x = playerIndex == 1 ? kDodgeRightX : kDodgeLeftX;
  }
  return 0;
}

int ManPlayer::InputPlayer() const { return inputSource == -1 ? SlotPlayer[playerIndex & 1] : inputSource; }

std::string ManPlayer::GetName() {
  if (playerIndex == 1) return "プレイヤー ２";
  return MatchMode == mmStory ? "ブラムコー" : "プレイヤー １";
}
