// platform/sdl: the real millisecond tick count and the waits on it. A wait sleeps to an
// absolute time on the monotonic clock and wakes early only for a window event, so the
// game's spin loops end on the tick they must end on while the processor stays idle.
#pragma once
#include <cstdint>

namespace platform {

class SdlClock {
 public:
  SdlClock();
  // Milliseconds since the clock was made; wraps like the system tick count.
  uint32_t Ticks() const;
  // Monotonic nanoseconds now, and where tick t begins.
  static int64_t NowNs();
  int64_t TickStartNs(uint32_t tick) const;
  // Sleeps until monotonic time untilNs. With wakeOnEvent, returns as soon as a window event
  // is waiting (it is not taken from the queue).
  void SleepUntil(int64_t untilNs, bool wakeOnEvent) const;
  // With a joystick open SDL's own event wait becomes a poll every millisecond (its state
  // changes announce nothing until events are pumped); the clock then pumps every
  // kPollPeriodNs itself instead (an event is still seen within less than a battle frame).
  void SetPolling(bool polling) { polling_ = polling; }
  static constexpr int64_t kPollPeriodNs = 10000000;

 private:
  void SleepTo(int64_t untilNs) const;
  int64_t epochNs_;
  bool polling_ = false;
};

}  // namespace platform
