// platform/sdl: tick count on CLOCK_MONOTONIC, absolute sleeps, waits for window events.
#include "platform/sdl/SdlClock.h"

#include <SDL.h>
#include <sys/prctl.h>
#include <time.h>

#include <algorithm>

namespace platform {

namespace {

constexpr int64_t kNsPerMs = 1000000;
// The event wait has whole-millisecond timeouts and may oversleep by one: it hands over to
// the absolute sleep this long before the end.
constexpr int64_t kEventWaitMarginNs = 2 * kNsPerMs;
// An absolute sleep with a timer slack of 1 us wakes within a few tens of microseconds of
// its time (bench_waits), well inside the tick it aims at: nothing is left to spin but the
// rare wake-up that comes early.

}  // namespace

SdlClock::SdlClock() : epochNs_(NowNs()) {
  // The default slack of 50 us would be added to every wake-up.
  prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
}

int64_t SdlClock::NowNs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

uint32_t SdlClock::Ticks() const { return static_cast<uint32_t>((NowNs() - epochNs_) / kNsPerMs); }

int64_t SdlClock::TickStartNs(uint32_t tick) const {
  // The tick of now and its 32-bit reading differ by whole wraps; aim at the nearest
  // occurrence of tick at or after the current one.
  const uint32_t now = Ticks();
  const int64_t base = (NowNs() - epochNs_) / kNsPerMs;
  return epochNs_ + (base + static_cast<int32_t>(tick - now)) * kNsPerMs;
}

void SdlClock::SleepTo(int64_t untilNs) const {
  timespec ts{static_cast<time_t>(untilNs / 1000000000), static_cast<long>(untilNs % 1000000000)};
  clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr);
}

void SdlClock::SleepUntil(int64_t untilNs, bool wakeOnEvent) const {
  if (wakeOnEvent && polling_) {
    for (;;) {
      SDL_PumpEvents();
      if (SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) return;
      const int64_t now = NowNs();
      if (now >= untilNs) return;
      SleepTo(std::min(untilNs, now + kPollPeriodNs));
    }
  }
  for (;;) {
    const int64_t left = untilNs - NowNs();
    if (left <= 0) return;
    if (wakeOnEvent && left > kEventWaitMarginNs) {
      const int ms = static_cast<int>((left - kEventWaitMarginNs) / kNsPerMs);
      if (SDL_WaitEventTimeout(nullptr, ms > 0 ? ms : 1)) return;
      continue;
    }
    if (wakeOnEvent && SDL_PollEvent(nullptr)) return;
    SleepTo(untilNs);
  }
}

}  // namespace platform
