// platform/ui (internal): the look of the system's dialogs of the game's day, shared by the
// dialog controls, the menu bar, the message boxes and the help viewer: grey faces, white
// and grey bevels, sunken white fields, a navy highlight. Coordinates are screen pixels.
#pragma once
#include <imgui.h>

namespace platform::ui::style {

constexpr ImU32 Col(int r, int g, int b) { return IM_COL32(r, g, b, 255); }
constexpr ImU32 kFace = Col(212, 208, 200), kShadow = Col(128, 128, 128), kDark = Col(64, 64, 64);
constexpr ImU32 kLight = Col(255, 255, 255), kText = Col(0, 0, 0), kNavy = Col(10, 36, 106);
constexpr ImU32 kTrack = Col(236, 233, 227), kGreyText = Col(128, 128, 128);
constexpr ImU32 kSelection = Col(166, 202, 240);  // selected text in an edit box

inline void Fill(ImDrawList* dl, float x, float y, float w, float h, ImU32 c) {
  dl->AddRectFilled(ImVec2(x, y), ImVec2(x + w, y + h), c);
}
inline void Frame(ImDrawList* dl, float x, float y, float w, float h, ImU32 c) {
  Fill(dl, x, y, w, 1, c);
  Fill(dl, x, y + h - 1, w, 1, c);
  Fill(dl, x, y, 1, h, c);
  Fill(dl, x + w - 1, y, 1, h, c);
}
// Top and left edge in one colour, bottom and right in the other.
inline void Edge(ImDrawList* dl, float x, float y, float w, float h, ImU32 topLeft, ImU32 bottomRight) {
  Fill(dl, x, y, w - 1, 1, topLeft);
  Fill(dl, x, y, 1, h - 1, topLeft);
  Fill(dl, x, y + h - 1, w, 1, bottomRight);
  Fill(dl, x + w - 1, y, 1, h, bottomRight);
}
// A raised face (button, menu, window frame).
inline void Raised(ImDrawList* dl, float x, float y, float w, float h) {
  Fill(dl, x, y, w, h, kFace);
  Edge(dl, x, y, w, h, kFace, kDark);
  Edge(dl, x + 1, y + 1, w - 2, h - 2, kLight, kShadow);
}
// A sunken white field (list, edit box, text view).
inline void Sunken(ImDrawList* dl, float x, float y, float w, float h) {
  Fill(dl, x, y, w, h, kLight);
  Edge(dl, x, y, w, h, kShadow, kLight);
  Edge(dl, x + 1, y + 1, w - 2, h - 2, kDark, kFace);
}
// An etched line (menu separator).
inline void Etched(ImDrawList* dl, float x, float y, float w) {
  Fill(dl, x, y, w, 1, kShadow);
  Fill(dl, x, y + 1, w, 1, kLight);
}

}  // namespace platform::ui::style
