// platform/ui: the font of the menu bar, the dialogs and the help viewer, and the characters
// its atlas holds: the game's own texts decide them, not a fixed table of ranges.
#pragma once
#include <imgui.h>

#include <string_view>
#include <vector>

namespace platform::ui {

// Every character the atlas must hold, as ImGui glyph ranges (pairs of first and last code
// point, ended by 0): the printable ASCII and Latin-1, the kana and the punctuation of
// Japanese text, every character of the game's texts (its sources and help file, gathered
// when it was built) and whatever AddGlyphs was given since. Sizes play no part: the atlas
// may be built from it at any scale.
std::vector<ImWchar> GlyphRanges();

// Adds the characters of a UTF-8 text (a help file, a message naming a file); true when one
// of them was new, so the atlas must be built again before that text can show.
bool AddGlyphs(std::string_view utf8);

// Clears the atlas and adds the one font of the menu bar, the dialogs, the message boxes and
// the help: "ＭＳ Ｐゴシック" at 12 pixels times scale, with the glyphs of GlyphRanges(), or
// of only when given (ranges of the same form, kept alive until the atlas is built). Without
// the Japanese font, ImGui's own.
ImFont* AddGameFont(ImFontAtlas& atlas, float scale, const std::vector<ImWchar>* only = nullptr);

}  // namespace platform::ui
