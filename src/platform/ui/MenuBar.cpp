// platform/ui: the menu bar and its menus.
#include "platform/ui/MenuBar.h"

#include <imgui.h>

#include <algorithm>
#include <cctype>
#include <cmath>

#include "platform/ui/DialogStyle.h"
#include "platform/DrawnText.h"
#include "platform/ui/ImGuiLayer.h"
#include "platform/Translate.h"
#include "platform/Window.h"

namespace platform::ui {

namespace {

using namespace style;

constexpr float kTitlePad = 7, kItemH = 19, kSeparatorH = 8, kItemLeft = 20, kItemRight = 24;

int g_open = -1;    // the open menu, -1 none
int g_cursor = -1;  // the lit item of the open menu, -1 none
int g_pick = -1;    // an item picked by key, taken by the next frame
bool g_justOpened = false;

bool IsSeparator(const MenuItem& it) { return it.label == "-"; }

bool ValidMenu(int m) { return m >= 0 && m < static_cast<int>(Menus().size()); }

// The next item after (or before) the cursor that is not a separator.
int Step(int menu, int from, int dir) {
  const auto& items = Menus()[static_cast<size_t>(menu)].items;
  const int n = static_cast<int>(items.size());
  for (int k = 1; k <= n; ++k) {
    const int i = ((from + dir * k) % n + n) % n;
    if (!IsSeparator(items[static_cast<size_t>(i)])) return i;
  }
  return -1;
}

void Open(int menu, bool byKey) {
  g_open = menu;
  g_cursor = byKey ? Step(menu, -1, 1) : -1;
  g_justOpened = true;
}

float Width(const std::string& s) { return TextWidth(s); }

void Text(ImDrawList* dl, float x, float y, const std::string& s, ImU32 c) {
  NoteDrawnText(s);
  dl->AddText(ImVec2(std::floor(x), std::floor(y)), c, s.c_str());
}

}  // namespace

std::string MenuCaption(const std::string& label) {
  std::string out;
  for (size_t i = 0; i < label.size(); ++i) {
    if (label[i] == '&' && i + 1 < label.size()) ++i;
    out += label[i];
  }
  return out;
}

char MenuAccessKey(const std::string& label) {
  for (size_t i = 0; i + 1 < label.size(); ++i) {
    if (label[i] != '&') continue;
    if (label[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(label[i + 1])));
  }
  return 0;
}

bool MenuOpen() { return ValidMenu(g_open); }

void CloseMenu() { g_open = g_cursor = g_pick = -1; }

bool MenuKey(const SDL_KeyboardEvent& key) {
  if (!MenuVisible()) {
    CloseMenu();
    return false;
  }
  const SDL_Keycode k = key.keysym.sym;
  const char letter = (k >= SDLK_a && k <= SDLK_z)   ? static_cast<char>('A' + (k - SDLK_a))
                      : (k >= SDLK_0 && k <= SDLK_9) ? static_cast<char>(k)
                                                     : 0;
  const auto& menus = Menus();
  if (!MenuOpen()) {
    if (!(key.keysym.mod & KMOD_ALT) || !letter) return false;
    for (size_t m = 0; m < menus.size(); ++m) {
      if (MenuAccessKey(Tr(menus[m].label)) == letter) {
        Open(static_cast<int>(m), true);
        return true;
      }
    }
    return false;
  }
  if (key.repeat && k != SDLK_UP && k != SDLK_DOWN) return true;
  const int count = static_cast<int>(menus.size());
  switch (k) {
    case SDLK_ESCAPE: CloseMenu(); return true;
    case SDLK_UP: g_cursor = Step(g_open, g_cursor < 0 ? 0 : g_cursor, -1); return true;
    case SDLK_DOWN: g_cursor = Step(g_open, g_cursor, 1); return true;
    case SDLK_LEFT: Open((g_open + count - 1) % count, true); return true;
    case SDLK_RIGHT: Open((g_open + 1) % count, true); return true;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
    case SDLK_SPACE: g_pick = g_cursor; return true;
    case SDLK_LALT:
    case SDLK_RALT: CloseMenu(); return true;
    default: break;
  }
  if (letter) {
    const auto& items = menus[static_cast<size_t>(g_open)].items;
    for (size_t i = 0; i < items.size(); ++i)
      if (MenuAccessKey(Tr(items[i].label)) == letter) g_pick = static_cast<int>(i);
  }
  return true;  // an open menu has the keyboard
}

void DrawMenuBar(bool interactive, std::function<void()>* picked) {
  const auto& menus = Menus();
  if (!ValidMenu(g_open)) CloseMenu();
  const ImGuiWindowFlags flags = ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove |
                                 ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoScrollWithMouse |
                                 ImGuiWindowFlags_NoFocusOnAppearing | ImGuiWindowFlags_NoBringToFrontOnFocus |
                                 ImGuiWindowFlags_NoBackground;
  ImGui::PushFont(DialogFont());
  ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(0, 0));
  ImGui::PushStyleVar(ImGuiStyleVar_WindowBorderSize, 0.0f);
  ImGui::PushStyleVar(ImGuiStyleVar_WindowRounding, 0.0f);
  // Exactly as large as drawn: ImGui's least window size would add rows of its own dark
  // background under the strip.
  ImGui::PushStyleVar(ImGuiStyleVar_WindowMinSize, ImVec2(1, 1));
  ImGui::SetNextWindowPos(ImVec2(0, 0));
  ImGui::SetNextWindowSize(ImVec2(ImGui::GetIO().DisplaySize.x, kMenuBarHeight));
  ImGui::Begin("##menubar", nullptr, flags);
  ImDrawList* dl = ImGui::GetWindowDrawList();
  const float fontH = TextSize();
  Fill(dl, 0, 0, ImGui::GetIO().DisplaySize.x, kMenuBarHeight, kFace);
  float x = 2;
  float openX = 0;
  for (size_t m = 0; m < menus.size(); ++m) {
    const std::string caption = MenuCaption(Tr(menus[m].label));
    const float w = Width(caption) + 2 * kTitlePad;
    ImGui::SetCursorScreenPos(ImVec2(x, 1));
    ImGui::PushID(static_cast<int>(m));
    const bool clicked = ImGui::InvisibleButton("title", ImVec2(w, kMenuBarHeight - 2)) && interactive;
    const bool hovered = ImGui::IsItemHovered() && interactive;
    ImGui::PopID();
    if (clicked) {
      if (g_open == static_cast<int>(m))
        CloseMenu();
      else
        Open(static_cast<int>(m), false);
    } else if (hovered && MenuOpen() && g_open != static_cast<int>(m)) {
      Open(static_cast<int>(m), false);  // sliding along the bar with a menu open
    }
    const bool open = g_open == static_cast<int>(m);
    if (open) {
      Fill(dl, x, 1, w, kMenuBarHeight - 2, kNavy);
      openX = x;
    }
    Text(dl, x + kTitlePad, std::floor((kMenuBarHeight - fontH) / 2), caption, open ? kLight : kText);
    x += w;
  }
  ImGui::End();

  if (MenuOpen()) {
    const auto& items = menus[static_cast<size_t>(g_open)].items;
    float width = 0, height = 6;
    for (const auto& it : items) {
      width = std::max(width, Width(MenuCaption(Tr(it.label))));
      height += IsSeparator(it) ? kSeparatorH : kItemH;
    }
    width += kItemLeft + kItemRight;
    ImGui::SetNextWindowPos(ImVec2(openX, kMenuBarHeight));
    ImGui::SetNextWindowSize(ImVec2(width, height));
    if (g_justOpened) ImGui::SetNextWindowFocus();
    ImGui::Begin("##menu", nullptr, flags & ~ImGuiWindowFlags_NoBringToFrontOnFocus);
    ImDrawList* md = ImGui::GetWindowDrawList();
    Raised(md, openX, kMenuBarHeight, width, height);
    float y = kMenuBarHeight + 3;
    int clickedItem = -1;
    for (size_t i = 0; i < items.size(); ++i) {
      if (IsSeparator(items[i])) {
        Etched(md, openX + 3, y + kSeparatorH / 2 - 1, width - 6);
        y += kSeparatorH;
        continue;
      }
      ImGui::SetCursorScreenPos(ImVec2(openX + 3, y));
      ImGui::PushID(static_cast<int>(i));
      if (ImGui::InvisibleButton("item", ImVec2(width - 6, kItemH)) && interactive) clickedItem = static_cast<int>(i);
      if (ImGui::IsItemHovered() && interactive && ImGui::GetIO().MouseDelta.x + ImGui::GetIO().MouseDelta.y != 0)
        g_cursor = static_cast<int>(i);
      ImGui::PopID();
      const bool lit = g_cursor == static_cast<int>(i);
      if (lit) Fill(md, openX + 3, y, width - 6, kItemH, kNavy);
      Text(md, openX + kItemLeft, y + std::floor((kItemH - fontH) / 2), MenuCaption(Tr(items[i].label)),
           lit ? kLight : kText);
      y += kItemH;
    }
    const ImVec2 mouse = ImGui::GetIO().MousePos;
    const bool inMenu =
        mouse.x >= openX && mouse.x < openX + width && mouse.y >= kMenuBarHeight && mouse.y < kMenuBarHeight + height;
    ImGui::End();
    const int chosen = clickedItem >= 0 ? clickedItem : g_pick;
    g_pick = -1;
    if (chosen >= 0 && chosen < static_cast<int>(items.size()) && !IsSeparator(items[static_cast<size_t>(chosen)])) {
      if (picked) *picked = items[static_cast<size_t>(chosen)].action;
      CloseMenu();
    } else if (interactive && !g_justOpened && ImGui::IsMouseReleased(0) && !inMenu && mouse.y >= kMenuBarHeight) {
      // Closed on the release, so the window still sees the menu open when the button comes
      // up and does not pass the click on to the game.
      CloseMenu();
    }
    g_justOpened = false;
  }
  ImGui::PopStyleVar(4);
  ImGui::PopFont();
}

}  // namespace platform::ui
