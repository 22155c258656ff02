// platform/sdl: the real window. SDL2 for the window and keyboard; the clock and its waits
// (SdlClock), the picture on screen (SdlPresenter) and the pads (SdlPads) live beside it.
#include <SDL.h>
#include <imgui.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/sdl/SdlBackend.h"
#include "platform/ui/help/HelpViewer.h"
#include "platform/ui/ImGuiLayer.h"
#include "platform/ui/MenuBar.h"
#include "platform/ui/MessageBox.h"
#include "platform/Platform.h"
#include "platform/Scaling.h"
#include "platform/Signals.h"
#include "platform/Translate.h"
#include "platform/VkMap.h"
#include "platform/Window.h"
#include "platform/sdl/SdlClock.h"
#include "platform/sdl/SdlPads.h"
#include "platform/sdl/SdlPresenter.h"

namespace platform {

namespace {

constexpr int64_t kNsPerMs = 1000000;
// Idle waits look at the world at least this often even when nothing happens.
constexpr int64_t kLongestIdleNs = 100 * kNsPerMs;
constexpr uint32_t kPadLookMs = 50;
constexpr int kVkEscape = 0x1B;
constexpr uint32_t kSubsystems = SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS;
constexpr int kDisplayAttempts = 3;
constexpr uint32_t kDisplayRetryMs = 500;

class SdlBackend : public Backend {
 public:
  bool Open(std::string* error) {
    // Pads keep their state while another window has the focus, so none comes back with a
    // press it missed; the game itself reads no input then.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // SIGTERM and SIGINT are the platform's (Signals.h), not turned into quit events.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // With no display SDL falls back to drawing nowhere; only take that when asked for. A
    // display that is there but did not take the connection at once (seen on a loaded
    // machine, the server answering other clients a moment later) is asked again.
    const char* wanted = std::getenv("SDL_VIDEODRIVER");
    std::string driver;
    for (int attempt = 0; attempt < kDisplayAttempts; ++attempt) {
      if (attempt) SDL_Delay(kDisplayRetryMs);
      if (SDL_Init(kSubsystems) != 0) {
        if (error) *error = Format(Tr("画面を開けません（%s）"), SDL_GetError());
        return false;
      }
      driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
      if (!(driver == "offscreen" || driver == "dummy") || (wanted && *wanted)) break;
      if (attempt + 1 < kDisplayAttempts) SDL_Quit();
    }
    if ((driver == "offscreen" || driver == "dummy") && !(wanted && *wanted)) {
      // Name the display asked for: "not set" and "set but unreachable" are different faults.
      const char* display = std::getenv("DISPLAY");
      if (error)
        *error = display && *display ? Format(Tr("画面を開けません（DISPLAY=%s に接続できません）"), display)
                                     : std::string(Tr("画面を開けません（DISPLAY が設定されていません）"));
      SDL_Quit();
      return false;
    }
    const DisplayPrefs prefs = StartDisplayPrefs();
    int w = prefs.windowWidth, h = prefs.windowHeight;
    if (w <= 0 || h <= 0) {
      // The largest whole scale that fits the desktop the window opens on.
      SDL_Rect usable{0, 0, kGameWidth, kWindowUnitHeight};
      SDL_GetDisplayUsableBounds(0, &usable);
      const int n = StartScale(usable.w, usable.h);
      w = kGameWidth * n;
      h = kWindowUnitHeight * n;
    }
    Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    window_ = SDL_CreateWindow("Bramko2 for Windows", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h, flags);
    if (!window_) {
      if (error) *error = Format(Tr("ウィンドウを開けません（%s）"), SDL_GetError());
      return false;
    }
    SDL_SetWindowMinimumSize(window_, kGameWidth / 2, kWindowUnitHeight / 2);
    startPrefs_ = prefs;
    windowedW_ = w;
    windowedH_ = h;
    if (!presenter_.Open(window_, error)) return false;
    presenter_.SetScaleMode(prefs.mode);
    if (prefs.fullscreen) ToggleFullscreen();
    UpdateView();  // the UI's fonts are built once, at the window's scale
    ui::Init(window_, presenter_.Renderer());
    pads_ = std::make_unique<SdlPads>();
    clock_.SetPolling(pads_->AnyOpen());
    SDL_DisplayMode mode;
    const int display = SDL_GetWindowDisplayIndex(window_);
    if (SDL_GetCurrentDisplayMode(display < 0 ? 0 : display, &mode) == 0 && mode.refresh_rate > 0)
      refreshNs_ = 1000000000LL / mode.refresh_rate;
    UpdateView();
    return true;
  }

  ~SdlBackend() override {
    ui::Shutdown();
    pads_.reset();
    presenter_.Close();
    if (window_) SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(kSubsystems);
  }

  uint32_t Ticks() override { return clock_.Ticks(); }

  void Sleep(uint32_t ms) override {
    const int64_t until = SdlClock::NowNs() + ms * kNsPerMs;
    // Woken by events and due presents, so the window stays alive through long sleeps.
    while (SdlClock::NowNs() < until) {
      clock_.SleepUntil(std::min(until, NextPresentNs()), true);
      Service();
    }
  }

  void WaitInput(uint32_t ms) override {
    // A pad's presses wake the wait as events; with one open its state is also looked at
    // every kPadLookMs, as a game that reads pads by their state should not rely on those.
    if (pads_ && pads_->AnyOpen()) ms = std::min(ms, kPadLookMs);
    const int64_t until = SdlClock::NowNs() + ms * kNsPerMs;
    clock_.SleepUntil(std::min(until, NextPresentNs()), true);
    Service();
  }

  void Spin(uint32_t remainingMs) override {
    const uint32_t end = clock_.Ticks() + (remainingMs > 0 ? remainingMs : 1);
    clock_.SleepUntil(std::min(clock_.TickStartNs(end), NextPresentNs()), true);
    Service();
  }

  void Service() override {
    PumpEvents();
    if (PresentPending() && SdlClock::NowNs() >= lastPresentNs_ + refreshNs_) Present();
  }

  void PumpEvents() override {
    NoticeTerminationSignal();
    SDL_Event e;
    while (SDL_PollEvent(&e)) Handle(e);
    NotifyPumped();
  }

  void PresentFrame() override {
    PumpEvents();
    if (PresentPending()) Present();
  }

  void WaitIdle(bool hasDeadline, uint32_t deadline) override {
    int64_t until = SdlClock::NowNs() + kLongestIdleNs;
    if (hasDeadline) until = std::min(until, clock_.TickStartNs(deadline));
    clock_.SleepUntil(std::min(until, NextPresentNs()), true);
    Service();
  }

  bool ReadKey(int vk) override { return HasFocus() && keys_.Read(vk, Ticks()); }
  void DropPendingPresses() override { keys_.DropPending(); }
  bool MenuOpen() override { return ui::MenuOpen(); }
  bool Focused() override { return HasFocus(); }

  bool JoyCaps(int id, platform::JoyCaps& caps) override { return pads_ && pads_->Caps(id, caps); }
  bool JoyPos(int id, platform::JoyPos& pos) override { return pads_ && pads_->Pos(id, pos); }
  bool EscapeFromPad() override { return escapeFromPad_; }
  std::string JoyName(int id) override { return pads_ ? pads_->Name(id) : ""; }
  void JoyRumble(int id, unsigned strength, unsigned ms) override {
    if (pads_) pads_->Rumble(id, static_cast<uint16_t>(strength > 65535 ? 65535 : strength), ms);
  }
  void AddPadMappings(const std::string& file) override {
    if (pads_) pads_->AddMappings(file);
  }

  int Message(const std::string& caption, const std::string& text, MsgButtons buttons) override {
    return ui::RunMessageBox(caption, text, buttons);
  }

  int Modal(const std::function<int()>& drawFrame) override {
    modals_.push_back(&drawFrame);
    uiStale_ = true;
    int result = 0;
    modalResult_ = 0;
    bool first = true;
    while (!WindowClosed()) {
      NoticeTerminationSignal();
      // The scene timer keeps running under a modal dialog, as it does under the system's.
      // What the timer did may show in a dialog that did not ask to be drawn again (one
      // that waits on something asks for itself): looked at four times a second.
      if (RunTimerIfDue()) ui::RedrawWithin(250);
      int64_t until = SdlClock::NowNs() + kLongestIdleNs;
      if (TimerEnabled()) until = std::min(until, clock_.TickStartNs(NextTimerTick()));
      if (!first) clock_.SleepUntil(std::min(until, NextPresentNs()), true);
      PumpEvents();
      // A dialog is drawn again only when something may have changed it: input, a timer,
      // its first frames; while nobody touches it, it costs nothing.
      if (first || PresentPending()) Present();
      first = false;
      if (modalResult_) break;
    }
    result = modalResult_;
    modalResult_ = 0;
    modals_.pop_back();
    keys_.SwallowHeld();  // the key that closed the window is not for the game
    uiStale_ = true;      // the dialog's pixels go
    return WindowClosed() && !result ? kMsgCancel : result;
  }

  void Help(const std::string& file, const std::string& keyword) override {
    // Asked for while a frame is drawn (a dialog's F1): it opens once that frame is out.
    if (ui::InFrame()) {
      deferredHelp_ = {file, keyword};
      return;
    }
    ui::RunHelpViewer(file, keyword);
  }

  void SetIcon(const Bitmap& icon) override {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<Color*>(icon.Row(0)), icon.Width(), icon.Height(),
                                                        32, icon.Width() * 4, SDL_PIXELFORMAT_RGB888);
    if (!s) return;
    SDL_SetWindowIcon(window_, s);
    SDL_FreeSurface(s);
  }

  void ApplyDisplay(const DisplayPrefs& prefs) override {
    presenter_.SetScaleMode(prefs.mode);
    if (prefs.fullscreen) ToggleFullscreen();
    if (prefs.fullscreen != Fullscreen()) ToggleFullscreen();
    UpdateView();
    uiStale_ = true;
  }
  DisplayPrefs Display() override {
    DisplayPrefs p;
    p.mode = presenter_.GetScaleMode();
    p.fullscreen = Fullscreen();
    // A size the player did not choose is not remembered: the next start picks its own.
    p.windowWidth = resized_ ? windowedW_ : startPrefs_.windowWidth;
    p.windowHeight = resized_ ? windowedH_ : startPrefs_.windowHeight;
    return p;
  }

 private:
  // source: a scancode, or a pad (negative) whose Start stands for Escape.
  void PressKeys(int source, std::vector<int> vks) {
    pressed_[source] = vks;
    for (int vk : vks) {
      keys_.Down(vk);
      if (vk == kVkEscape) escapeFromPad_ = source < 0;
    }
    if (!vks.empty() && modals_.empty()) DeliverKeyDown(vks.front());
  }
  void ReleaseKeys(int source) {
    auto it = pressed_.find(source);
    if (it == pressed_.end()) return;
    std::vector<int> released = std::move(it->second);
    pressed_.erase(it);
    // A code two held keys produce (either Shift, keypad 8 without NumLock and Up, Escape
    // and a pad's Start) stays down until the last of them is let go.
    for (int vk : released) {
      bool stillHeld = false;
      for (const auto& [sc, vks] : pressed_)
        for (int other : vks) stillHeld |= other == vk;
      if (!stillHeld) keys_.Up(vk, Ticks());
    }
  }

  bool Fullscreen() const { return covering_; }
  // Desktop fullscreen as a borderless window the size of its display: it needs no window
  // manager to answer (SDL's own request does) and never changes the display's mode.
  void ToggleFullscreen() {
    if (covering_) {
      covering_ = false;
      SDL_SetWindowBordered(window_, SDL_TRUE);
      SDL_SetWindowSize(window_, windowedW_, windowedH_);
      SDL_SetWindowPosition(window_, windowedX_, windowedY_);
    } else {
      SDL_Rect bounds;
      const int display = SDL_GetWindowDisplayIndex(window_);
      if (SDL_GetDisplayBounds(display < 0 ? 0 : display, &bounds) != 0) return;
      SDL_GetWindowPosition(window_, &windowedX_, &windowedY_);
      covering_ = true;
      SDL_SetWindowBordered(window_, SDL_FALSE);
      SDL_SetWindowPosition(window_, bounds.x, bounds.y);
      SDL_SetWindowSize(window_, bounds.w, bounds.h);
    }
    UpdateView();
    presenter_.Invalidate();
    uiStale_ = true;
  }

  void Handle(const SDL_Event& e) {
    // Alt+Enter and F11 belong to the window, at any time, battles included: the game never
    // sees them (Enter is a confirm key).
    if (e.type == SDL_KEYDOWN &&
        (e.key.keysym.sym == SDLK_F11 ||
         ((e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_KP_ENTER) && (e.key.keysym.mod & KMOD_ALT)))) {
      if (!e.key.repeat) ToggleFullscreen();
      return;
    }
    bool imguiTook = ui::ProcessEvent(e);
    PadKeyEvent pad;
    const bool padEvent = pads_ && pads_->Handle(e, &pad);
    if (pads_) clock_.SetPolling(pads_->AnyOpen());
    if (padEvent) {
      // A Start pressed while another window has the focus is not kept for later.
      if (!pad.down)
        ReleaseKeys(pad.source);
      else if (HasFocus())
        PressKeys(pad.source, {kVkEscape});
    }
    switch (e.type) {
      case SDL_QUIT: CloseWindow(); break;
      case SDL_KEYDOWN: {
        if (modals_.empty() && ui::MenuKey(e.key)) break;  // the menu bar's, not the game's
        if (e.key.repeat) break;
        bool numLock = (SDL_GetModState() & KMOD_NUM) != 0;
        PressKeys(e.key.keysym.scancode, VksForScancode(e.key.keysym.scancode, numLock));
        break;
      }
      case SDL_KEYUP: ReleaseKeys(e.key.keysym.scancode); break;
      case SDL_MOUSEBUTTONUP:
        if (!imguiTook && !ui::WantsMouse() && !ui::MenuOpen() && modals_.empty() && OnPicture(e.button.x, e.button.y))
          DeliverMouseUp();
        break;
      case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) SetFocus(true);
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
          SetFocus(false);
          keys_.ReleaseAll();
          pressed_.clear();
        }
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED) {
          DeliverExpose();
          uiStale_ = true;  // the system lost our pixels: show them again
          presenter_.Invalidate();
        }
        if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
          if (!covering_ && !(SDL_GetWindowFlags(window_) & SDL_WINDOW_MAXIMIZED)) {
            resized_ |= windowedW_ != e.window.data1 || windowedH_ != e.window.data2;
            windowedW_ = e.window.data1;
            windowedH_ = e.window.data2;
          }
          UpdateView();
          uiStale_ = true;
          presenter_.Invalidate();
        }
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) CloseWindow();
        break;
      default: break;
    }
    SDL_ShowCursor(CursorVisible() ? SDL_ENABLE : SDL_DISABLE);
  }

  // The UI has something to show: the menu strip, a dialog or a message box.
  bool HasUi() { return MenuVisible() || !modals_.empty() || ui::DialogsOpen(); }
  // Something new to show: the picture changed, the UI came, went or may look different.
  bool PresentPending() {
    const Bitmap& vis = VisibleCanvas();
    const uint64_t version = vis.Version() ^ (reinterpret_cast<uintptr_t>(&vis) << 1);
    return version != lastVersion_ || uiStale_ || HasUi() != lastHadUi_ || MenuVisible() != lastMenu_ ||
           (HasUi() && ui::FrameDue());
  }
  // When the next present may happen (never, when nothing waits to be shown).
  int64_t NextPresentNs() {
    if (PresentPending()) return lastPresentNs_ + refreshNs_;
    const int ms = HasUi() ? ui::MsUntilFrameDue() : -1;
    return ms < 0 ? INT64_MAX : std::max(SdlClock::NowNs() + ms * kNsPerMs, lastPresentNs_ + refreshNs_);
  }

  void UpdateView() {
    ui::View v;
    presenter_.OutputSize(v.outputW, v.outputH);
    const PictureLayout l = presenter_.Layout();
    v.scale = l.uiScale;
    v.imageX = l.image.left;
    v.imageY = l.image.top;
    int ww = 0, wh = 0;
    SDL_GetWindowSize(window_, &ww, &wh);
    v.pointScale = ww > 0 ? static_cast<float>(v.outputW) / ww : 1.0f;
    ui::SetView(v);
  }

  // A click in window coordinates lands on the picture (and not on the strip over it).
  bool OnPicture(int x, int y) {
    const ui::View& v = ui::CurrentView();
    const int px = static_cast<int>(x * v.pointScale), py = static_cast<int>(y * v.pointScale);
    const Rect r = presenter_.Layout().image;
    if (MenuVisible() && py < ui::MenuHeight() * v.scale) return false;  // the strip, above the picture
    return px >= r.left && px < r.right && py >= r.top && py < r.bottom;
  }

  void Present() {
    const Bitmap& vis = VisibleCanvas();
    lastPresentNs_ = SdlClock::NowNs();
    lastVersion_ = vis.Version() ^ (reinterpret_cast<uintptr_t>(&vis) << 1);
    std::function<void()> overlay;
    if (!modals_.empty()) {
      const auto* top = modals_.back();
      overlay = [this, top]() {
        if (int r = (*top)()) modalResult_ = r;
      };
    }
    // A frame of the UI is built only when it may have changed, and drawn only when it did
    // (or the picture under it changed); the presenter sends what either touched.
    SdlPresenter::Ui layer;
    std::function<void()> picked;
    const bool hasUi = HasUi();
    if (hasUi) {
      const bool build = uiStale_ || !lastHadUi_ || MenuVisible() != lastMenu_ || ui::FrameDue();
      if (build) picked = ui::BuildFrame(overlay);
      layer.draw = ui::DrawFrame;
      layer.still = !build || !ui::FrameChanged();
      layer.covers = ui::FrameCovers();
      layer.exact = true;
      layer.damage = ui::FrameDamage();
    }
    // A window came or went, or the UI was not on screen: what it covered counts whole.
    if (hasUi != lastHadUi_ || uiStale_ || MenuVisible() != lastMenu_) layer.still = layer.exact = false;
    uiStale_ = false;
    lastHadUi_ = hasUi;
    lastMenu_ = MenuVisible();
    presenter_.Present(vis, layer);
    CountPresent();
    // A menu had the input while it was open, as a modal window has.
    if (menuWasOpen_ && !ui::MenuOpen()) keys_.SwallowHeld();
    menuWasOpen_ = ui::MenuOpen();
    if (picked) CallHandler(picked);
    if (deferredHelp_) {
      const auto [file, keyword] = *std::exchange(deferredHelp_, std::nullopt);
      ShowHelp(file, keyword);
    }
  }

  SDL_Window* window_ = nullptr;
  SdlClock clock_;
  SdlPresenter presenter_;
  int64_t refreshNs_ = 1000000000LL / 60;
  int windowedW_ = kGameWidth, windowedH_ = kWindowUnitHeight;
  int windowedX_ = SDL_WINDOWPOS_CENTERED, windowedY_ = SDL_WINDOWPOS_CENTERED;
  bool covering_ = false;
  bool resized_ = false;
  DisplayPrefs startPrefs_;
  int64_t lastPresentNs_ = 0;
  bool menuWasOpen_ = false;
  std::optional<std::pair<std::string, std::string>> deferredHelp_;
  uint64_t lastVersion_ = ~0ull;
  bool uiStale_ = true;  // the UI must be built and drawn anew (a window came or went)
  bool lastHadUi_ = false;
  bool lastMenu_ = false;
  KeyLatch keys_;
  std::map<int, std::vector<int>> pressed_;  // by scancode, or by pad for its Start
  std::unique_ptr<SdlPads> pads_;
  bool escapeFromPad_ = false;
  std::vector<const std::function<int()>*> modals_;
  int modalResult_ = 0;
};

}  // namespace

std::unique_ptr<Backend> MakeSdlBackend(std::string* error) {
  auto b = std::make_unique<SdlBackend>();
  if (!b->Open(error)) return nullptr;
  return b;
}

}  // namespace platform
