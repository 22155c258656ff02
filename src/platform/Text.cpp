// platform: fonts through fontconfig + SDL_ttf.
#include "platform/Text.h"

#include "platform/DrawnText.h"

#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <tuple>

namespace platform {

namespace {

bool IsMonospacedFace(const std::string& face) {
  // "ＭＳ ゴシック" (no "Ｐ") and its ASCII spelling are the fixed-pitch face.
  return face.find("Ｐ") == std::string::npos && face.find("P") == std::string::npos;
}

std::string FindFontFile(const char* family) {
  std::string file;
  if (!FcInit()) return file;
  FcPattern* pat = FcNameParse(reinterpret_cast<const FcChar8*>(family));
  FcConfigSubstitute(nullptr, pat, FcMatchPattern);
  FcDefaultSubstitute(pat);
  FcResult res;
  FcPattern* match = FcFontMatch(nullptr, pat, &res);
  if (match) {
    FcChar8* got = nullptr;
    FcChar8* fam = nullptr;
    // fontconfig always answers with some font; keep it only if it is the family asked for.
    // A font lists its family in several languages and the locale decides which comes
    // first ("IPAゴシック" under a Japanese locale), so look at every name it has.
    bool same = false;
    for (int i = 0; !same && FcPatternGetString(match, FC_FAMILY, i, &fam) == FcResultMatch; ++i)
      same = std::string(reinterpret_cast<const char*>(fam)) == family;
    if (same && FcPatternGetString(match, FC_FILE, 0, &got) == FcResultMatch) file = reinterpret_cast<const char*>(got);
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pat);
  return file;
}

TTF_Font* GetFont(const Font& font) {
  static std::map<std::tuple<bool, int, bool>, TTF_Font*> cache;
  if (!TTF_WasInit() && TTF_Init() != 0) return nullptr;
  bool mono = IsMonospacedFace(font.name);
  int px = FontPixels(font.size);
  auto key = std::make_tuple(mono, px, font.bold);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  std::string file = FontFileFor(font.name);
  TTF_Font* f = file.empty() ? nullptr : TTF_OpenFont(file.c_str(), px);
  if (f && font.bold) TTF_SetFontStyle(f, TTF_STYLE_BOLD);
  if (!f) {
    static bool warned = false;
    if (!warned) std::fprintf(stderr, "bramko2: no Japanese font found (install fonts-ipafont-gothic)\n");
    warned = true;
  }
  cache[key] = f;
  return f;
}

}  // namespace

int FontPixels(int pointSize) {
  if (pointSize < 0) return -pointSize;
  return static_cast<int>(std::lround(pointSize * 96.0 / 72.0));
}

std::string FontFileFor(const std::string& faceName) {
  static const std::string mono = FindFontFile("IPAGothic");
  static const std::string prop = FindFontFile("IPAPGothic");
  return IsMonospacedFace(faceName) ? mono : prop;
}

TextSize MeasureText(const std::string& utf8, const Font& font) {
  TTF_Font* f = GetFont(font);
  if (!f) return {};
  int w = 0, h = 0;
  if (!utf8.empty()) TTF_SizeUTF8(f, utf8.c_str(), &w, &h);
  return {w, TTF_FontHeight(f)};
}

void DrawText(Bitmap& target, int x, int y, const std::string& utf8, const Font& font, bool opaque, Color bg) {
  NoteDrawnText(utf8);
  TTF_Font* f = GetFont(font);
  if (!f || utf8.empty()) return;
  if (opaque) {
    TextSize sz = MeasureText(utf8, font);
    Canvas& c = target.GetCanvas();
    Brush saved = c.brush;
    c.brush = Brush{bg, BrushStyle::Solid, nullptr};
    c.FillRect({x, y, x + sz.w, y + sz.h});
    c.brush = saved;
  }
  SDL_Color col{static_cast<Uint8>(font.color >> 16), static_cast<Uint8>(font.color >> 8),
                static_cast<Uint8>(font.color), 255};
  SDL_Surface* s = TTF_RenderUTF8_Blended(f, utf8.c_str(), col);
  if (!s) return;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(s);
  if (!argb) return;
  for (int j = 0; j < argb->h; ++j) {
    int ty = y + j;
    if (ty < 0 || ty >= target.Height()) continue;
    const Uint32* src = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) + j * argb->pitch);
    Color* dst = target.Row(ty);
    for (int i = 0; i < argb->w; ++i) {
      int tx = x + i;
      if (tx < 0 || tx >= target.Width()) continue;
      Uint32 p = src[i];
      unsigned a = p >> 24;
      if (a == 0) continue;
      Color d = dst[tx];
      auto mix = [a](unsigned s, unsigned t) { return (s * a + t * (255 - a) + 127) / 255; };
      dst[tx] = Rgb(mix((p >> 16) & 255, (d >> 16) & 255), mix((p >> 8) & 255, (d >> 8) & 255), mix(p & 255, d & 255));
    }
  }
  target.Touch({x, y, x + argb->w, y + argb->h});
  SDL_FreeSurface(argb);
}

}  // namespace platform
