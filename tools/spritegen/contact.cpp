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

}  // namespace

void WriteContactSheets(const ArtBook& book, const std::string& dir, const Sheet& char2, const Sheet& char0,
                        const Image& screen, const Sheet& moji, const Image& kao, const Image& reporter,
                        const Image& messageMask) {
  Lettering label = Label();
  {
    Image sheet(2000, 1220, Rgb{60, 60, 70});
    struct Item {
      const Image* img;
      const char* name;
      int x, y, zoom;
    };
    Item items[] = {{&char2.picture, "char2", 10, 30, 1},  {&char2.mask, "mask2", 670, 30, 1},
                    {&kao, "kao", 670, 170, 1},            {&char0.picture, "char0", 1330, 30, 1},
                    {&char0.mask, "mask0", 1600, 30, 1},   {&screen, "screen", 1330, 290, 1},
                    {&moji.picture, "moji", 1330, 590, 1}, {&moji.mask, "mojimask", 1600, 590, 1},
                    {&reporter, "reporter", 1600, 290, 1}, {&messageMask, "messagemask", 1330, 830, 8}};
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
}
