// The 640x480 battle frame: player plates with sockets for the fang icons and round
// marks, black wells where the code prints names and scores, the clock window, the
// gauge trough and the arena border.
#include "sheets.h"
#include "text.h"

using namespace frame_style;

namespace {

void Rivet(Image& img, int x, int y) {
  img.FillEllipse(x, y, 2.5, 2.5, kPanelDark);
  img.FillEllipse(x - 0.5, y - 0.5, 1.8, 1.8, kPanelLight);
  img.Set(x - 1, y - 1, kWhite);
}

void PlayerPlate(Image& img, const ArtBook& book, int side) {
  // side 0 = left, 1 = right; the right plate mirrors the left around x 320
  auto X = [side](int x, int w) { return side == 0 ? x : 640 - x - w; };
  Panel(img, X(2, 266), 4, 266, 84);
  Well(img, X(8, 64), 24, 64, 64);  // fang icon
  Socket(img, X(80, 32), 24);       // round marks 1 and 2
  Socket(img, X(112, 32), 24);
  Well(img, 166 + 212 * side, 16, 82, 44);  // "SCORE" label and score (right-aligned)
  Lettering tag;
  tag.scale = 1;
  tag.rim_width = 1;
  tag.top = Rgb{255, 236, 150};
  tag.bottom = kGold;
  DrawText(img, book, X(12, 15), 9, side == 0 ? "1p" : "2p", tag);
  DrawText(img, book, X(82, 60), 9, "rounds", tag);
}

}  // namespace

Image BuildBattleFrame(const ArtBook& book) {
  Image img(640, 480, kBack);
  // a quiet diagonal weave on the background
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x)
      if ((x + y) % 8 == 0 || (x - y + 800) % 8 == 0) img.Set(x, y, Rgb{28, 26, 56});

  PlayerPlate(img, book, 0);
  PlayerPlate(img, book, 1);

  // clock window between the plates, then the name strips beside it
  Panel(img, 268, 4, 104, 88);
  Well(img, 272, 16, 96, 72);
  Well(img, 73, 62, 194, 22);
  Well(img, 372, 62, 193, 22);
  Lettering tag;
  tag.scale = 1;
  tag.rim_width = 1;
  tag.top = Rgb{255, 236, 150};
  tag.bottom = kGold;
  DrawText(img, book, 320 - TextWidth("time", tag) / 2, 6, "time", tag);

  // energy gauge trough
  Panel(img, 30, 90, 580, 36);
  Well(img, 40, 96, 560, 24);
  img.FillRect(319, 93, 2, 30, kGold);  // the centre of the tug of war

  // arena border
  Panel(img, 14, 128, 612, 336);
  Well(img, 24, 136, 592, 320);
  for (int x : {20, 620}) {
    Rivet(img, x, 132);
    Rivet(img, x, 460);
  }
  Lettering brand;
  brand.scale = 1;
  brand.rim_width = 1;
  brand.top = Rgb{200, 196, 255};
  brand.bottom = kPanelLight;
  DrawText(img, book, 320 - TextWidth("bramko 2", brand) / 2, 469, "bramko 2", brand);
  for (int x : {6, 634}) Rivet(img, x, 8), Rivet(img, x, 84);
  return img;
}
