// platform/ui: the glyph set and the fonts of the ImGui layer.
#include "platform/ui/FontAtlas.h"

#include <set>

#include "platform/ui/help/LineBreak.h"
#include "platform/Text.h"

namespace platform::ui {

namespace {

// Everything beyond ASCII that the game's sources and help file use (generated at build time).
constexpr ImWchar kTextGlyphs[] = {
#include "text_glyphs.inc"
};

// Whole blocks that any Japanese text may use: Latin-1, general punctuation, the CJK
// punctuation, both kana and the full-width forms.
constexpr ImWchar kBaseRanges[][2] = {
    {0x0020, 0x00FF}, {0x2010, 0x205E}, {0x3000, 0x30FF}, {0xFF01, 0xFF9F}, {0xFFE0, 0xFFEE},
};

std::set<ImWchar>& Extra() {
  static std::set<ImWchar> extra(std::begin(kTextGlyphs), std::end(kTextGlyphs));
  return extra;
}

bool InBase(char32_t c) {
  for (const auto& r : kBaseRanges)
    if (c >= r[0] && c <= r[1]) return true;
  return false;
}

}  // namespace

std::vector<ImWchar> GlyphRanges() {
  std::vector<ImWchar> ranges;
  for (const auto& r : kBaseRanges) {
    ranges.push_back(r[0]);
    ranges.push_back(r[1]);
  }
  for (ImWchar c : Extra()) {
    if (InBase(c)) continue;
    if (!ranges.empty() && ranges.back() + 1 == c && ranges.size() > 2 * std::size(kBaseRanges)) {
      ranges.back() = c;  // extends the run the previous character started
    } else {
      ranges.push_back(c);
      ranges.push_back(c);
    }
  }
  ranges.push_back(0);
  return ranges;
}

bool AddGlyphs(std::string_view utf8) {
  bool added = false;
  for (size_t i = 0; i < utf8.size();) {
    size_t len = 0;
    const char32_t c = DecodeUtf8(utf8, i, &len);
    i += len;
    if (c < 0x20 || c > 0xFFFF || InBase(c)) continue;
    added |= Extra().insert(static_cast<ImWchar>(c)).second;
  }
  return added;
}

ImFont* AddGameFont(ImFontAtlas& atlas, float scale, const std::vector<ImWchar>* only) {
  // ImGui keeps a pointer to the ranges until the atlas is built again.
  static std::vector<ImWchar> ranges;
  ranges = only ? *only : GlyphRanges();
  atlas.Clear();
  ImFont* font = nullptr;
  const std::string file = FontFileFor("ＭＳ Ｐゴシック");
  if (!file.empty()) {
    // Small dialog text stays sharp when its glyphs sit on whole pixels.
    ImFontConfig small;
    small.OversampleH = 1;
    small.OversampleV = 1;
    small.PixelSnapH = true;
    font = atlas.AddFontFromFileTTF(file.c_str(), 12.0f * scale, &small, ranges.data());
  }
  return font ? font : atlas.AddFontDefault();
}

}  // namespace platform::ui
