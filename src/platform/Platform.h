// platform: start-up of the one backend in use, the millisecond clock and the service turn.
// The game is written for one thread whose nested loops spin on the tick count; every such
// turn calls into here, which keeps the window alive and shows what was drawn.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

enum class BackendKind { Sdl, Headless };

struct StartOptions {
  BackendKind kind = BackendKind::Sdl;
  // Headless only: timed input script (see HeadlessScript.h), the virtual time at which the
  // window is closed, and the start value of the virtual clock.
  std::string scriptFile;
  std::string scriptText;
  int64_t untilMs = -1;  // -1: when the script ends, plus 1000 ms
  // Headless only: the virtual clock keeps pace with the real one (a paced game, measured).
  bool realTime = false;
};

// Start(options, error), which picks the backend, is in platform/backends/Start.h.
void Stop();
bool Started();
bool IsHeadless();

// Milliseconds since some fixed start; wraps like the system tick count.
uint32_t TickCount();
// Gives up the processor for ms milliseconds (the virtual clock simply moves on).
void SleepMs(uint32_t ms);
// Gives up the processor until window input (or any window event) arrives or ms pass, and
// services the window. Headless, where scripted input announces nothing, it is a 10 ms sleep
// of the virtual clock whatever ms says: callers look for their input again in a loop.
void WaitInput(uint32_t ms);
// One turn of a busy wait that still has remainingMs to go (its end is the start of tick
// now + remainingMs, or one later): sleeps at most until the start of tick
// now + max(remainingMs, 1), and less when a window event or a due present comes first. The
// virtual clock moves one millisecond.
void SpinTurn(uint32_t remainingMs);
// Pumps pending window events and presents the visible canvas when it changed (at most once
// per display refresh).
void Service();
// What was drawn is complete (a battle frame, the title at start-up): the window shows it
// now, once.
void PresentFrame();
// How many times the real window has been presented so far (for benchmarks; any thread).
uint64_t PresentCount();

// Runs on the game's own thread after every pump of window events. Tests drive SDL's virtual
// joysticks from it, between two reads of the game; the game itself installs none.
void SetPumpObserver(std::function<void()> observer);

}  // namespace platform
