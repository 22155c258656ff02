#include "fighters.h"

#include <stdexcept>
#include <string>

namespace {

std::string ArtName(int look) { return look == kHeroLook ? "hero" : "char" + std::to_string(look); }

Rgb ColourOr(const Art& art, char key, Rgb fallback) {
  auto it = art.colours.find(key);
  return it == art.colours.end() ? fallback : it->second;
}

// Frame B: everything above the feet bobs down one pixel.
Image Bob(const Image& a) {
  Image out(a.w(), a.h(), kBlack, false);
  for (int y = 0; y < a.h(); ++y)
    for (int x = 0; x < a.w(); ++x) {
      int sy = y <= 27 ? y - 1 : y;
      if (sy >= 0 && a.Opaque(x, sy)) out.Set(x, y, a.At(x, sy));
    }
  return out;
}

// Victory pose 1: crouched, the body pressed into the lower 28 rows.
Image Crouch(const Image& a) {
  Image out(a.w(), a.h(), kBlack, false);
  for (int y = 4; y < 32; ++y) {
    int sy = (y - 4) * 32 / 28;
    for (int x = 0; x < a.w(); ++x)
      if (a.Opaque(x, sy)) out.Set(x, y, a.At(x, sy));
  }
  return out;
}

// Victory pose 2: in the air with two sparkles.
Image Leap(const Image& a, bool withColour) {
  Image out = a.Shifted(0, -3);
  Rgb spark = withColour ? Rgb{255, 240, 120} : kBlack;
  Rgb core = withColour ? kWhite : kBlack;
  for (auto [cx, cy] : {std::pair{2, 3}, std::pair{29, 6}}) {
    for (int d = -2; d <= 2; ++d) {
      out.Set(cx + d, cy, spark);
      out.Set(cx, cy + d, spark);
    }
    out.Set(cx, cy, core);
  }
  return out;
}

Image Tint(Image img, Rgb towards, int percent, Rgb outline, Rgb outlineTo) {
  img.Recolour([&](Rgb c) { return c == outline ? outlineTo : Mix(c, towards, percent); });
  return img;
}

FighterRow RowFrom(const Image& a, const Image& fangA, const Image& fangB, Rgb outline) {
  Image b = Bob(a);
  const Rgb hurtRim{150, 0, 30};
  return {a,
          b,
          fangA,
          fangB,
          Tint(a, Rgb{255, 250, 235}, 55, outline, hurtRim),
          Tint(b, Rgb{255, 70, 60}, 45, outline, hurtRim),
          Crouch(a),
          Leap(a, true)};
}

}  // namespace

FighterColours ColoursOf(const ArtBook& book, int look) {
  const Art& art = book.Get(ArtName(look));
  FighterColours c;
  c.main = ColourOr(art, '1', ColourOr(art, 'B', Rgb{200, 120, 40}));
  c.dark = ColourOr(art, '2', Shade(c.main, 60));
  c.light = ColourOr(art, '3', Shade(c.main, 160));
  c.outline = ColourOr(art, 'o', Rgb{28, 20, 36});
  return c;
}

Image LookArt(const ArtBook& book, int look) {
  Image art = book.Get(ArtName(look)).Render();
  Image body = book.Get("body").Render();
  if (art.w() != 32 || art.h() != 32) throw std::runtime_error(ArtName(look) + " is not 32x32");
  // Every look must cover exactly the shared outline, or the shared mask would cut it.
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if (art.Opaque(x, y) != body.Opaque(x, y))
        throw std::runtime_error(ArtName(look) + ": pixel (" + std::to_string(x) + "," + std::to_string(y) + ") " +
                                 (art.Opaque(x, y) ? "lies outside" : "is missing from") + " the shared outline");
  return art;
}

Image FangFrame(const ArtBook& book, int look, int frame, bool facingRight) {
  FighterColours c = ColoursOf(book, look);
  std::map<char, Rgb> colours{
      {'1', c.main}, {'2', c.dark}, {'3', c.light}, {'o', c.outline}, {'4', Mix(c.light, c.main, 35)}};
  Image img = book.Get(frame == 0 ? "fang_a" : "fang_b").Render(colours);
  return facingRight ? img.MirrorX() : img;
}

FighterRow ComputerRow(const ArtBook& book, int look) {
  return RowFrom(LookArt(book, look), FangFrame(book, look, 0, false), FangFrame(book, look, 1, false),
                 ColoursOf(book, look).outline);
}

FighterRow HeroRow(const ArtBook& book) {
  FighterRow row = ComputerRow(book, kHeroLook);
  for (int i = 0; i < 8; ++i) {
    if (i == 2 || i == 3) continue;  // the fangs are turned separately below
    row[i] = row[i].MirrorX();
  }
  row[2] = FangFrame(book, kHeroLook, 0, true);
  row[3] = FangFrame(book, kHeroLook, 1, true);
  return row;
}

FighterRow SilhouetteRow(const ArtBook& book, bool facingRight) {
  Image body = book.Get("body").Render();
  body.Recolour([](Rgb) { return kBlack; });
  Image fa = book.Get("fang_a").Render(), fb = book.Get("fang_b").Render();
  FighterRow row = RowFrom(body, fa, fb, kBlack);
  row[7] = Leap(body, false);
  for (auto& img : row) {
    img.Recolour([](Rgb) { return kBlack; });
    if (facingRight) img = img.MirrorX();
  }
  return row;
}
