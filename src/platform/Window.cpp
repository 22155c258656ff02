// platform: the main window's state and its message loop, shared by both backends.
#include "platform/Window.h"

#include "platform/Backend.h"
#include "platform/Platform.h"
#include "platform/Signals.h"

namespace platform {

namespace {

struct WindowState {
  Bitmap windowCanvas{kGameWidth, kGameHeight};
  Bitmap imageCanvas{kGameWidth, kGameHeight};
  bool imageVisible = true;
  std::vector<Menu> menus;
  bool menuVisible = true;
  bool cursorVisible = true;
  uint32_t interval = 50;
  bool timerEnabled = false;
  uint32_t lastTick = 0;
  bool closed = false;
  bool focused = true;
  WindowHandlers handlers;
};

WindowState& W() {
  static WindowState state;
  return state;
}

}  // namespace

void CreateMainWindow(const std::string& /*title: the backend shows it*/) {}
void SetWindowHandlers(WindowHandlers h) { W().handlers = std::move(h); }
WindowHandlers& Handlers() { return W().handlers; }

Bitmap& WindowCanvasBitmap() { return W().windowCanvas; }
Bitmap& ImageCanvasBitmap() { return W().imageCanvas; }
void SetImageVisible(bool visible) {
  W().imageVisible = visible;
  // The other canvas shows now: mark both changed so it is presented.
  W().windowCanvas.Touch();
  W().imageCanvas.Touch();
}
bool ImageVisible() { return W().imageVisible; }
const Bitmap& VisibleCanvas() { return W().imageVisible ? W().imageCanvas : W().windowCanvas; }

void SetMenus(std::vector<Menu> menus) { W().menus = std::move(menus); }
const std::vector<Menu>& Menus() { return W().menus; }
void SetMenuVisible(bool visible) { W().menuVisible = visible; }
bool MenuVisible() { return W().menuVisible; }

bool ClickMenu(const std::string& menu, const std::string& item) {
  for (auto& m : W().menus) {
    if (m.label != menu) continue;
    for (auto& it : m.items) {
      if (it.label == item && it.action) {
        auto action = it.action;  // the action may replace the menus
        action();
        return true;
      }
    }
  }
  return false;
}

void SetCursorVisible(bool visible) { W().cursorVisible = visible; }
bool CursorVisible() { return W().cursorVisible; }

void SetTimerInterval(uint32_t ms) { W().interval = ms; }
uint32_t TimerInterval() { return W().interval; }
void SetTimerEnabled(bool enabled) {
  if (enabled && !W().timerEnabled) W().lastTick = TickCount();
  W().timerEnabled = enabled;
}
bool TimerEnabled() { return W().timerEnabled; }

void RunMessageLoop() {
  Backend* b = CurrentBackend();
  auto& w = W();
  while (b && !w.closed) {
    NoticeTerminationSignal();
    b->Service();
    if (w.closed) break;
    uint32_t now = b->Ticks();
    if (w.timerEnabled && now - w.lastTick >= w.interval) {
      w.lastTick = now;
      if (w.handlers.onTimer) w.handlers.onTimer();
      continue;
    }
    b->WaitIdle(w.timerEnabled, w.lastTick + w.interval);
  }
}

void CloseWindow() {
  auto& w = W();
  if (w.closed) return;
  w.closed = true;
  w.timerEnabled = false;
  if (w.handlers.onClose) w.handlers.onClose();
}

bool WindowClosed() { return W().closed; }
bool HasFocus() { return W().focused; }

void DeliverKeyDown(int vk) {
  if (W().handlers.onKeyDown) W().handlers.onKeyDown(vk);
}
void DeliverMouseUp() {
  if (W().handlers.onMouseUp) W().handlers.onMouseUp();
}
void DeliverExpose() {
  auto& h = W().handlers;
  if (h.filter && h.filter(WindowMessage::Paint)) return;
  if (h.onPaint) h.onPaint();
}
void SetFocus(bool focused) { W().focused = focused; }

void ResetWindow() { W() = WindowState{}; }

}  // namespace platform
