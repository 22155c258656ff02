// actors: chips (module Tip), tokens that fly straight across the arena. Each belongs to
// one fighter: taking one's own is worth energy, taking the opponent's costs it.
#pragma once
#include "field/Bramkochar.h"

inline constexpr int kChipLimit = 5;

// What a frame may change of a chip beyond its beat.
struct ChipState {
  int owner = 0, dx = 1;
};

class Tip : public BramkoChar {
 public:
  // 16 x 16, no animation, period 4, masked by its own (opaque) rectangle of the mask.
  // Adds itself to the end of the chip list.
  Tip(LField* stage, const platform::Bitmap* sheet, const platform::Bitmap* mask, const platform::Rect& source);
  // Leaves the chip list, then is destroyed.
  void Release() override;
  // Straight flight; releases itself once it leaves the arena (returns -1, it is gone).
  int Move() override;

  int owner = 0;  // playerIndex of the fighter the chip belongs to
  int dx = 1;     // +1 flies right, -1 flies left

  ChipState SaveChip() const { return {owner, dx}; }
  void LoadChip(const ChipState& s) {
    owner = s.owner;
    dx = s.dx;
  }

 protected:
  ~Tip() override;
};

// The 16 x 16 chip picture of a fighter (by its characterId, -1 human) on side playerIndex.
platform::Rect ChipPicture(int playerIndex, int characterId);

int ChipsInPlay();
Tip* ChipAt(int index);
// Pick-up test, once per frame (before the items): each chip once, fighter 0 first.
void CheckAllChips();
// Releases every chip, first to last.
void ClearAllChips();
// The round loop's chip roll (every ChipSpawnInterval + 1 frames): chance 18 in 32, never
// more than kChipLimit; owners alternate over the whole run, the first chip being fighter 1's.
void SpawnChip();
// Back to the start of a run: the next chip belongs to fighter 1 again.
void ResetChipOwner();
// The owner of the last chip (0 or 1); a replay sets it as it stood when its match began.
int ChipOwner();
void SetChipOwner(int owner);
