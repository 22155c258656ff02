// platform: picture placement and the start scale of the window.
#include "platform/Scaling.h"

#include <algorithm>

#include "platform/Window.h"

namespace platform {

PictureLayout LayoutPicture(int w, int h, ScaleMode mode) {
  PictureLayout l;
  w = std::max(w, 1);
  h = std::max(h, 1);
  l.uiScale = std::max(1, std::min(w / kGameWidth, h / kWindowUnitHeight));
  const int top = std::min(kStripHeight * l.uiScale, h - 1);
  h -= top;
  int iw, ih;
  const int whole = std::min(w / kGameWidth, h / kGameHeight);
  if (mode == ScaleMode::Integer && whole >= 1) {
    l.scale = whole;
    iw = kGameWidth * whole;
    ih = kGameHeight * whole;
  } else {
    // 4:3 as large as fits; a window smaller than the picture shrinks it rather than crop it.
    iw = std::min(w, h * kGameWidth / kGameHeight);
    ih = iw * kGameHeight / kGameWidth;
    l.scale = std::max(1, whole);
    l.exact = iw == kGameWidth * whole && ih == kGameHeight * whole;
  }
  l.image = {(w - iw) / 2, top + (h - ih) / 2, (w - iw) / 2 + iw, top + (h - ih) / 2 + ih};
  return l;
}

int StartScale(int usableW, int usableH) {
  // Leave about 5 % for the window frame and the desktop's panels.
  const int w = usableW * 95 / 100, h = usableH * 95 / 100;
  return std::max(1, std::min(w / kGameWidth, h / kWindowUnitHeight));
}

}  // namespace platform
