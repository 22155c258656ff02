// "char2" / "mask2": fighter rows, chips, gauge tiles, item, marks, clock digits,
// fang icons, arena chips, pause panel and the battle frame.
#include <cmath>
#include <vector>

#include "fighters.h"
#include "sheets.h"
#include "text.h"

namespace frame_style {
void Panel(Image& img, int x, int y, int w, int h) {
  img.FillRect(x, y, w, h, kPanel);
  img.Bevel(x, y, w, h, kPanelLight, kPanelDark, 2);
}
void Well(Image& img, int x, int y, int w, int h) {
  img.Frame(x - 2, y - 2, w + 4, h + 4, kGoldDark);
  img.Bevel(x - 1, y - 1, w + 2, h + 2, kPanelDark, kGold, 1);
  img.FillRect(x, y, w, h, kWell);
}
void Socket(Image& img, int x, int y) {
  img.FillRect(x, y, 32, 32, kPanel);
  img.FillEllipse(x + 16, y + 16, 14, 14, kPanelDark);
  img.FillEllipse(x + 16, y + 16, 12.5, 12.5, kWell);
}
}  // namespace frame_style

namespace {

using namespace frame_style;

// 16x16 chip of an owner: a bevelled gem tile.
Image Chip(const FighterColours& c) {
  Image t(16, 16, c.main);
  t.Bevel(0, 0, 16, 16, c.light, c.dark, 2);
  t.Frame(0, 0, 16, 16, c.outline);
  t.FillPolygon({{8, 3.5}, {12.5, 8}, {8, 12.5}, {3.5, 8}}, c.dark);
  t.FillPolygon({{8, 5}, {11, 8}, {8, 11}, {5, 8}}, c.light);
  t.Set(7, 6, kWhite);
  return t;
}

// The three 8x8 brush tiles of a fighter's side of the energy gauge (top to bottom).
std::vector<Image> GaugeTiles(const FighterColours& c) {
  std::vector<Image> tiles;
  Rgb bands[3] = {Mix(c.light, kWhite, 30), c.main, c.dark};
  for (int k = 0; k < 3; ++k) {
    Image t(8, 8, bands[k]);
    for (int y = 0; y < 8; ++y) {
      Rgb row = Mix(bands[k], k == 0 ? c.main : c.dark, y * 40 / 7);
      t.FillRect(0, y, 8, 1, row);
    }
    // slanted stripes make the bar visibly move as it grows
    for (int y = 0; y < 8; ++y) t.Set((y + 8 - k * 8 / 3) % 8, y, Mix(t.At(0, y), kWhite, 35));
    if (k == 0) t.FillRect(0, 0, 8, 1, Mix(c.light, kWhite, 60));
    if (k == 2) t.FillRect(0, 7, 8, 1, c.outline);
    tiles.push_back(t);
  }
  return tiles;
}

// The item ball: a glass orb holding a spinning fang.
Image ItemBall(int frame) {
  Image img(32, 32, kBlack, false);
  img.FillEllipse(16, 16, 13, 13, Rgb{16, 28, 70});
  for (int r = 12; r >= 1; --r)
    img.FillEllipse(16 - (12 - r) * 0.25, 16 - (12 - r) * 0.3, r, r,
                    Mix(Rgb{40, 120, 230}, Rgb{190, 240, 255}, (12 - r) * 100 / 12));
  // a small fang inside, turned by frame
  Rgb fang{255, 200, 60}, fangDark{190, 110, 20};
  if (frame == 0) {
    img.FillEllipse(15, 17, 6, 6, fangDark);
    img.FillEllipse(17.5, 17, 5, 5.5, Rgb{80, 170, 245});
    img.FillEllipse(14, 17, 5, 5, fang);
    img.FillEllipse(17, 16.5, 4.2, 4.5, Rgb{110, 190, 250});
  } else {
    img.FillEllipse(17, 17, 6, 6, fangDark);
    img.FillEllipse(14.5, 17, 5, 5.5, Rgb{80, 170, 245});
    img.FillEllipse(18, 17, 5, 5, fang);
    img.FillEllipse(15, 16.5, 4.2, 4.5, Rgb{110, 190, 250});
  }
  img.FillEllipse(11, 9, 3, 2, kWhite);
  img.Set(21, 22, Rgb{220, 250, 255});
  Image out = img.Outlined(Rgb{10, 16, 44});
  if (frame == 1)
    out.Set(25, 6, Rgb{255, 255, 200}), out.Set(24, 6, Rgb{255, 240, 120}), out.Set(26, 6, Rgb{255, 240, 120}),
        out.Set(25, 5, Rgb{255, 240, 120}), out.Set(25, 7, Rgb{255, 240, 120});
  return out;
}

Image WinMark() {
  Image img(32, 32, kBlack, false);
  Socket(img, 0, 0);
  Star(img, 16, 17, 13, kGoldDark);
  Star(img, 16, 16, 12, kGold);
  Star(img, 15, 15, 6, Rgb{255, 240, 160});
  return img;
}

// Shown on the ground while a winner jumps: a ring of light.
Image JumpGlow() {
  Image img(32, 32, kBlack, false);
  img.FillEllipse(16, 28, 15, 4, Rgb{150, 110, 20});
  img.FillEllipse(16, 28, 13, 3, Rgb{255, 220, 90});
  img.FillEllipse(16, 28, 9, 1.8, Rgb{255, 255, 220});
  for (auto [x, y] : {std::pair{5, 18}, std::pair{26, 15}, std::pair{16, 21}}) {
    img.Set(x, y, kWhite);
    img.Set(x - 1, y, Rgb{255, 230, 120});
    img.Set(x + 1, y, Rgb{255, 230, 120});
    img.Set(x, y - 1, Rgb{255, 230, 120});
    img.Set(x, y + 1, Rgb{255, 230, 120});
  }
  return img;
}

// The beaten DoraQ tumbling away: his own art turned on its side, dazed.
Image Tumbling(const ArtBook& book) {
  Image a = LookArt(book, 14);
  Image out(32, 32, kBlack, false);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (a.Opaque(x, y)) out.Set(31 - y, x, a.At(x, y));
  return out;
}

// Seven-segment clock digit, 48x72, on the clock window's colour.
Image ClockDigit(int d, bool urgent) {
  static const char* segs[10] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                 "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
  Image img(48, 72, kWell);
  Rgb on = urgent ? Rgb{255, 70, 50} : Rgb{255, 236, 120};
  Rgb onLight = urgent ? Rgb{255, 190, 160} : Rgb{255, 255, 230};
  Rgb glow = urgent ? Rgb{90, 10, 16} : Rgb{44, 40, 20};
  Rgb off = urgent ? Rgb{36, 8, 14} : Rgb{22, 22, 40};
  const int L = 8, R = 39, T = 6, M = 35, B = 65, th = 7;
  auto seg = [&](char s, Rgb c, int grow) {
    int g = grow;
    switch (s) {
      case 'a':
        img.FillPolygon({{L + 3.0 - g, T + 0.0 - g},
                         {R - 3.0 + g, T + 0.0 - g},
                         {R - 3.0 - th + g, T + th + 0.0 + g},
                         {L + 3.0 + th - g, T + th + 0.0 + g}},
                        c);
        break;
      case 'g':
        img.FillPolygon({{L + 4.0 - g, M + 0.0},
                         {L + 4.0 + th / 2.0, M - th / 2.0 - g},
                         {R - 4.0 - th / 2.0, M - th / 2.0 - g},
                         {R - 4.0 + g, M + 0.0},
                         {R - 4.0 - th / 2.0, M + th / 2.0 + g},
                         {L + 4.0 + th / 2.0, M + th / 2.0 + g}},
                        c);
        break;
      case 'd':
        img.FillPolygon({{L + 3.0 + th - g, B - th + 0.0 - g},
                         {R - 3.0 - th + g, B - th + 0.0 - g},
                         {R - 3.0 + g, B + 0.0 + g},
                         {L + 3.0 - g, B + 0.0 + g}},
                        c);
        break;
      case 'f':
        img.FillPolygon({{L + 0.0 - g, T + 3.0},
                         {L + th + 0.0 + g, T + th + 2.0},
                         {L + th + 0.0 + g, M - th / 2.0 - 1},
                         {L + 0.0 - g, M - 2.0}},
                        c);
        break;
      case 'b':
        img.FillPolygon({{R + 0.0 + g, T + 3.0},
                         {R - th + 0.0 - g, T + th + 2.0},
                         {R - th + 0.0 - g, M - th / 2.0 - 1},
                         {R + 0.0 + g, M - 2.0}},
                        c);
        break;
      case 'e':
        img.FillPolygon({{L + 0.0 - g, M + 2.0},
                         {L + th + 0.0 + g, M + th / 2.0 + 1},
                         {L + th + 0.0 + g, B - th - 2.0},
                         {L + 0.0 - g, B - 3.0}},
                        c);
        break;
      case 'c':
        img.FillPolygon({{R + 0.0 + g, M + 2.0},
                         {R - th + 0.0 - g, M + th / 2.0 + 1},
                         {R - th + 0.0 - g, B - th - 2.0},
                         {R + 0.0 + g, B - 3.0}},
                        c);
        break;
    }
  };
  for (char s : std::string("abcdefg")) seg(s, off, 0);
  for (char s : std::string(segs[d])) seg(s, glow, 1);
  for (char s : std::string(segs[d])) seg(s, on, 0);
  // a bright edge on the upper left of the lit segments
  Image copy = img;
  for (int y = 1; y < 72; ++y)
    for (int x = 1; x < 48; ++x)
      if (copy.At(x, y) == on && (copy.At(x - 1, y) != on || copy.At(x, y - 1) != on)) img.Set(x, y, onLight);
  return img;
}

// Loaded-fang icons: a little arena with the flight path from the shooter (left) to the target.
Image FangIcon(const ArtBook& book, int type) {
  Image img(64, 64, kPanel);
  img.Bevel(0, 0, 64, 64, kPanelLight, kPanelDark, 2);
  img.FillRect(4, 4, 56, 56, kWell);
  // faint arena grid
  for (int x = 4; x < 60; x += 8) img.FillRect(x, 4, 1, 56, Rgb{18, 20, 40});
  for (int y = 4; y < 60; y += 8) img.FillRect(4, y, 56, 1, Rgb{18, 20, 40});
  if (type == 0) {
    img.FillEllipse(32, 32, 12, 12, Rgb{40, 40, 70});
    img.FillEllipse(32, 32, 9, 9, kWell);
    img.Line(24, 40, 40, 24, Rgb{40, 40, 70}, 3);
    return img;
  }
  static const std::vector<std::pair<int, int>> paths[8] = {
      {},
      {{10, 44}, {40, 44}, {40, 16}},
      {{10, 32}, {52, 32}},
      {{10, 22}, {22, 52}, {34, 14}, {46, 52}, {54, 34}},
      {{10, 50}, {30, 22}, {54, 22}},
      {{10, 50}, {26, 50}, {26, 18}, {54, 18}},
      {{10, 52}, {24, 34}, {44, 34}, {44, 12}},
      {{10, 30}, {22, 52}, {42, 16}, {42, 50}},
  };
  const auto& p = paths[type];
  Rgb trail{255, 214, 80}, trailDark{120, 70, 10};
  for (size_t i = 0; i + 1 < p.size(); ++i)
    img.Line(p[i].first, p[i].second, p[i + 1].first, p[i + 1].second, trailDark, 5);
  for (size_t i = 0; i + 1 < p.size(); ++i)
    img.Line(p[i].first, p[i].second, p[i + 1].first, p[i + 1].second, trail, 3);
  // arrow head at the end
  auto [x1, y1] = p.back();
  auto [x0, y0] = p[p.size() - 2];
  double dx = x1 - x0, dy = y1 - y0, len = std::hypot(dx, dy);
  dx /= len, dy /= len;
  img.FillPolygon({{x1 + dx * 5, y1 + dy * 5},
                   {x1 - dx * 4 - dy * 6, y1 - dy * 4 + dx * 6},
                   {x1 - dx * 4 + dy * 6, y1 - dy * 4 - dx * 6}},
                  trail);
  img.FillEllipse(p.front().first, p.front().second, 4, 4, Rgb{90, 200, 255});
  img.FillEllipse(p.front().first - 1, p.front().second - 1, 1.5, 1.5, kWhite);
  Lettering small;
  small.scale = 1;
  small.rim_width = 1;
  DrawText(img, book, 6, 6, std::to_string(type), small);
  return img;
}

// The four 16x16 arena chips: floor, second floor, centre lane, block.
Image ArenaChip(int n) {
  Image t(16, 16);
  switch (n) {
    case 0:
      t.FillRect(0, 0, 16, 16, Rgb{38, 58, 74});
      t.Bevel(0, 0, 16, 16, Rgb{50, 74, 92}, Rgb{28, 44, 58}, 1);
      t.Set(4, 4, Rgb{56, 82, 100});
      t.Set(11, 10, Rgb{30, 48, 62});
      break;
    case 1:
      t.FillRect(0, 0, 16, 16, Rgb{48, 52, 84});
      t.Bevel(0, 0, 16, 16, Rgb{62, 66, 104}, Rgb{34, 36, 62}, 1);
      t.FillRect(6, 6, 4, 4, Rgb{58, 62, 98});
      break;
    case 2:
      t.FillRect(0, 0, 16, 16, Rgb{30, 30, 44});
      for (int y = 0; y < 16; ++y) t.Set((y + 4) % 16, y, Rgb{60, 56, 30}), t.Set((y + 5) % 16, y, Rgb{90, 80, 36});
      t.FillRect(7, 0, 2, 16, Rgb{120, 104, 44});
      break;
    case 3:
      t.FillRect(0, 0, 16, 16, Rgb{92, 70, 60});
      t.FillRect(0, 7, 16, 1, Rgb{52, 36, 34});
      t.FillRect(0, 15, 16, 1, Rgb{52, 36, 34});
      t.FillRect(7, 0, 1, 7, Rgb{52, 36, 34});
      t.FillRect(3, 8, 1, 7, Rgb{52, 36, 34});
      t.FillRect(12, 8, 1, 7, Rgb{52, 36, 34});
      t.FillRect(0, 0, 7, 1, Rgb{126, 100, 84});
      t.FillRect(8, 0, 8, 1, Rgb{126, 100, 84});
      t.FillRect(0, 8, 3, 1, Rgb{126, 100, 84});
      t.FillRect(4, 8, 8, 1, Rgb{126, 100, 84});
      break;
  }
  return t;
}

Image PausePanel(const ArtBook& book) {
  Image img(256, 96);
  Panel(img, 0, 0, 256, 96);
  img.Frame(4, 4, 248, 88, kGoldDark);
  Lettering big;
  DrawText(img, book, (256 - TextWidth("pause", big)) / 2, 14, "pause", big);
  Lettering small;
  small.scale = 2;
  small.rim_width = 1;
  small.top = Rgb{230, 230, 255};
  small.bottom = Rgb{150, 160, 230};
  DrawText(img, book, 24, 52, "esc", small);
  DrawText(img, book, 88, 52, "quit", small);
  DrawText(img, book, 24, 72, "key", small);
  DrawText(img, book, 88, 72, "resume", small);
  return img;
}

}  // namespace

Sheet BuildChar2(const ArtBook& book) {
  Sheet s{Image(640, 1152), Image(640, 96, kWhite)};
  Image& pic = s.picture;
  Image& mask = s.mask;

  // Fighter rows and their silhouettes.
  FighterRow hero = HeroRow(book);
  for (int i = 0; i < 8; ++i) pic.Draw(hero[i], 32 * i, 0);
  for (int id = 0; id < kComputerCharacters; ++id) {
    FighterRow row = ComputerRow(book, id);
    for (int i = 0; i < 8; ++i) pic.Draw(row[i], 32 * i, 32 * (id + 1));
  }
  FighterRow right = SilhouetteRow(book, true), left = SilhouetteRow(book, false);
  for (int i = 0; i < 8; ++i) {
    mask.Draw(right[i], 32 * i, 0);
    mask.Draw(left[i], 32 * i, 32);
  }

  // Chips (fully opaque) and gauge tiles of every owner; x 544 is character 17's,
  // which is also the right human's look.
  auto owner = [&](int x, int look) {
    FighterColours c = ColoursOf(book, look);
    pic.Draw(Chip(c), x, 0);
    auto tiles = GaugeTiles(c);
    for (int k = 0; k < 3; ++k) pic.Draw(tiles[k], x, 32 + 8 * k);
  };
  owner(256, kHeroLook);
  for (int id = 0; id < kComputerCharacters; ++id) owner(272 + 16 * id, id);
  mask.FillRect(256, 0, 336, 16, kBlack);

  // Item ball, round-won mark, the two round-end sprites, the right player's versus cursor.
  Image items[4] = {ItemBall(0), ItemBall(1), JumpGlow(), Tumbling(book)};
  int itemX[4] = {256, 288, 352, 384};
  for (int i = 0; i < 4; ++i) {
    pic.Draw(items[i], itemX[i], 64);
    mask.Draw(items[i].MaskOf(), itemX[i], 64, true);
  }
  pic.Draw(WinMark(), 320, 64);
  mask.FillRect(320, 64, 32, 32, kBlack);
  pic.Draw(FangFrame(book, 17, 0, true), 416, 64);
  pic.Draw(FangFrame(book, 17, 1, true), 448, 64);

  // Clock digits: normal set at y 96, the last-ten-seconds set at y 240.
  for (int d = 0; d < 10; ++d) {
    pic.Draw(ClockDigit(d, false), 256 + 48 * (d % 5), 96 + 72 * (d / 5), true);
    pic.Draw(ClockDigit(d, true), 256 + 48 * (d % 5), 240 + 72 * (d / 5), true);
  }
  // Fang icons 0..7 in a 5x2 grid; cells 8 and 9 are spare, cell 8 holds the arena chips.
  for (int i = 0; i < 10; ++i) {
    Image icon = i < 8 ? FangIcon(book, i) : Image(64, 64, kBack);
    pic.Draw(icon, 256 + 64 * (i % 5), 384 + 64 * (i / 5), true);
  }
  for (int n = 0; n < 4; ++n) pic.Draw(ArenaChip(n), 448 + 16 * n, 448, true);

  pic.Draw(PausePanel(book), 256, 512, true);
  pic.Draw(BuildBattleFrame(book), 0, 672, true);
  return s;
}
