// platform: where the 640 x 480 game picture sits in a window of any size, and how large
// a window to open. Pure arithmetic in pixels of the window's drawable (its real pixels on
// a high-DPI desktop), shared by the real window and its tests.
#pragma once
#include "platform/Window.h"

namespace platform {

// Integer: the largest whole-number scale that fits, so every game pixel is an exact N x N
// block, centred with black bars. Fill: as large as fits keeping 4:3 (sharp bilinear).
enum class ScaleMode { Integer, Fill };

// Height of the window at scale 1 in game pixels: the menu strip over the picture.
constexpr int kWindowUnitHeight = 500;
constexpr int kStripHeight = kWindowUnitHeight - kGameHeight;

struct PictureLayout {
  Rect image;         // the picture's rectangle on the drawable
  int scale = 1;      // whole-number factor of the picture's pixels (1 when it is shrunk)
  bool exact = true;  // every game pixel is scale x scale drawable pixels
  // The whole scale of the menu strip and the dialogs: the largest at which the window's
  // unit (strip and picture) fits. The strip takes kStripHeight x uiScale rows at the top,
  // whether it shows or not, and the picture sits in the rest, so it never hides a row.
  int uiScale = 1;
};

PictureLayout LayoutPicture(int drawableW, int drawableH, ScaleMode mode);
// The largest whole scale whose window fits comfortably (with room for the frame and the
// desktop's panels) on a usable desktop area of w x h; at least 1.
int StartScale(int usableW, int usableH);

}  // namespace platform
