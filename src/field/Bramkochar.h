// field: the battle sprite (module Bramkochar). A BramkoChar acts on a fixed beat, one
// action every period + 1 frames, moves in whole steps and shows a two-frame animation.
// Fangs, items, chips and fighters all derive from it.
#pragma once
#include "field/Lchar.h"

// What a frame may change of the beat and the animation.
struct BeatState {
  int animationCounter = 0, beatCountdown = 1, animateFlag = 1, period = 2, speed = 16;
  platform::Rect baseRect;
};

class BramkoChar : public LCharcter {
 public:
  // The source rectangle is frame A of the animation; frame B lies 32 pixels to its right.
  BramkoChar(LField* stage, const platform::Bitmap* sheet, const platform::Bitmap* mask, const platform::Rect& source);

  // Virtual operations in slot order: Release, destructor, Draw and Step of LCharcter
  // (Release and Draw inherited), then Move and Animate added here.
 protected:
  ~BramkoChar() override;

 public:
  // Beat step, once per frame. Returns the countdown on frames without an action, the
  // nonzero result of Move when the sprite released itself (it is gone: the caller must
  // not touch it), and 0 after an action.
  int Step() override;
  // One action. 0, or nonzero (-1) after the sprite released itself.
  virtual int Move();
  // Frame A for 5 actions, frame B (32 pixels right of the base rectangle) for 3.
  virtual void Animate();

  int column() const { return x >> 4; }
  static int Sign(int v) { return (v > 0) - (v < 0); }  // -1, 0 or 1
  int row() const { return y >> 4; }

  BeatState SaveBeat() const { return {animationCounter, beatCountdown, animateFlag, period, speed, baseRect}; }
  void LoadBeat(const BeatState& s);

  int animationCounter = 0;       // 0..7
  int beatCountdown = 1;          // frames left until the next action
  unsigned char animateFlag = 1;  // whether Step calls Animate
  int period = 2;                 // an action every period + 1 frames
  int speed = 16;                 // pixels per unit step
  platform::Rect baseRect;        // frame A
};

// Mask offset for a fighter or fang picture whose row starts at top: every row but the
// hero's uses the left-facing silhouettes at y 32 of the mask sheet.
inline int FighterMaskOffsetY(int top) { return top != 0 ? 32 - top : 0; }
