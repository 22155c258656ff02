// The whole game on the real SDL backend played with virtual pads alone, from a fresh game
// folder: title, main menu (Start, D-pad and stick), versus screen, a battle in which a fang is
// fired, the pad pulled out while a direction is held and plugged in again, and the pause.
// The script runs between two reads of the game, on its own thread, and waits for what the
// game shows before each step, so it holds on a slow machine too.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/VirtualPad.h"
#include "actors/Bramkoplayer.h"
#include "actors/Fang.h"
#include "screens/Vsmode.h"
#include "app/GameApp.h"
#include "field/Fieldmap.h"
#include "field/MapState.h"
#include "platform/Input.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "input/Ginput.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"

namespace {

constexpr uint32_t kStepTimeoutMs = 30000;
constexpr uint32_t kTapAfterMs = 150;  // the game gets to its next wait before a tap
constexpr uint32_t kTapMs = 120;

struct Step {
  std::string what;
  // At every pump, with the milliseconds since the step began; true when done.
  std::function<bool(uint32_t ms)> run;
  std::function<void()> begin = nullptr;
};

class Script {
 public:
  explicit Script(std::vector<Step> steps) : steps_(std::move(steps)) {}
  void Pump() {
    if (next_ >= steps_.size()) return;
    Step& step = steps_[next_];
    const uint32_t now = SDL_GetTicks();
    if (!begun_) {
      begun_ = true;
      since_ = now;
      if (step.begin) step.begin();
    }
    if (failure.empty() && step.run(now - since_)) {
      begun_ = false;
      if (++next_ == steps_.size()) platform::CloseWindow();
    } else if (!failure.empty() || now - since_ > kStepTimeoutMs) {
      if (failure.empty()) failure = "timed out";
      platform::CloseWindow();
    }
  }
  // Empty when every step was done; else the step it stopped at and why.
  std::string Stopped() const {
    return next_ < steps_.size() ? steps_[next_].what + ": " + (failure.empty() ? "not reached" : failure) : "";
  }
  std::string failure;

 private:
  std::vector<Step> steps_;
  size_t next_ = 0;
  bool begun_ = false;
  uint32_t since_ = 0;
};

// Presses a button of the pads for a moment, then waits until the game shows it took it.
std::function<bool(uint32_t)> Tap(std::vector<VirtualPad*> pads, int button, std::function<bool()> taken) {
  return [=](uint32_t ms) {
    const bool down = ms >= kTapAfterMs && ms < kTapAfterMs + kTapMs;
    for (VirtualPad* p : pads) p->Button(button, down);
    return ms >= kTapAfterMs + kTapMs && taken();
  };
}

// Holds a button until the game shows it, then lets go.
std::function<bool(uint32_t)> HoldUntil(VirtualPad* pad, int button, std::function<bool()> seen) {
  return [=](uint32_t) {
    const bool done = seen();
    pad->Button(button, !done);
    return done;
  };
}

BramkoPlayer* Left() { return Fighter(0); }

TEST(PadRun, TitleMenuVersusBattleFangUnplugReplugAndPauseOnPadsAlone) {
  const std::string dir = FreshGameDir("pad-run");
  VirtualPad padA("Bramko Pad A", true, false), padB("Bramko Pad B", true, false);
  VirtualPad* a = &padA;
  VirtualPad* b = &padB;
  bool freshAssignment = false;
  int x0 = 0, xGone = 0, y0 = 0;

  Script script({
      {"the title waits with the pad plugged in",
       [&](uint32_t) { return SceneName == "Title" && platform::JoyName(0) == a->Name(); }},
      {"south leaves the title", Tap({a}, SDL_CONTROLLER_BUTTON_A, [] { return SceneStep == FieldMapStep; })},
      {"Start on the main menu does not end the game",
       [&](uint32_t ms) {
         a->Button(SDL_CONTROLLER_BUTTON_START, ms >= kTapAfterMs && ms < kTapAfterMs + kTapMs);
         return ms >= kTapAfterMs + kTapMs + 300 && SceneStep == FieldMapStep && !platform::WindowClosed();
       }},
      {"the D-pad moves the menu cursor",
       HoldUntil(a, SDL_CONTROLLER_BUTTON_DPAD_DOWN, [] { return CurrentWaypoint == 1; })},
      {"so does the stick",
       [&](uint32_t) {
         const bool done = CurrentWaypoint == 2;
         a->Axis(SDL_CONTROLLER_AXIS_LEFTY, done ? 0 : 30000);
         return done;
       }},
      {"south selects the versus mode",
       Tap({a}, SDL_CONTROLLER_BUTTON_A, [] { return CurrentVersus && SceneStep == VSMode::Step; })},
      {"a second pad plugged in now serves player 2", [&](uint32_t) { return platform::JoyName(1) == b->Name(); },
       [&] { b->Plug(); }},
      {"both decide and the battle starts", Tap({a, b}, SDL_CONTROLLER_BUTTON_A, [] { return GameScreenActive; })},
      {"the D-pad moves the fighter",
       [&](uint32_t) {
         const bool done = Left()->x > x0;
         a->Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, !done);
         return done;
       },
       [&] { x0 = Left()->x; }},
      {"south fires the loaded fang",
       [&](uint32_t ms) {
         a->Button(SDL_CONTROLLER_BUTTON_A, ms < kTapMs);
         return Left()->loadedFang == -1 && FangsInFlight() > 0;
       },
       [&] { Left()->loadedFang = 1; }},  // as if it had touched an item
      {"a direction is held and moves the fighter",
       [&](uint32_t) {
         a->Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);  // still held when pulled out
         return Left()->x < x0;
       },
       [&] { x0 = Left()->x; }},
      {"pulled out while held, it reads as released",
       [&](uint32_t ms) {
         platform::JoyPos p;
         if (platform::JoyGetPos(0, p)) script.failure = "joystick 1 still reads";
         if (Left()->x != xGone) script.failure = "the fighter went on moving";
         return ms >= 600;
       },
       [&] {
         a->Unplug();
         xGone = Left()->x;
       }},
      {"plugged in again, it serves player 1 again",
       [&](uint32_t) {
         const bool back = platform::JoyName(0) == a->Name(), done = back && Left()->y != y0;
         a->Button(SDL_CONTROLLER_BUTTON_DPAD_UP, back && !done);
         return done;
       },
       [&] {
         a->Plug();
         y0 = Left()->y;
       }},
      {"Start pauses", Tap({a}, SDL_CONTROLLER_BUTTON_START, [] { return platform::ImageVisible(); })},
      {"Start again leaves the battle",
       Tap({a}, SDL_CONTROLLER_BUTTON_START, [] { return !GameScreenActive && SceneStep == VSMode::Step; })},
      {"both pads pulled out",
       [&](uint32_t) {
         a->Unplug();
         b->Unplug();
         return true;
       }},
  });

  GameOptions o;
  o.start.kind = platform::BackendKind::Sdl;
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  o.singleInstance = false;
  o.dir = dir;
  o.haveSeed = true;
  o.seed = 7;
  o.afterCreate = [&] {
    // No settings file: the first pad serves player 1, the second player 2.
    freshAssignment = JoystickPollerP1 == JoystickPoller1 && JoystickPollerP2 == JoystickPoller2;
    a->Plug();
    platform::SetPumpObserver([&] { script.Pump(); });
  };
  EXPECT_EQ(RunGame(o), 0);
  EXPECT_TRUE(freshAssignment);
  EXPECT_EQ(script.Stopped(), "");
}

}  // namespace
