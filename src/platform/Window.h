// platform: the one main window. A 640 x 480 game area under a menu strip, two canvases
// (the window's own and the picture control's; the visible one is on screen), the repeating
// scene timer, a window-message filter and the event handlers of the form.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Bitmap.h"

namespace platform {

constexpr int kGameWidth = 640, kGameHeight = 480;

struct MenuItem {
  std::string label;             // "-" is a separator
  std::function<void()> action;  // runs after the menu has closed, never inside drawing
};
struct Menu {
  std::string label;
  std::vector<MenuItem> items;
};

// Messages the system would send to the window that the filter may swallow.
enum class WindowMessage { Paint, NcPaint, EraseBackground };

struct WindowHandlers {
  std::function<void()> onTimer;          // the scene timer ticked
  std::function<void()> onClose;          // the window is closing (any way)
  std::function<void(int vk)> onKeyDown;  // a key went down while the window had focus
  std::function<void()> onMouseUp;        // a mouse button was released over the picture
  std::function<void()> onPaint;          // the window asks its owner to repaint
  // Sees Paint / NcPaint / EraseBackground first; returns true when it answered the message.
  std::function<bool(WindowMessage)> filter;
};

void CreateMainWindow(const std::string& title);
const std::string& WindowTitle();
void SetWindowHandlers(WindowHandlers h);
WindowHandlers& Handlers();

Bitmap& WindowCanvasBitmap();  // the form's own canvas (battles)
Bitmap& ImageCanvasBitmap();   // the picture control's canvas (menus, maps, cut-scenes)
// The picture control covers the window when visible; otherwise the window canvas shows.
void SetImageVisible(bool visible);
bool ImageVisible();
const Bitmap& VisibleCanvas();

void SetMenus(std::vector<Menu> menus);
const std::vector<Menu>& Menus();
void SetMenuVisible(bool visible);
bool MenuVisible();
// Runs the item whose labels match, as a click would (for scripts and tests).
bool ClickMenu(const std::string& menu, const std::string& item);

// The window's icon: part of a built-in picture, scaled down to the icon's size (averaging
// the pixels, so a detailed picture stays recognisable). Nothing is loaded without a window.
void SetWindowIcon(const std::string& pictureName, const Rect& part);

void SetCursorVisible(bool visible);
bool CursorVisible();

void SetTimerInterval(uint32_t ms);
uint32_t TimerInterval();
void SetTimerEnabled(bool enabled);
bool TimerEnabled();
// The tick at which the timer is due next (while it is enabled).
uint32_t NextTimerTick();
// Calls the timer's handler when the timer is on and its interval has passed since the last
// call; true when it did. The message loop and the loops of modal windows call it, so the
// scene clock runs on under a message box, a dialog or the help viewer.
bool RunTimerIfDue();

// Runs the message loop: timer ticks and window events, until the window is closed.
void RunMessageLoop();
// Closes the window: onClose runs once, then the message loop ends.
void CloseWindow();
bool WindowClosed();
bool HasFocus();

// Runs one of the form's handlers. An exception escaping it is shown in a message box and
// the program goes on, as the form library's message loop does.
void CallHandler(const std::function<void()>& handler);

// While set, key presses do not reach the form's onKeyDown: the battle's frame loop reads
// its keys itself and removes the window's key messages.
void SetKeyMessagesDropped(bool dropped);

// Used by backends: deliver events to the form.
void DeliverKeyDown(int vk);
void DeliverMouseUp();
void DeliverExpose();
void SetFocus(bool focused);
// Resets all window state (tests start each game afresh in one process).
void ResetWindow();

}  // namespace platform
