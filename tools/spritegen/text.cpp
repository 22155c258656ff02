#include "text.h"

#include <cctype>

std::string GlyphArtName(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if (std::isalpha(u)) return std::string("glyph_") + static_cast<char>(std::tolower(u));
  if (std::isdigit(u)) return std::string("glyph_") + c;
  switch (c) {
    case '!': return "glyph_bang";
    case '?': return "glyph_quest";
    case '%': return "glyph_percent";
    case '.': return "glyph_dot";
    case '<': return "glyph_lt";
    case '>': return "glyph_gt";
    case '@': return "glyph_at";
    case '\xA5': return "glyph_mdot";
    case '$': return "glyph_dollar";
    case '-': return "glyph_minus";
    case ':': return "glyph_colon";
    case '/': return "glyph_slash";
    default: return "";
  }
}

Image LetterImage(const ArtBook& book, char c, const Lettering& st) {
  int size = 8 * st.scale + 2 * st.rim_width;
  Image out(size, size, kBlack, false);
  std::string name = GlyphArtName(c);
  if (name.empty() || !book.Has(name)) return out;
  Image shape = book.Get(name).Render().Scaled(st.scale);
  int h = 7 * st.scale;  // letters stand on row 7 of 8
  for (int y = 0; y < shape.h(); ++y)
    for (int x = 0; x < shape.w(); ++x)
      if (shape.Opaque(x, y)) {
        Rgb c2 = Mix(st.top, st.bottom, y * 100 / (h > 1 ? h - 1 : 1) > 100 ? 100 : y * 100 / (h > 1 ? h - 1 : 1));
        // a lighter upper-left edge gives the letters some body
        if (st.scale >= 2 && (!shape.Opaque(x - 1, y) || !shape.Opaque(x, y - 1))) c2 = Mix(c2, kWhite, 45);
        out.Set(x + st.rim_width, y + st.rim_width, c2);
      }
  for (int k = 0; k < st.rim_width; ++k) out = out.Outlined(st.rim);
  return out;
}

int DrawText(Image& dst, const ArtBook& book, int x, int y, const std::string& text, const Lettering& st) {
  int pen = x;
  for (char c : text) {
    if (c != ' ') dst.Draw(LetterImage(book, c, st), pen - st.rim_width, y - st.rim_width);
    pen += st.advance();
  }
  return pen - x;
}

int TextWidth(const std::string& text, const Lettering& st) {
  // the last letter's empty eighth column does not count
  return text.empty() ? 0 : static_cast<int>(text.size()) * st.advance() - st.scale;
}
