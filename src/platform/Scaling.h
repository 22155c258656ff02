// platform: where the 640 x 480 game picture sits in a window of any size, and how large
// a window to open. Pure arithmetic in pixels of the window's drawable (its real pixels on
// a high-DPI desktop), shared by the real window and its tests.
#pragma once
#include "platform/Bitmap.h"

namespace platform {

// Integer: the largest whole-number scale that fits, so every game pixel is an exact N x N
// block, centred with black bars. Fill: as large as fits keeping 4:3 (sharp bilinear).
enum class ScaleMode { Integer, Fill };

struct PictureLayout {
  Rect image;     // the picture's rectangle on the drawable
  int scale = 1;  // whole-number factor of the picture's pixels (1 when it is shrunk)
  bool exact = true;  // every game pixel is scale x scale drawable pixels
};

PictureLayout LayoutPicture(int drawableW, int drawableH, ScaleMode mode);

// Height of the window at scale 1 in game pixels: the picture and the menu strip's share
// of it (the strip overlays the top of the window, see the presenter).
constexpr int kWindowUnitHeight = 500;
// The largest whole scale whose window fits comfortably (with room for the frame and the
// desktop's panels) on a usable desktop area of w x h; at least 1.
int StartScale(int usableW, int usableH);

}  // namespace platform
