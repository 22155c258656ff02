// platform/ui: the Dear ImGui layer over the game area: the menu bar, message boxes, modal
// dialogs and the help viewer. Used by the SDL backend only.
#pragma once
#include <SDL.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct ImFont;
struct ImVec2;

namespace platform::ui {

bool Init(SDL_Window* window, SDL_Renderer* renderer);

// How the UI sits on the window: it is laid out in game pixels, drawn at a whole-number
// scale (fonts rasterised at that size, so text stays sharp), over the window's drawable of
// outputW x outputH, whose picture rectangle is image. pointScale turns window coordinates
// (mouse events) into drawable pixels (above 1 on a high-DPI desktop).
struct View {
  int scale = 1;
  int outputW = 640, outputH = 500;
  int imageX = 0, imageY = 0;
  float pointScale = 1;
};
// Takes effect at the next frame; a new scale rebuilds the fonts.
void SetView(const View& view);
const View& CurrentView();
// The middle of the game picture, in the UI's coordinates (where dialogs open).
ImVec2 PictureCentre();
// The top-left corner of the game picture, in the UI's coordinates.
ImVec2 PictureOrigin();
void Shutdown();
bool ProcessEvent(const SDL_Event& e);
bool WantsMouse();
// Height of the menu strip at the top of the window, in game pixels.
int MenuHeight();
// Builds one ImGui frame (menu bar, open dialogs, the given overlay) without drawing it.
// Returns the action of a menu item picked in the frame: the caller runs it after
// presenting, outside ImGui, since it may open dialogs or run nested loops of its own.
// The menu bar takes no clicks while an overlay (a modal window) is up.
std::function<void()> BuildFrame(const std::function<void()>& overlay);
// True when the frame last built looks other than the one built before it.
bool FrameChanged();
// Where it looks other, in drawable pixels (what went and what came); empty when it did not
// change.
SDL_Rect FrameDamage();
// Draws the frame last built over the picture (again, when the picture under it was drawn
// anew), only inside clip when given; nothing when the fonts changed since.
void DrawFrame(const SDL_Rect* clip);
// Where the frame last built draws, in drawable pixels: one rectangle a window.
std::vector<SDL_Rect> FrameCovers();
// True when a frame built now may look other than the last: input came lately, the last
// frame changed (ImGui settles over a frame or two), a redraw asked for is due, or the
// fonts were built anew. Without any, open dialogs cost nothing while nobody touches them.
bool FrameDue();
// Milliseconds until a redraw asked for is due (a caret blinks), or -1 when none is.
int MsUntilFrameDue();
// Asks for a frame within ms (0: the next present): something the frame shows changed
// without input, such as a caret's blink or what a timer did to a dialog's text.
void RedrawWithin(uint32_t ms);
// True while the game has dialogs open (drawn also while one's action runs outside its loop).
bool DialogsOpen();
// True between the start and the end of a frame: no modal loop may start then.
bool InFrame();

// The dialogs' font: "ＭＳ Ｐゴシック" at 12 pixels (null before Init).
ImFont* DialogFont();
// The font's metrics in the picture's pixels, whatever scale it is rasterised at: its size
// (12) and the width of a text. Every layout of the menu bar, the dialogs and the help
// measures with these.
float TextSize();
float TextWidth(std::string_view utf8);
// Makes sure the font atlas holds every character of a text about to be shown (a help
// file, a message naming a file); the atlas is built again before the next frame if not.
void RequireGlyphs(std::string_view utf8);
// The dialogs the game has open, drawn in every frame under the overlay (so a message box
// or a nested dialog shows its owner beneath it). Empty function: none.
void SetDialogLayer(std::function<void()> draw);
// Virtual-key codes of the keys pressed since the previous frame, in order (the generic
// code for Shift, Ctrl and Alt, as key messages carry). Cleared after every frame.
const std::vector<int>& FrameKeyPresses();
void ClearKeyPresses();

}  // namespace platform::ui
