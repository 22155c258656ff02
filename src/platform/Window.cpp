// platform: the main window's state and its message loop, shared by both backends.
#include "platform/Window.h"

#include <exception>

#include "platform/Backend.h"
#include "platform/Dialogs.h"
#include "platform/Pictures.h"
#include "platform/Platform.h"
#include "platform/Signals.h"
#include "platform/Translate.h"

namespace platform {

namespace {

struct WindowState {
  std::string title;
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
  bool keyMessagesDropped = false;
  WindowHandlers handlers;
};

WindowState& W() {
  static WindowState state;
  return state;
}

// The box of an exception that escaped a handler; the program goes on.
void ShowException(const char* what) {
  const std::string text = what && *what ? Format(Tr("予期しないエラーが発生しました。ゲームはこのまま続きます。\n\n（%s）"), what)
                                         : Tr("予期しないエラーが発生しました。ゲームはこのまま続きます。");
  ShowMessage(W().title.empty() ? Tr("エラー") : W().title, text);
}

}  // namespace

void CallHandler(const std::function<void()>& handler) {
  if (!handler) return;
  try {
    handler();
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    ShowException(nullptr);
  }
}

void CreateMainWindow(const std::string& title) { W().title = title; }
const std::string& WindowTitle() { return W().title; }
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
        CallHandler(action);
        return true;
      }
    }
  }
  return false;
}

void SetWindowIcon(const std::string& pictureName, const Rect& part) {
  constexpr int kIconSize = 64;
  Backend* b = CurrentBackend();
  Bitmap picture;
  if (!b || IsHeadless() || part.Width() < kIconSize || part.Height() < kIconSize || !LoadPicture(pictureName, picture))
    return;
  Bitmap icon(kIconSize, kIconSize);
  for (int y = 0; y < kIconSize; ++y) {
    const int y0 = part.top + y * part.Height() / kIconSize, y1 = part.top + (y + 1) * part.Height() / kIconSize;
    for (int x = 0; x < kIconSize; ++x) {
      const int x0 = part.left + x * part.Width() / kIconSize, x1 = part.left + (x + 1) * part.Width() / kIconSize;
      uint32_t r = 0, g = 0, bl = 0, n = 0;
      for (int sy = y0; sy < y1; ++sy)
        for (int sx = x0; sx < x1; ++sx) {
          const Color c = picture.Pixel(sx, sy);
          r += (c >> 16) & 0xFF;
          g += (c >> 8) & 0xFF;
          bl += c & 0xFF;
          ++n;
        }
      if (n) icon.GetCanvas().SetPixel(x, y, ((r / n) << 16) | ((g / n) << 8) | (bl / n));
    }
  }
  b->SetIcon(icon);
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
uint32_t NextTimerTick() { return W().lastTick + W().interval; }

bool RunTimerIfDue() {
  auto& w = W();
  if (!w.timerEnabled || w.closed || TickCount() - w.lastTick < w.interval) return false;
  w.lastTick = TickCount();
  CallHandler(w.handlers.onTimer);
  return true;
}

void RunMessageLoop() {
  Backend* b = CurrentBackend();
  auto& w = W();
  while (b && !w.closed) {
    NoticeTerminationSignal();
    b->Service();
    if (w.closed) break;
    if (RunTimerIfDue()) continue;
    b->WaitIdle(w.timerEnabled, NextTimerTick());
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

void SetKeyMessagesDropped(bool dropped) { W().keyMessagesDropped = dropped; }

void DeliverKeyDown(int vk) {
  auto& h = W().handlers;
  if (h.onKeyDown && !W().keyMessagesDropped) CallHandler([&h, vk] { h.onKeyDown(vk); });
}
void DeliverMouseUp() { CallHandler(W().handlers.onMouseUp); }
void DeliverExpose() {
  auto& h = W().handlers;
  if (h.filter && h.filter(WindowMessage::Paint)) return;
  CallHandler(h.onPaint);
}
void SetFocus(bool focused) { W().focused = focused; }

void ResetWindow() { W() = WindowState{}; }

}  // namespace platform
