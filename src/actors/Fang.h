// actors: the fang, the projectile of the game (module Fang): the fang sets, firing, the
// list of fangs in flight and the hit test.
#pragma once
#include "actors/Macromove.h"

class BramkoPlayer;

// Fang types a fighter's item can load, by fang set ("type a", "type b", "type c").
inline constexpr int kFangSets = 3;
extern const int FangSetTable[kFangSets][4];

class Fang : public MacroMove {
 public:
  // Adds itself to the end of the fang list.
  Fang(LField* stage, const platform::Bitmap* sheet, const platform::Bitmap* mask, const platform::Rect& source);
  // Leaves the fang list, then is destroyed.
  void Release() override;

 protected:
  ~Fang() override;
};

// Fires the shooter's loaded fang at the other fighter and empties the load; nothing
// happens when none is loaded. Returns the new fang (owned by the fang list), or null.
Fang* FireFang(BramkoPlayer& shooter);

// The fangs in flight, in firing order.
int FangsInFlight();
Fang* FangAt(int index);
// The hit test, once per frame: every fang once, in list order.
void CheckAllFangs();
// Releases every fang, first to last.
void ClearAllFangs();
