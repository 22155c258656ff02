// platform (sdl): the real window. SDL2 for the window, keyboard, joysticks and clock,
// SDL_Renderer for the 640 x 480 game area under the ImGui menu strip. The pads live in
// SdlPads.
#include <SDL.h>
#include <imgui.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/Backend.h"
#include "platform/HelpViewer.h"
#include "platform/ImGuiLayer.h"
#include "platform/MenuBar.h"
#include "platform/MessageBox.h"
#include "platform/Platform.h"
#include "platform/Signals.h"
#include "platform/VkMap.h"
#include "platform/Window.h"
#include "platform/sdl/SdlPads.h"

namespace platform {

namespace {

constexpr uint32_t kPresentPeriodMs = 16;  // Xvfb ignores vsync: limit presents ourselves
constexpr int kVkEscape = 0x1B;
constexpr uint32_t kSubsystems = SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS;

class SdlBackend : public Backend {
 public:
  bool Open(std::string* error) {
    // Pads keep their state while another window has the focus, so none comes back with a
    // press it missed; the game itself reads no input then.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // SIGTERM and SIGINT are the platform's (Signals.h), not turned into quit events.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(kSubsystems) != 0) {
      if (error) *error = std::string("no display available (") + SDL_GetError() + ")";
      return false;
    }
    // With no display SDL falls back to drawing nowhere; only take that when asked for.
    std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
    const char* wanted = std::getenv("SDL_VIDEODRIVER");
    if ((driver == "offscreen" || driver == "dummy") && !(wanted && *wanted)) {
      if (error) *error = "no display available (DISPLAY is not set)";
      SDL_Quit();
      return false;
    }
    int menu = ui::MenuHeight();
    window_ = SDL_CreateWindow("Bramko2 for Windows", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, kGameWidth,
                               kGameHeight + menu, SDL_WINDOW_SHOWN);
    if (!window_) {
      if (error) *error = std::string("cannot open the window (") + SDL_GetError() + ")";
      return false;
    }
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
      if (error) *error = std::string("cannot draw in the window (") + SDL_GetError() + ")";
      return false;
    }
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, kGameWidth,
                                 kGameHeight);
    ui::Init(window_, renderer_);
    pads_ = std::make_unique<SdlPads>();
    start_ = SDL_GetTicks();
    return texture_ != nullptr;
  }

  ~SdlBackend() override {
    ui::Shutdown();
    pads_.reset();
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(kSubsystems);
  }

  uint32_t Ticks() override { return SDL_GetTicks(); }
  void Sleep(uint32_t ms) override {
    uint32_t until = SDL_GetTicks() + ms;
    // Sleep in slices so the window stays drawn during long sleeps.
    while (static_cast<int32_t>(until - SDL_GetTicks()) > 0) {
      uint32_t left = until - SDL_GetTicks();
      SDL_Delay(left > 10 ? 10 : left);
      Present(false);
    }
  }
  void Spin(uint32_t remainingMs) override {
    // Sleep only while well ahead of the deadline, so every wait still ends on its tick.
    if (remainingMs > 2) SDL_Delay(1);
    Service();
  }

  void Service() override {
    SDL_Event e;
    while (SDL_PollEvent(&e)) Handle(e);
    NotifyPumped();
    Present(false);
  }

  void WaitIdle(bool hasDeadline, uint32_t deadline) override {
    int timeout = 100;
    if (hasDeadline) {
      int32_t d = static_cast<int32_t>(deadline - SDL_GetTicks());
      timeout = d < 0 ? 0 : d;
    }
    if (ui::Busy() && timeout > static_cast<int>(kPresentPeriodMs)) timeout = kPresentPeriodMs;
    if (timeout > 0) SDL_WaitEventTimeout(nullptr, timeout);
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
    int result = 0;
    modalResult_ = 0;
    while (!WindowClosed()) {
      NoticeTerminationSignal();
      // The scene timer keeps running under a modal dialog, as it does under the system's.
      RunTimerIfDue();
      SDL_WaitEventTimeout(nullptr, static_cast<int>(kPresentPeriodMs));
      SDL_Event e;
      while (SDL_PollEvent(&e)) Handle(e);
      NotifyPumped();
      Present(true);
      if (modalResult_) break;
    }
    result = modalResult_;
    modalResult_ = 0;
    modals_.pop_back();
    keys_.SwallowHeld();  // the key that closed the window is not for the game
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

  void Handle(const SDL_Event& e) {
    bool imguiTook = ui::ProcessEvent(e);
    PadKeyEvent pad;
    if (pads_ && pads_->Handle(e, &pad)) {
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
        if (!imguiTook && !ui::WantsMouse() && !ui::MenuOpen() && modals_.empty() && e.button.y >= ui::MenuHeight())
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
          lastVersion_ = ~0ull;  // the system lost our pixels: show them again
        }
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) CloseWindow();
        break;
      default: break;
    }
    SDL_ShowCursor(CursorVisible() ? SDL_ENABLE : SDL_DISABLE);
  }

  void Present(bool force) {
    uint32_t now = SDL_GetTicks();
    if (now - lastPresent_ < kPresentPeriodMs) return;
    const Bitmap& vis = VisibleCanvas();
    uint64_t version = vis.Version() ^ (reinterpret_cast<uintptr_t>(&vis) << 1);
    bool menuChanged = MenuVisible() != lastMenu_;
    if (!force && version == lastVersion_ && !ui::Busy() && !menuChanged) return;
    lastPresent_ = now;
    lastVersion_ = version;
    lastMenu_ = MenuVisible();
    SDL_UpdateTexture(texture_, nullptr, vis.Row(0), vis.Width() * 4);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_Rect dst{0, ui::MenuHeight(), kGameWidth, kGameHeight};
    SDL_RenderCopy(renderer_, texture_, nullptr, &dst);
    std::function<void()> overlay;
    if (!modals_.empty()) {
      const auto* top = modals_.back();
      overlay = [this, top]() {
        if (int r = (*top)()) modalResult_ = r;
      };
    }
    auto picked = ui::RenderFrame(overlay);
    SDL_RenderPresent(renderer_);
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
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  uint32_t start_ = 0, lastPresent_ = 0;
  bool menuWasOpen_ = false;
  std::optional<std::pair<std::string, std::string>> deferredHelp_;
  uint64_t lastVersion_ = ~0ull;
  bool lastMenu_ = true;
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
