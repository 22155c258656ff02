// actors: the common base of the two fighter kinds (module Bramkoplayer). It holds what the
// round loop, the hit tests and the score board read from a fighter.
#pragma once
#include <string>

#include "field/Bramkochar.h"

// What a frame may change of a fighter beyond its beat (its rectangles stay, but are cheap
// to keep and make a restored fighter whole).
struct FighterState {
  int playerIndex = 0, characterId = -1, fangSet = 0, loadedFang = -1, score = 0, framesSinceItem = 0;
  int energy = 0, fangPower = 160, chipValue = 16, fangHits = 0, flashCountdown = 0, roundsWon = 0;
  int itemsTaken = 0, chipCount = 0, dodgeCountdown = 0, dodgeSavedX = 0;
  platform::Rect normalRect, hitRect;
  int freshFlash = 1, dx = 0, dy = 0;
};

class BramkoPlayer : public BramkoChar {
 public:
  // Builds the sprite on the given base frame (frame A of the fighter's row), with period 2,
  // the normal and hit looks and the mask offset of its row, then resets the round fields.
  BramkoPlayer(LField* stage, const platform::Bitmap* sheet, const platform::Bitmap* mask,
               const platform::Rect& source);

 protected:
  ~BramkoPlayer() override;

 public:
  // Virtual operations this class adds after Move and Animate.
  virtual std::string GetName() = 0;  // UTF-8
  virtual void ResetRound();

  // One action of the hit flash: false when no flash runs; otherwise counts it down (the
  // first action shows the hit look, the last brings the normal look back) and returns
  // true. Both fighter kinds call it first in Move and do nothing else while it is true.
  bool HitFlash();
  bool Flashing() const { return flashCountdown != 0; }
  bool Dodging() const { return dodgeCountdown > 0; }

  // Bookkeeping of the events that change energy and score (redraws and sounds are the
  // callers'). This fighter is the target of the hit; shooter is the other fighter.
  void TakeFangHit(BramkoPlayer& shooter);
  void TakeOwnChip();
  void TakeOpponentChip();
  void TakeItem(int fangType);

  FighterState SaveFighter() const;
  void LoadFighter(const FighterState& s);

  int playerIndex = 0;      // 0 = left fighter, 1 = right fighter
  int characterId = -1;     // computer character 0..19; -1 for a human
  int fangSet = 0;          // row of FangSetTable
  int loadedFang = -1;      // fang type ready to fire; -1 when none
  int score = 0;            // units of ten points
  int framesSinceItem = 0;  // the round loop counts it up to 30000
  int energy = 0;           // signed energy balance of the round
  int fangPower = 160;      // energy a hit by this fighter's fang takes
  int chipValue = 16;       // energy one chip is worth to this fighter
  int fangHits = 0;         // own fangs that hit this round
  int flashCountdown = 0;   // actions left of the hit flash
  int roundsWon = 0;
  int itemsTaken = 0;
  int chipCount = 0;  // own chips taken minus the opponent's, this round
  int dodgeCountdown = 0;
  int dodgeSavedX = 0;
  platform::Rect normalRect;     // frame A, normal look
  platform::Rect hitRect;        // frame A, hit look (128 pixels right)
  unsigned char freshFlash = 1;  // 1 while no flash is showing
  int dx = 0, dy = 0;            // direction of the last action
};

// Length of the hit flash in actions.
inline constexpr int kHitFlashActions = 9;
// The character that is invisible except while flashing.
inline constexpr int kInvisibleCharacter = 15;

// Fighter i (0 left, 1 right) of the running match, or null.
BramkoPlayer* Fighter(int index);
// Position of fighter i (0 when there is none); read by the flight programs.
int FighterX(int index);
int FighterY(int index);
