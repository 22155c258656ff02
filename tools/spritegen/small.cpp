// The small sheets: "char0"/"mask0", "screen", "moji"/"mojimask", "REPORTER" and
// "MessageMask".
#include <string>
#include <vector>

#include "fighters.h"
#include "sheets.h"
#include "text.h"

using namespace frame_style;

namespace {

// A power cell of the versus menu: lit or empty.
Image PowerCell(bool lit) {
  Image img(32, 32, kBlack, false);
  img.FillRect(3, 4, 26, 24, Rgb{12, 10, 28});
  if (lit) {
    img.VGradient(5, 6, 22, 20, Rgb{255, 236, 120}, Rgb{230, 80, 30});
    img.FillRect(5, 6, 22, 3, Rgb{255, 250, 210});
    img.Line(18, 8, 12, 17, Rgb{255, 255, 255}, 2);
    img.Line(12, 17, 20, 16, Rgb{255, 255, 255}, 2);
    img.Line(20, 16, 14, 24, Rgb{255, 255, 255}, 2);
  } else {
    img.FillRect(5, 6, 22, 20, Rgb{40, 38, 72});
    img.FillRect(5, 6, 22, 2, Rgb{60, 58, 100});
  }
  img.Bevel(3, 4, 26, 24, Rgb{150, 140, 220}, Rgb{50, 44, 100}, 1);
  return img;
}

// 16x16 map marker on the key colour that the map code treats as transparent.
constexpr Rgb kKey{255, 0, 255};
Image Marker(int kind) {
  Image img(16, 16, kKey);
  Rgb rim{20, 16, 30};
  switch (kind) {
    case 0: {  // open: a red target waiting to be fought
      img.FillEllipse(8, 8, 7.5, 7.5, rim);
      img.FillEllipse(8, 8, 6.3, 6.3, Rgb{230, 50, 50});
      img.FillEllipse(8, 8, 4, 4, kWhite);
      img.FillEllipse(8, 8, 2.2, 2.2, Rgb{230, 50, 50});
      break;
    }
    case 1: {  // cleared: a gold medal with a tick
      img.FillEllipse(8, 8, 7.5, 7.5, rim);
      img.FillEllipse(8, 8, 6.3, 6.3, Rgb{240, 190, 60});
      img.FillEllipse(7, 7, 4, 4, Rgb{255, 230, 130});
      img.Line(4, 8, 7, 11, rim, 2);
      img.Line(7, 11, 12, 4, rim, 2);
      break;
    }
    case 2: {  // start: a blue flag
      img.FillRect(3, 1, 2, 14, rim);
      img.FillPolygon({{5, 1.5}, {14.5, 5}, {5, 9}}, rim);
      img.FillPolygon({{5, 2.5}, {13, 5}, {5, 7.8}}, Rgb{70, 150, 255});
      img.FillRect(1, 13, 7, 2, rim);
      break;
    }
  }
  return img;
}

Image MarkerCellsSafe(Image img) {
  img.Set(0, 15, kKey);  // the key must stay at the bottom-left pixel
  return img;
}

}  // namespace

Sheet BuildChar0(const ArtBook& book) {
  Sheet s{Image(256, 224), Image(256, 224, kWhite)};
  FighterRow hero = HeroRow(book);
  Image cells[4] = {hero[0], hero[1], PowerCell(true), PowerCell(false)};
  int xy[4][2] = {{0, 0}, {32, 0}, {0, 32}, {32, 32}};
  for (int i = 0; i < 4; ++i) {
    s.picture.Draw(cells[i], xy[i][0], xy[i][1]);
    s.mask.Draw(cells[i].MaskOf(), xy[i][0], xy[i][1], true);
  }
  return s;
}

Image BuildScreen(const ArtBook&) {
  Image img(256, 256);
  img.Draw(MarkerCellsSafe(Marker(0)), 144, 64, true);
  img.Draw(MarkerCellsSafe(Marker(1)), 160, 64, true);
  img.Draw(MarkerCellsSafe(Marker(2)), 176, 64, true);
  // rating star
  Image star(16, 16);
  Star(star, 8, 8.5, 7.8, Rgb{150, 90, 10});
  Star(star, 8, 8, 7, Rgb{255, 214, 60});
  Star(star, 7.5, 7.5, 3, Rgb{255, 248, 190});
  img.Draw(star, 240, 32, true);
  // DoraQ's rating: a bat
  Image bat(16, 16);
  Rgb wing{200, 30, 60}, dark{90, 0, 24};
  bat.FillPolygon({{8, 5}, {15.5, 3}, {13, 8}, {15, 11}, {10.5, 10}, {8, 13}, {5.5, 10}, {1, 11}, {3, 8}, {0.5, 3}},
                  dark);
  bat.FillPolygon({{8, 6}, {14, 4.5}, {12, 8}, {13.5, 10}, {10, 9}, {8, 11.5}, {6, 9}, {2.5, 10}, {4, 8}, {2, 4.5}},
                  wing);
  bat.FillEllipse(8, 7.5, 2.2, 2.6, dark);
  bat.Set(7, 7, Rgb{255, 240, 120});
  bat.Set(9, 7, Rgb{255, 240, 120});
  img.Draw(bat, 208, 80, true);
  return img;
}

Sheet BuildMoji(const ArtBook& book) {
  Sheet s{Image(256, 192), Image(256, 192, kWhite)};
  const std::string order = std::string("abcdefghijklmnopqrstuvwxyz!?0123456789%.<>@") + '\xA5' + "$-";
  Lettering st;
  for (size_t n = 0; n < order.size(); ++n) {
    Image g = LetterImage(book, order[n], st);
    int x = 32 * static_cast<int>(n % 8) + 2, y = 32 * static_cast<int>(n / 8) + 1;
    s.picture.Draw(g, x, y);
    for (int j = 0; j < g.h(); ++j)
      for (int i = 0; i < g.w(); ++i)
        if (g.Opaque(i, j)) s.mask.Set(x + i, y + j, kBlack);
  }
  return s;
}

Image BuildReporter(const ArtBook& book) {
  Image img(256, 256);
  const char* frames[4] = {"reporter", "reporter_talk", "reporter_nod", "reporter_nod_talk"};
  for (int i = 0; i < 4; ++i) {
    Image art = book.Get(frames[i]).Render();
    Image card(128, 128);
    card.VGradient(0, 0, 128, 128, Rgb{70, 110, 200}, Rgb{20, 30, 80});
    for (int x = 0; x < 128; x += 16) card.FillRect(x, 0, 1, 128, Rgb{60, 96, 180});
    card.Draw(art.Scale2x().Scale2x(), 0, 0);
    card.Bevel(0, 0, 128, 128, kGold, kGoldDark, 2);
    img.Draw(card, 128 * (i % 2), 128 * (i / 2), true);
  }
  return img;
}

Image BuildMessageMask() {
  // A half-tone screen of 2 x 2 squares: dark on even squares, the transparent key
  // (bottom-left) on odd. Single-pixel dots would alias into shimmering bands when the
  // window is scaled by a fraction; squares of two stay even at any scale from 1x up.
  Image img(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) img.Set(x, y, (x / 2 + y / 2) % 2 ? kWhite : Rgb{0, 0, 24});
  return img;
}
