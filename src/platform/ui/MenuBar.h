// platform/ui: the window's menu bar, drawn with Dear ImGui in the look of the system's menus.
// A label's access letter ("ファイル(&F)") shows as "ファイル(F)"; Alt with the letter opens
// that menu. In an open menu the arrow keys move, Enter or an item's letter picks, Escape
// closes; a click outside closes it too.
#pragma once
#include <SDL.h>

#include <functional>
#include <string>

#include "platform/Scaling.h"

namespace platform::ui {

constexpr int kMenuBarHeight = kStripHeight;

// The label as shown ("&" removed, "&&" kept as one "&") and its access letter in upper case
// (0: none).
std::string MenuCaption(const std::string& label);
char MenuAccessKey(const std::string& label);

// Draws the bar and the open menu inside an ImGui frame. interactive: no modal window is up,
// so the bar takes clicks. Sets *picked to the action of an item picked in this frame.
void DrawMenuBar(bool interactive, std::function<void()>* picked);
// Offers a key press to the menu bar (Alt + a title's letter, or any key while a menu is
// open); true when the bar took it, so the game must not see it.
bool MenuKey(const SDL_KeyboardEvent& key);
bool MenuOpen();
void CloseMenu();

}  // namespace platform::ui
