// platform: the Dear ImGui layer over the game area: menu bar, message boxes, modal
// dialogs and the help viewer. Used by the SDL backend only.
#pragma once
#include <SDL.h>

#include <functional>
#include <string>
#include <vector>

struct ImFont;

namespace platform::ui {

bool Init(SDL_Window* window, SDL_Renderer* renderer);
void Shutdown();
bool ProcessEvent(const SDL_Event& e);
bool WantsMouse();
// Height of the menu strip above the game area.
int MenuHeight();
// Builds one ImGui frame (menu bar, open windows, the given overlay) and renders it.
// Returns the action of a menu item picked in the frame: the caller runs it after
// presenting, outside ImGui, since it may open dialogs or run nested loops of its own.
std::function<void()> RenderFrame(const std::function<void()>& overlay);
// True while something of ImGui needs redrawing (a window open, recent input).
bool Busy();
void OpenHelp(const std::string& file, const std::string& keyword);

// The dialogs' font: "ＭＳ Ｐゴシック" at 12 pixels (null before Init).
ImFont* DialogFont();
// The dialogs the game has open, drawn in every frame under the overlay (so a message box
// or a nested dialog shows its owner beneath it). Empty function: none.
void SetDialogLayer(std::function<void()> draw);
// Virtual-key codes of the keys pressed since the previous frame, in order (the generic
// code for Shift, Ctrl and Alt, as key messages carry). Cleared after every frame.
const std::vector<int>& FrameKeyPresses();
void ClearKeyPresses();

}  // namespace platform::ui
