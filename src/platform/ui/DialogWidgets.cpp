// platform/ui: the game's dialog controls, drawn pixel by pixel in the look of the system's
// dialogs of its day: grey faces, bevelled buttons, sunken white fields, a navy caption.
#include "platform/ui/DialogWidgets.h"

#include <imgui.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <map>

#include "platform/ui/DialogStyle.h"
#include "platform/Dialogs.h"
#include "platform/DrawnText.h"
#include "platform/ui/ImGuiLayer.h"
#include "platform/Window.h"

namespace platform::dlg {

namespace {

// A result no dialog uses: the dialog queued an event for act().
constexpr int kEventQueued = 0x7FFF0001;

struct Entry {
  const std::function<bool()>* draw = nullptr;
  bool inModal = false;  // its own modal loop is running: it takes input
  bool queued = false;
};
std::vector<Entry*> g_stack;
std::map<std::string, int> g_listTop;     // first line in view of each list box
std::map<std::string, int> g_listEnsure;  // a line each list box must bring into view
constexpr int kScrollbarW = 16;

bool g_begun = false;    // BeginDialog pushed the dialog's style
bool g_drawing = false;  // inside a visible dialog window
bool g_active = false;   // the dialog being drawn takes input
ImVec2 g_origin;         // its client area's top-left corner on screen
int g_colors = 0, g_vars = 0;

using namespace ui::style;

ImVec4 V(ImU32 c) { return ImGui::ColorConvertU32ToFloat4(c); }
ImDrawList* DL() { return ImGui::GetWindowDrawList(); }
ImVec2 At(float x, float y) { return ImVec2(g_origin.x + x, g_origin.y + y); }
float FontPx() { return ui::TextSize(); }

void Fill(float x, float y, float w, float h, ImU32 c) {
  ui::style::Fill(DL(), g_origin.x + x, g_origin.y + y, w, h, c);
}
void Frame(float x, float y, float w, float h, ImU32 c) {
  ui::style::Frame(DL(), g_origin.x + x, g_origin.y + y, w, h, c);
}
void Raised(const Rect& r) { ui::style::Raised(DL(), g_origin.x + r.x, g_origin.y + r.y, r.w, r.h); }
void Pressed(const Rect& r) {
  Fill(r.x, r.y, r.w, r.h, kFace);
  Frame(r.x, r.y, r.w, r.h, kDark);
  Frame(r.x + 1, r.y + 1, r.w - 2, r.h - 2, kShadow);
}
void Sunken(const Rect& r) { ui::style::Sunken(DL(), g_origin.x + r.x, g_origin.y + r.y, r.w, r.h); }
void Text(float x, float y, const std::string& s, ImU32 c = kText) {
  NoteDrawnText(s);
  DL()->AddText(At(std::floor(x), std::floor(y)), c, s.c_str());
}
float Width(const std::string& s) { return ui::TextWidth(s); }
// Top of a line of text centred in a box of height h.
float MidY(const Rect& r) { return r.y + std::floor((r.h - FontPx()) / 2); }

// An invisible hit area over r; true when clicked (only in the dialog that takes input).
bool Hit(const std::string& id, const Rect& r) {
  ImGui::SetCursorScreenPos(At(r.x, r.y));
  bool clicked = ImGui::InvisibleButton(id.c_str(), ImVec2(r.w > 0 ? r.w : 1, r.h > 0 ? r.h : 1));
  return clicked && g_active;
}
bool HeldDown() { return g_active && ImGui::IsItemActive() && ImGui::IsItemHovered(); }

void DrawLayer() {
  for (size_t i = 0; i < g_stack.size(); ++i) {
    Entry* e = g_stack[i];
    g_active = i + 1 == g_stack.size() && e->inModal && !e->queued;
    bool queued = (*e->draw)();
    if (g_active && queued) e->queued = true;
  }
  g_active = false;
}

}  // namespace

int RunDialog(const std::function<bool()>& draw, const std::function<int()>& act) {
  Entry entry;
  entry.draw = &draw;
  g_stack.push_back(&entry);
  ui::SetDialogLayer(DrawLayer);
  // The key that opened the dialog belongs to whatever was on screen before it.
  ui::ClearKeyPresses();
  int result = 0;
  for (;;) {
    entry.inModal = true;
    entry.queued = false;
    int r = RunModal([&entry]() { return entry.queued ? kEventQueued : 0; });
    entry.inModal = false;
    entry.queued = false;
    if (r != kEventQueued) {
      result = kMsgCancel;
      break;
    }
    result = act();
    if (result) break;
  }
  g_stack.pop_back();
  if (g_stack.empty()) ui::SetDialogLayer(nullptr);
  return result;
}

bool BeginDialog(const std::string& title, int clientWidth, int clientHeight, bool* closeClicked) {
  g_begun = g_drawing = false;
  if (!ImGui::GetCurrentContext() || !ui::DialogFont()) return false;
  g_begun = true;
  ImGui::PushFont(ui::DialogFont());
  ImGui::PushStyleVar(ImGuiStyleVar_WindowRounding, 0.0f);
  ImGui::PushStyleVar(ImGuiStyleVar_WindowBorderSize, 1.0f);
  ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
  ImGui::PushStyleVar(ImGuiStyleVar_FramePadding, ImVec2(4, 3));
  ImGui::PushStyleVar(ImGuiStyleVar_ItemSpacing, ImVec2(0, 0));
  ImGui::PushStyleVar(ImGuiStyleVar_ScrollbarRounding, 0.0f);
  ImGui::PushStyleVar(ImGuiStyleVar_ScrollbarSize, 16.0f);
  ImGui::PushStyleVar(ImGuiStyleVar_PopupRounding, 0.0f);
  ImGui::PushStyleVar(ImGuiStyleVar_PopupBorderSize, 1.0f);
  ImGui::PushStyleVar(ImGuiStyleVar_WindowTitleAlign, ImVec2(0.0f, 0.5f));
  g_vars = 10;
  const std::pair<ImGuiCol, ImU32> colors[] = {
      {ImGuiCol_WindowBg, kFace},
      {ImGuiCol_Border, kDark},
      {ImGuiCol_TitleBg, kShadow},
      {ImGuiCol_TitleBgActive, kNavy},
      {ImGuiCol_TitleBgCollapsed, kShadow},
      {ImGuiCol_ChildBg, kLight},
      {ImGuiCol_PopupBg, kLight},
      {ImGuiCol_ScrollbarBg, kTrack},
      {ImGuiCol_ScrollbarGrab, kFace},
      {ImGuiCol_ScrollbarGrabHovered, kFace},
      {ImGuiCol_ScrollbarGrabActive, kShadow},
      {ImGuiCol_ButtonHovered, Col(58, 110, 165)},
      {ImGuiCol_ButtonActive, Col(40, 80, 130)},
      {ImGuiCol_Text, kLight},  // the caption's text
  };
  for (const auto& [slot, c] : colors) ImGui::PushStyleColor(slot, V(c));
  g_colors = static_cast<int>(std::size(colors));
  float titleHeight = ImGui::GetFrameHeight();
  ImGui::SetNextWindowPos(ui::PictureCentre(), ImGuiCond_Appearing, ImVec2(0.5f, 0.5f));
  ImGui::SetNextWindowSize(ImVec2(static_cast<float>(clientWidth), clientHeight + titleHeight), ImGuiCond_Always);
  ImGuiWindowFlags flags = ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_NoSavedSettings |
                           ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse;
  if (!g_active) flags |= ImGuiWindowFlags_NoInputs;
  bool open = true;
  NoteDrawnText(title.substr(0, title.find("##")));  // what follows "##" is ImGui's id, not shown
  bool visible = ImGui::Begin(title.c_str(), &open, flags);
  if (!open && g_active && closeClicked) *closeClicked = true;
  ImGui::PushStyleColor(ImGuiCol_Text, V(kText));  // popped before End
  g_origin = ImVec2(ImGui::GetWindowPos().x, ImGui::GetWindowPos().y + titleHeight);
  g_drawing = visible;
  return visible;
}

void EndDialog() {
  if (!g_begun) return;
  ImGui::PopStyleColor();
  ImGui::End();
  ImGui::PopStyleColor(g_colors);
  ImGui::PopStyleVar(g_vars);
  ImGui::PopFont();
  g_begun = g_drawing = false;
}

void GroupBox(const std::string& caption, Rect r) {
  if (!g_drawing) return;
  float line = r.y + std::floor(FontPx() / 2);
  float h = r.y + r.h - line;
  Frame(r.x + 1, line + 1, r.w - 1, h - 1, kLight);
  Frame(r.x, line, r.w - 1, h - 1, kShadow);
  if (caption.empty()) return;
  Fill(r.x + 6, r.y, Width(caption) + 4, FontPx() + 1, kFace);
  Text(r.x + 8, r.y, caption);
}

void Label(const std::string& text, int x, int y) {
  if (g_drawing) Text(x, y, text);
}

void Label(const std::string& text, Rect r) {
  if (!g_drawing) return;
  if (TextWidth(text) <= r.w) return Text(r.x, MidY(r), text);
  // Drop whole UTF-8 characters from the end: continuation bytes, then their lead byte.
  std::string cut = text;
  while (!cut.empty() && TextWidth(cut + "...") > r.w) {
    unsigned char last;
    do {
      last = static_cast<unsigned char>(cut.back());
      cut.pop_back();
    } while (!cut.empty() && (last & 0xC0) == 0x80);
  }
  Text(r.x, MidY(r), cut + "...");
}

bool CheckBox(const std::string& caption, Rect r, bool* checked) {
  if (!g_drawing) return false;
  const bool clicked = Hit("check:" + caption, r);
  if (clicked) *checked = !*checked;
  const float box = 13, y = r.y + std::floor((r.h - box) / 2);
  Sunken(Rect{r.x, static_cast<int>(y), static_cast<int>(box), static_cast<int>(box)});
  if (HeldDown()) Fill(r.x + 2, y + 2, box - 4, box - 4, kFace);
  if (*checked) {
    // The tick: a short stroke down to the right, a long one up.
    ImVec2 a = At(r.x + 3, y + 6), b = At(r.x + 5.5f, y + 8.5f), c = At(r.x + 10, y + 4);
    DL()->AddLine(a, b, kText, 2.0f);
    DL()->AddLine(b, c, kText, 2.0f);
  }
  Text(r.x + box + 4, MidY(r), caption);
  return clicked;
}

bool Button(const std::string& caption, Rect r, bool isDefault) {
  if (!g_drawing) return false;
  bool clicked = Hit("btn:" + caption, r);
  bool down = HeldDown();
  Rect face = r;
  if (isDefault) {
    Frame(r.x, r.y, r.w, r.h, kText);
    face = Rect{r.x + 1, r.y + 1, r.w - 2, r.h - 2};
  }
  down ? Pressed(face) : Raised(face);
  float shift = down ? 1 : 0;
  Text(face.x + std::floor((face.w - Width(caption)) / 2) + shift, MidY(face) + shift, caption);
  return clicked;
}

bool RadioGroup(const std::string& caption, const std::vector<std::string>& items, int columns, Rect r, int* index) {
  if (!g_drawing) return false;
  GroupBox(caption, r);
  const int n = static_cast<int>(items.size());
  if (n == 0 || columns < 1) return false;
  const int rows = (n + columns - 1) / columns;
  const float top = r.y + FontPx() + 2, bottom = r.y + r.h - 4;
  const float rowH = (bottom - top) / rows, colW = (r.w - 16.0f) / columns;
  bool changed = false;
  ImGui::PushID(caption.c_str());
  for (int i = 0; i < n; ++i) {
    float x = r.x + 8 + std::floor(colW * (i / rows));
    float y = std::floor(top + rowH * (i % rows));
    Rect hit{static_cast<int>(x), static_cast<int>(y), static_cast<int>(colW) - 4, static_cast<int>(rowH)};
    if (Hit("item" + std::to_string(i), hit) && *index != i) {
      *index = i;
      changed = true;
    }
    bool down = HeldDown();
    float cy = y + std::floor((rowH - 12) / 2);
    ImVec2 c = At(x + 6, cy + 6);
    DL()->AddCircleFilled(c, 5.5f, down ? kFace : kLight, 16);
    DL()->PathArcTo(c, 5.5f, 3.1416f * 0.75f, 3.1416f * 1.75f, 10);
    DL()->PathStroke(kShadow, 0, 1.0f);
    DL()->PathArcTo(c, 4.5f, 3.1416f * 0.75f, 3.1416f * 1.75f, 10);
    DL()->PathStroke(kDark, 0, 1.0f);
    if (*index == i) DL()->AddCircleFilled(c, 2.0f, kText, 12);
    Text(x + 16, cy, items[static_cast<size_t>(i)]);
  }
  ImGui::PopID();
  return changed;
}

bool ComboBox(const std::string& id, const std::vector<std::string>& items, Rect r, int* index) {
  if (!g_drawing) return false;
  const int n = static_cast<int>(items.size());
  bool clicked = Hit("combo:" + id, r);
  Sunken(r);
  if (*index >= 0 && *index < n) Text(r.x + 4, MidY(r), items[static_cast<size_t>(*index)]);
  Rect drop{r.x + r.w - 2 - 16, r.y + 2, 16, r.h - 4};
  HeldDown() ? Pressed(drop) : Raised(drop);
  ImVec2 tip = At(drop.x + 8, drop.y + drop.h / 2 + 2);
  DL()->AddTriangleFilled(ImVec2(tip.x - 4, tip.y - 3), ImVec2(tip.x + 3, tip.y - 3),
                          ImVec2(tip.x - 0.5f, tip.y + 0.5f), kText);
  std::string popup = "list:" + id;
  if (clicked) ImGui::OpenPopup(popup.c_str());
  bool changed = false;
  const float lineH = FontPx() + 3;
  ImGui::SetNextWindowPos(At(r.x, r.y + r.h));
  ImGui::SetNextWindowSize(ImVec2(static_cast<float>(r.w), lineH * n + 2));
  ImGui::PushStyleColor(ImGuiCol_Border, V(kText));
  ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(1, 1));
  if (ImGui::BeginPopup(popup.c_str(), ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings)) {
    ImVec2 base = ImGui::GetWindowPos();
    int hovered = -1;
    for (int i = 0; i < n; ++i) {
      ImVec2 p(base.x + 1, base.y + 1 + lineH * i);
      ImGui::SetCursorScreenPos(p);
      if (ImGui::InvisibleButton(("opt" + std::to_string(i)).c_str(), ImVec2(r.w - 2.0f, lineH))) {
        changed = *index != i;
        *index = i;
        ImGui::CloseCurrentPopup();
      }
      if (ImGui::IsItemHovered()) hovered = i;
    }
    int lit = hovered >= 0 ? hovered : *index;
    for (int i = 0; i < n; ++i) {
      ImVec2 p(base.x + 1, base.y + 1 + lineH * i);
      ImDrawList* dl = ImGui::GetWindowDrawList();
      if (i == lit) dl->AddRectFilled(p, ImVec2(p.x + r.w - 2, p.y + lineH), kNavy);
      NoteDrawnText(items[static_cast<size_t>(i)]);
      dl->AddText(ImVec2(std::floor(p.x + 3), std::floor(p.y + 1)), i == lit ? kLight : kText,
                  items[static_cast<size_t>(i)].c_str());
    }
    ImGui::EndPopup();
  }
  ImGui::PopStyleVar();
  ImGui::PopStyleColor();
  return changed && g_active;
}

namespace {

// A list box, or with no selection a read-only view of lines, scrolled by its scroll bar or
// the wheel.
bool Lines(const std::string& id, const std::vector<std::string>& lines, Rect r, int* selected) {
  Sunken(r);
  const float lineH = FontPx() + 1;
  const int n = static_cast<int>(lines.size());
  const Rect inner{r.x + 2, r.y + 2, r.w - 4, r.h - 4};
  const int visible = std::max(1, static_cast<int>(inner.h / lineH));
  const bool scrolls = n > visible;
  int& top = g_listTop[id];
  if (auto it = g_listEnsure.find(id); it != g_listEnsure.end()) {
    top = std::min(top, it->second);
    top = std::max(top, it->second - visible + 1);
    g_listEnsure.erase(it);
  }
  Rect area = inner;
  if (scrolls) area.w -= kScrollbarW;
  bool clicked = false;
  ImGui::PushID(id.c_str());
  if (Hit("lines", area) && selected) {
    int line = top + static_cast<int>((ImGui::GetIO().MousePos.y - At(area.x, area.y).y) / lineH);
    if (line >= 0 && line < n) {
      *selected = line;
      clicked = true;
    }
  }
  if (g_active && ImGui::IsItemHovered()) top -= static_cast<int>(ImGui::GetIO().MouseWheel) * 3;
  if (scrolls) {
    // The scroll bar: arrow buttons at both ends, the track pages, the thumb shows the view.
    const int x = inner.x + inner.w - kScrollbarW;
    Rect up{x, inner.y, kScrollbarW, kScrollbarW}, down{x, inner.y + inner.h - kScrollbarW, kScrollbarW, kScrollbarW};
    Rect track{x, up.y + up.h, kScrollbarW, down.y - up.y - up.h};
    if (Hit("up", up)) --top;
    HeldDown() ? Pressed(up) : Raised(up);
    if (Hit("down", down)) ++top;
    HeldDown() ? Pressed(down) : Raised(down);
    if (Hit("track", track)) {
      float y = ImGui::GetIO().MousePos.y - At(0, track.y).y;
      float thumbY = track.h * top / static_cast<float>(n);
      top += y < thumbY ? -visible : visible;
    }
    top = std::clamp(top, 0, n - visible);
    Fill(track.x, track.y, track.w, track.h, kTrack);
    int thumbH = std::max(8, track.h * visible / n);
    int thumbY = track.y + (track.h - thumbH) * top / std::max(1, n - visible);
    Raised(Rect{track.x, thumbY, track.w, thumbH});
    ImVec2 a = At(up.x + 8, up.y + 6), b = At(down.x + 8, down.y + 10);
    DL()->AddTriangleFilled(ImVec2(a.x - 0.5f, a.y - 0.5f), ImVec2(a.x + 3.5f, a.y + 3.5f),
                            ImVec2(a.x - 4.5f, a.y + 3.5f), kText);
    DL()->AddTriangleFilled(ImVec2(b.x - 4.5f, b.y - 3.5f), ImVec2(b.x + 3.5f, b.y - 3.5f),
                            ImVec2(b.x - 0.5f, b.y + 0.5f), kText);
  } else {
    top = 0;
  }
  DL()->PushClipRect(At(area.x, area.y), At(area.x + area.w, area.y + area.h), true);
  for (int i = top; i < n && i <= top + visible; ++i) {
    float y = area.y + lineH * (i - top);
    bool lit = selected && *selected == i;
    if (lit) Fill(area.x, y, area.w, lineH, kNavy);
    Text(area.x + 2, y, lines[static_cast<size_t>(i)], lit ? kLight : kText);
  }
  DL()->PopClipRect();
  ImGui::PopID();
  return clicked;
}

}  // namespace

bool ListBox(const std::string& id, const std::vector<std::string>& lines, Rect r, int* selected) {
  return g_drawing && Lines(id, lines, r, selected);
}

void TextView(const std::string& id, const std::vector<std::string>& lines, Rect r) {
  if (g_drawing) Lines(id, lines, r, nullptr);
}

void ScrollLines(const std::string& id, int lines) { g_listTop[id] += lines; }
void ScrollListTo(const std::string& id, int line) { g_listEnsure[id] = line; }

float TextWidth(std::string_view text) { return ui::TextWidth(text); }

int LineHeight() { return static_cast<int>(ui::TextSize()) + 1; }

bool KeyBox(const std::string& id, const std::string& text, Rect r, bool focused) {
  if (!g_drawing) return false;
  bool clicked = Hit("edit:" + id, r);
  Sunken(r);
  float x = r.x + 4, y = MidY(r);
  if (focused && g_active && !text.empty()) {
    // The whole text is selected while the box has the focus, as a system edit box shows it.
    Fill(x - 1, y, Width(text) + 2, FontPx() + 1, kNavy);
    Text(x, y, text, kLight);
  } else {
    Text(x, y, text);
  }
  if (focused && g_active) {
    constexpr double kBlink = 0.53;  // seconds on, then as long off
    const double phase = std::fmod(ImGui::GetTime(), 2 * kBlink);
    if (phase < kBlink) Fill(x + Width(text) + 1, r.y + 3, 1, r.h - 6, kText);
    ui::RedrawWithin(static_cast<uint32_t>(std::ceil(1000 * (kBlink - std::fmod(phase, kBlink)))));
  }
  return clicked;
}

bool TextBox(const std::string& id, std::string* text, Rect r, size_t maxBytes, bool* takeFocus) {
  if (!g_drawing) return false;
  Sunken(r);
  std::vector<char> buffer(maxBytes + 1, '\0');
  std::copy_n(text->begin(), std::min(text->size(), maxBytes), buffer.begin());
  ImGui::SetCursorScreenPos(At(r.x + 2, r.y + 2));
  ImGui::PushStyleColor(ImGuiCol_FrameBg, V(kLight));
  ImGui::PushStyleColor(ImGuiCol_TextSelectedBg, V(kSelection));
  ImGui::PushStyleVar(ImGuiStyleVar_FramePadding, ImVec2(2, std::floor((r.h - 4 - FontPx()) / 2)));
  ImGui::PushItemWidth(static_cast<float>(r.w - 4));
  if (takeFocus && *takeFocus && g_active) {
    ImGui::SetKeyboardFocusHere();
    *takeFocus = false;
  }
  const ImGuiInputTextFlags flags = g_active ? 0 : ImGuiInputTextFlags_ReadOnly;
  const bool changed = ImGui::InputText(("##text:" + id).c_str(), buffer.data(), buffer.size(), flags);
  ImGui::PopItemWidth();
  ImGui::PopStyleVar();
  ImGui::PopStyleColor(2);
  if (changed) *text = buffer.data();
  return changed;
}

void DrawAgainWithin(uint32_t ms) { ui::RedrawWithin(ms); }

std::vector<int> KeyPresses() {
  if (!g_active) return {};
  return ui::FrameKeyPresses();
}

}  // namespace platform::dlg
