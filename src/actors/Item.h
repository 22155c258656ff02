// actors: items (module Item), balls bouncing around the arena; the fighter that touches
// one gets a loaded fang.
#pragma once
#include "actors/Macromove.h"

inline constexpr int kItemLimit = 5;

class Item : public MacroMove {
 public:
  // Flies by program 0 (straight on, bouncing for ever), masked by its own rectangle.
  // Adds itself to the end of the item list.
  Item(LField* stage, const platform::Bitmap* sheet, const platform::Bitmap* mask, const platform::Rect& source);
  // Leaves the item list, then is destroyed.
  void Release() override;

 protected:
  ~Item() override;
};

// The item picture on the sprite sheet.
inline constexpr platform::Rect kItemPicture{256, 64, 288, 96};

int ItemsInPlay();
Item* ItemAt(int index);
// Pick-up test, once per frame: each item once, fighter 0 before fighter 1.
void CheckAllItems();
// Releases every item, first to last.
void ClearAllItems();
// The round loop's item roll (every frame): chance 6, 3, 2, 1, 1 in 1023 for 0-4 items in
// play, never more than kItemLimit; the new item starts at the left or right edge.
void SpawnItem();
