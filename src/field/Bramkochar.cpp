// field: the beat step and the two-frame animation of every battle sprite.
#include "field/Bramkochar.h"

BramkoChar::BramkoChar(LField* stage, const platform::Bitmap* sheet, const platform::Bitmap* mask,
                       const platform::Rect& source)
    : LCharcter(stage, sheet, mask, source), baseRect(source) {}

BramkoChar::~BramkoChar() = default;

int BramkoChar::Step() {
  const int c = beatCountdown--;
  if (c != 0) return c;
  beatCountdown = period;
  if (animateFlag) Animate();
  Refresh();
  // A nonzero Move means the sprite has released itself: not one more access to it.
  if (const int r = Move(); r != 0) return r;
  Refresh();
  return 0;
}

int BramkoChar::Move() { return 0; }

void BramkoChar::Animate() {
  const int shift = animationCounter > 4 ? 32 : 0;
  source.left = baseRect.left + shift;
  source.right = baseRect.right + shift;
  animationCounter = (animationCounter + 1) % 8;
}

void BramkoChar::LoadBeat(const BeatState& s) {
  animationCounter = s.animationCounter;
  beatCountdown = s.beatCountdown;
  animateFlag = static_cast<unsigned char>(s.animateFlag);
  period = s.period;
  speed = s.speed;
  baseRect = s.baseRect;
}
