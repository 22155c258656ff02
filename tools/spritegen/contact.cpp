#include "contact.h"

#include <algorithm>

#include "text.h"

namespace {

Lettering Label() {
  Lettering l;
  l.scale = 2;
  l.rim_width = 1;
  return l;
}

// Picture cut through its mask (black = opaque) over a grey checkerboard, enlarged.
Image Masked(const Image& pic, int px, int py, const Image& mask, int mx, int my, int w, int h, int zoom) {
  Image out(w * zoom, h * zoom);
  for (int y = 0; y < h * zoom; ++y)
    for (int x = 0; x < w * zoom; ++x) {
      int sx = x / zoom, sy = y / zoom;
      bool opaque = mask.At(mx + sx, my + sy) == kBlack;
      Rgb check = ((x / 6 + y / 6) % 2) ? Rgb{150, 150, 160} : Rgb{200, 200, 210};
      out.Set(x, y, opaque ? pic.At(px + sx, py + sy) : check);
    }
  return out;
}

// Copies a cell through a mask sheet (black = opaque) as the game's AND/OR drawing does.
void Blit(Image& dst, int dx, int dy, const Image& pic, int px, int py, const Image& mask, int mx, int my, int w,
          int h) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (mask.At(mx + x, my + y) == kBlack) dst.Set(dx + x, dy + y, pic.At(px + x, py + y));
}

void Copy(Image& dst, int dx, int dy, const Image& pic, int px, int py, int w, int h) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) dst.Set(dx + x, dy + y, pic.At(px + x, py + y));
}

// A still of a battle in progress, put together from the sheets the way the game cuts them.
Image BattleStill(const Sheet& c2, const Sheet& moji, int opponent, int clock, int lead) {
  const Image& pic = c2.picture;
  const Image& mask = c2.mask;
  Image scr(640, 480);
  Copy(scr, 0, 0, pic, 0, 672, 640, 480);
  const int ox = 24, oy = 136;
  for (int r = 0; r < 20; ++r)
    for (int c = 0; c < 37; ++c) {
      int n = (c >= 16 && c <= 18) ? 2 : (r == 0 || r == 19) ? 3 : (r + c) % 2;
      Copy(scr, ox + 16 * c, oy + 16 * r, pic, 448 + 16 * n, 448, 16, 16);
    }
  int row = 32 * (opponent + 1);
  Blit(scr, ox + 144, oy + 160, pic, 0, 0, mask, 0, 0, 32, 32);
  Blit(scr, ox + 400, oy + 96, pic, 32, row, mask, 32, 32, 32, 32);
  Blit(scr, ox + 220, oy + 160, pic, 64, 0, mask, 64, 0, 32, 32);     // hero fang
  Blit(scr, ox + 330, oy + 112, pic, 96, row, mask, 96, 32, 32, 32);  // opponent fang
  Blit(scr, ox + 96, oy + 48, pic, 256, 64, mask, 256, 64, 32, 32);   // items
  Blit(scr, ox + 470, oy + 240, pic, 288, 64, mask, 288, 64, 32, 32);
  Copy(scr, ox + 64, oy + 224, pic, 256, 0, 16, 16);  // chips
  Copy(scr, ox + 512, oy + 32, pic, 272 + 16 * opponent, 0, 16, 16);
  Copy(scr, ox + 208, oy + 272, pic, 272 + 16 * opponent, 0, 16, 16);
  // gauge: three bands per side, tiled with each side's brush tiles
  int left = 280 + lead;
  for (int k = 0; k < 3; ++k)
    for (int x = 40; x < 600; ++x)
      for (int y = 96 + 8 * k; y < 104 + 8 * k; ++y) {
        bool mine = x < 40 + left;
        int tx = mine ? 256 : 272 + 16 * opponent;
        scr.Set(x, y, pic.At(tx + x % 8, 32 + 8 * k + y % 8));
      }
  int top = clock > 9 ? 96 : 240;
  for (int i = 0; i < 2; ++i) {
    int d = i == 0 ? clock / 10 : clock % 10;
    Copy(scr, 272 + 48 * i, 16, pic, 256 + 48 * (d % 5), top + 72 * (d / 5), 48, 72);
  }
  Copy(scr, 8, 24, pic, 256 + 64 * 2, 384, 64, 64);
  Copy(scr, 568, 24, pic, 256 + 64 * 0, 384 + 64, 64, 64);
  Copy(scr, 80, 24, pic, 320, 64, 32, 32);
  const std::string text = "round 2";
  const std::string order = "abcdefghijklmnopqrstuvwxyz!?0123456789";
  for (size_t i = 0; i < text.size(); ++i) {
    auto n = order.find(text[i]);
    if (n == std::string::npos) continue;
    int gx = 32 * static_cast<int>(n % 8), gy = 32 * static_cast<int>(n / 8);
    Blit(scr, 208 + 32 * static_cast<int>(i), 232, moji.picture, gx, gy, moji.mask, gx, gy, 32, 32);
  }
  return scr;
}

}  // namespace

void WriteContactSheets(const ArtBook& book, const std::string& dir, const Sheet& char2, const Sheet& char0,
                        const Image& screen, const Sheet& moji, const Image& reporter, const Image& messageMask) {
  Lettering label = Label();
  {
    Image sheet(2000, 1220, Rgb{60, 60, 70});
    struct Item {
      const Image* img;
      const char* name;
      int x, y, zoom;
    };
    Item items[] = {{&char2.picture, "char2", 10, 30, 1},       {&char2.mask, "mask2", 670, 30, 1},
                    {&char0.picture, "char0", 1330, 30, 1},     {&char0.mask, "mask0", 1600, 30, 1},
                    {&screen, "screen", 1330, 290, 1},          {&moji.picture, "moji", 1330, 590, 1},
                    {&moji.mask, "mojimask", 1600, 590, 1},     {&reporter, "reporter", 1600, 290, 1},
                    {&messageMask, "messagemask", 1330, 830, 8}};
    for (auto& it : items) {
      sheet.Draw(it.img->Scaled(it.zoom), it.x, it.y, true);
      DrawText(sheet, book, it.x, it.y - 20, it.name, label);
    }
    sheet.SavePng(dir + "/contact_pictures.png");
  }
  {
    // hero (row 0, right-facing mask) and every computer row (left-facing mask)
    const int zoom = 3, rowH = 32 * zoom + 8;
    Image sheet(256 * zoom + 120, 21 * rowH + 10, Rgb{60, 60, 70});
    for (int r = 0; r < 21; ++r) {
      int top = 32 * r;
      int maskTop = r == 0 ? 0 : 32;
      Image row = Masked(char2.picture, 0, top, char2.mask, 0, maskTop, 256, 32, zoom);
      sheet.Draw(row, 110, 5 + r * rowH, true);
      DrawText(sheet, book, 8, 5 + r * rowH + 40, r == 0 ? "hero" : std::to_string(r - 1), label);
    }
    sheet.SavePng(dir + "/contact_fighters.png");
  }
  {
    // the small parts cut through their masks: item, glow, tumbling, cursor, chips
    Image sheet(900, 200, Rgb{60, 60, 70});
    sheet.Draw(Masked(char2.picture, 256, 64, char2.mask, 256, 64, 192, 32, 4), 10, 10, true);
    sheet.Draw(Masked(char2.picture, 256, 0, char2.mask, 256, 0, 336, 16, 2), 10, 150, true);
    sheet.Draw(Masked(char0.picture, 0, 0, char0.mask, 0, 0, 64, 64, 2), 780, 10, true);
    sheet.SavePng(dir + "/contact_parts.png");
  }
  {
    Image sheet(1280, 960);
    int opponents[4] = {0, 8, 14, 3};
    for (int i = 0; i < 4; ++i)
      sheet.Draw(BattleStill(char2, moji, opponents[i], i == 2 ? 7 : 42 - 11 * i, 60 - 50 * i), 640 * (i % 2),
                 480 * (i / 2), true);
    sheet.SavePng(dir + "/contact_battle.png");
  }
}
