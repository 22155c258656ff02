// platform/headless: canvases in memory, a virtual millisecond clock that only the waits
// advance, scripted keyboard and joysticks, and no window. Runs are exactly repeatable.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <thread>

#include "platform/headless/HeadlessBackend.h"
#include "platform/files/InputFile.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessControl.h"

namespace platform {

namespace {

// A run that goes on this long after its window was closed is stuck in a loop.
constexpr int64_t kStuckAfterCloseMs = 120000;
constexpr int kVkEscape = 0x1B;
constexpr uint32_t kInputPollMs = 10;
// Far more than any scripted run needs.
constexpr size_t kMaxScriptBytes = 16 << 20;

struct FakeStick {
  bool present = false;
  JoyPos pos;
};

class HeadlessBackend final : public Backend {
 public:
  HeadlessBackend(std::vector<headless::ScriptEvent> events, int64_t until, bool realTime)
      : events_(std::move(events)), until_(until), realTime_(realTime), startDir_(std::filesystem::current_path()) {
    if (until_ < 0) until_ = (events_.empty() ? 0 : events_.back().ms) + 1000;
    g_messages.clear();
    g_helpVisits.clear();
  }

  uint32_t Ticks() override {
    // Kept at the real pace, the clock also moves while the game does not wait.
    if (realTime_ && !advancing_) Advance(RealMs());
    return static_cast<uint32_t>(now_);
  }
  void Sleep(uint32_t ms) override { Advance(now_ + ms); }
  void Spin(uint32_t) override { Advance(now_ + 1); }
  // Scripted input arrives on the virtual clock without any event to announce it: the wait
  // looks again every kInputPollMs, as a poll would.
  void WaitInput(uint32_t) override { Sleep(kInputPollMs); }
  void Service() override { Pump(); }
  void PumpEvents() override { Pump(); }
  void PresentFrame() override {}

  void WaitIdle(bool hasDeadline, uint32_t deadline) override {
    int64_t target = INT64_MAX;
    if (hasDeadline) {
      int32_t d = static_cast<int32_t>(deadline - static_cast<uint32_t>(now_));
      target = now_ + (d > 0 ? d : 0);
    }
    if (next_ < events_.size()) target = std::min(target, std::max(now_, events_[next_].ms));
    if (!WindowClosed()) target = std::min(target, std::max(now_, until_));
    if (target == INT64_MAX) target = now_ + 1;  // nothing left to wait for: let the loop see it
    Advance(target);
  }

  bool ReadKey(int vk) override { return focused_ && keys_.Read(vk, Ticks()); }
  void DropPendingPresses() override { keys_.DropPending(); }
  bool Focused() override { return focused_; }

  bool JoyCaps(int id, platform::JoyCaps& caps) override {
    if (id < 0 || id > 1 || !sticks_[id].present) return false;
    caps = platform::JoyCaps{};
    caps.buttons = 2;
    return true;
  }
  bool JoyPos(int id, platform::JoyPos& pos) override {
    if (id < 0 || id > 1 || !sticks_[id].present) return false;
    pos = sticks_[id].pos;
    return true;
  }
  bool EscapeFromPad() override { return false; }  // the fake sticks have no Start
  std::string JoyName(int id) override {
    if (id < 0 || id > 1 || !sticks_[id].present) return "";
    return "Headless Joystick " + std::to_string(id + 1);
  }
  void JoyRumble(int id, unsigned strength, unsigned ms) override {
    if (id >= 0 && id <= 1 && sticks_[id].present) rumbles_.push_back(headless::Rumble{now_, id, strength, ms});
  }
  void AddPadMappings(const std::string&) override {}

  int Message(const std::string& caption, const std::string& text, MsgButtons buttons) override {
    std::fprintf(stderr, "[message] %s: %s\n", caption.c_str(), text.c_str());
    g_messages.push_back(caption + ": " + text);
    return buttons == MsgButtons::YesNo ? kMsgYes : kMsgOk;
  }
  int Modal(const std::function<int()>&) override {
    if (g_modalLook) g_modalLook();
    return kMsgCancel;
  }
  // The viewer stays open, as the real one does, until Escape (its close key) or the window
  // closes; the scene clock runs on under it and the keys pressed meanwhile are its own.
  void Help(const std::string& file, const std::string& keyword) override {
    g_helpVisits.push_back({file, keyword, now_, -1});
    const size_t visit = g_helpVisits.size() - 1;
    helpOpen_ = true;
    while (helpOpen_ && !WindowClosed()) {
      WaitIdle(TimerEnabled(), NextTimerTick());
      RunTimerIfDue();
    }
    helpOpen_ = false;
    g_helpVisits[visit].closedMs = now_;
    keys_.SwallowHeld();
  }
  void ApplyDisplay(const DisplayPrefs& prefs) override { display_ = prefs; }
  DisplayPrefs Display() override { return display_; }

  void Inject(const headless::ScriptEvent& ev) {
    auto pos = events_.begin() + static_cast<long>(next_);
    while (pos != events_.end() && pos->ms <= ev.ms) ++pos;
    events_.insert(pos, ev);
  }
  void SetStick(int id, bool present, unsigned x, unsigned y, unsigned buttons) {
    if (id < 0 || id > 1) return;
    sticks_[id].present = present;
    sticks_[id].pos = platform::JoyPos{x, y, buttons};
  }
  int64_t Now() const { return now_; }
  ~HeadlessBackend() override { g_lastNow = now_; }
  static inline std::vector<std::string> g_messages;            // kept after the run ends
  static inline std::vector<headless::HelpVisit> g_helpVisits;  // kept after the run ends
  std::vector<headless::Rumble> rumbles_;
  static inline int64_t g_lastNow = 0;
  static inline std::function<void()> g_modalLook;

 private:
  int64_t RealMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - realStart_).count();
  }

  void Advance(int64_t to) {
    advancing_ = true;
    // Events are applied at their own time, so a wait sees each one when it happens.
    while (next_ < events_.size() && events_[next_].ms <= to) {
      now_ = std::max(now_, events_[next_].ms);
      Pump();
    }
    now_ = std::max(now_, to);
    if (realTime_) std::this_thread::sleep_until(realStart_ + std::chrono::milliseconds(now_));
    Pump();
    advancing_ = false;
  }

  void Pump() {
    while (next_ < events_.size() && events_[next_].ms <= now_) Apply(events_[next_++]);
    if (!WindowClosed() && now_ >= until_) CloseWindow();
    NotifyPumped();
    if (WindowClosed() && now_ - until_ > kStuckAfterCloseMs) {  // until_ may be the largest value
      std::fprintf(stderr, "bramko-sim: the game did not end %lld ms after its window closed\n",
                   static_cast<long long>(kStuckAfterCloseMs));
      std::exit(1);
    }
  }

  void Apply(const headless::ScriptEvent& ev) {
    if (ev.kind == "down") {
      if (!focused_) return;
      bool was = keys_.IsHeld(ev.vk);
      keys_.Down(ev.vk);
      if (helpOpen_) {
        if (ev.vk == kVkEscape) helpOpen_ = false;
      } else if (!was) {
        DeliverKeyDown(ev.vk);
      }
    } else if (ev.kind == "up") {
      keys_.Up(ev.vk, Ticks());
    } else if (ev.kind == "shot") {
      std::filesystem::path p(ev.arg);
      if (p.is_relative()) p = startDir_ / p;
      if (!VisibleCanvas().SavePng(p.string()))
        std::fprintf(stderr, "bramko-sim: cannot write %s\n", p.string().c_str());
    } else if (ev.kind == "focus") {
      focused_ = ev.arg == "on";
      SetFocus(focused_);
      if (!focused_) keys_.ReleaseAll();
    } else if (ev.kind == "close") {
      CloseWindow();
    } else if (ev.kind == "expose") {
      DeliverExpose();
    } else if (ev.kind == "menu") {
      auto slash = ev.arg.find('/');
      if (slash == std::string::npos || !ClickMenu(ev.arg.substr(0, slash), ev.arg.substr(slash + 1)))
        std::fprintf(stderr, "bramko-sim: no menu item %s\n", ev.arg.c_str());
    } else if (ev.kind == "joy") {
      std::istringstream in(ev.arg);
      int id = 0;
      std::string x;
      in >> id >> x;
      if (x == "off") {
        SetStick(id, false, 32767, 32767, 0);
      } else {
        unsigned y = 32767, b = 0;
        in >> y >> b;
        SetStick(id, true, static_cast<unsigned>(std::stoul(x)), y, b);
      }
    }
  }

  DisplayPrefs display_ = StartDisplayPrefs();
  std::vector<headless::ScriptEvent> events_;
  size_t next_ = 0;
  int64_t now_ = 0;
  int64_t until_;
  bool realTime_;
  bool advancing_ = false;
  std::chrono::steady_clock::time_point realStart_ = std::chrono::steady_clock::now();
  bool focused_ = true;
  bool helpOpen_ = false;
  KeyLatch keys_;
  FakeStick sticks_[2];
  std::filesystem::path startDir_;
};

HeadlessBackend* Headless() { return dynamic_cast<HeadlessBackend*>(CurrentBackend()); }

}  // namespace

std::unique_ptr<Backend> MakeHeadlessBackend(const StartOptions& options, std::string* error) {
  std::string text = options.scriptText;
  if (!options.scriptFile.empty()) {
    std::string script;
    if (ReadFile(options.scriptFile, kMaxScriptBytes, script) != FileRead::Whole) {
      if (error) *error = "cannot read script " + options.scriptFile;
      return nullptr;
    }
    text += "\n" + script;
  }
  std::vector<headless::ScriptEvent> events;
  if (!headless::ParseScript(text, events, error)) return nullptr;
  return std::make_unique<HeadlessBackend>(std::move(events), options.untilMs, options.realTime);
}

namespace headless {

void Inject(const ScriptEvent& event) {
  if (auto* h = Headless()) h->Inject(event);
}
void SetJoystick(int id, bool present, unsigned x, unsigned y, unsigned buttons) {
  if (auto* h = Headless()) h->SetStick(id, present, x, y, buttons);
}
void SetModalLook(std::function<void()> look) { HeadlessBackend::g_modalLook = std::move(look); }
const std::vector<std::string>& Messages() { return HeadlessBackend::g_messages; }
const std::vector<HelpVisit>& HelpVisits() { return HeadlessBackend::g_helpVisits; }
const std::vector<Rumble>& Rumbles() {
  static const std::vector<Rumble> none;
  auto* h = Headless();
  return h ? h->rumbles_ : none;
}
int64_t Now() {
  auto* h = Headless();
  return h ? h->Now() : HeadlessBackend::g_lastNow;
}

}  // namespace headless

}  // namespace platform
