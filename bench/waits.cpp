// Benchmark: the waits on the real clock (SDL backend, dummy video driver unless another is
// set). For each wait: how often it ended on the tick it must end on (the first tick past
// its time), how late it returned after that tick's edge, and the CPU time it used, for the
// platform's turns (which sleep while the end is far) against pure spinning.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/backends/Start.h"
#include "settings/SettingsFile.h"
#include "shell/Game.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Result {
  int runs = 0, onTick = 0, late = 0;  // late: ended a tick or more after its tick
  double meanOverUs = 0, maxOverUs = 0, cpuShare = 0;
};

// Starts right after a tick edge, so the wait's ideal end lies (ticks) ms after it.
Result Measure(int runs, uint32_t ticks, const std::function<uint32_t()>& wait) {
  Result r;
  r.runs = runs;
  double totalWallUs = 0, totalCpuUs = 0;
  for (int i = 0; i < runs; ++i) {
    uint32_t t = platform::TickCount();
    while (platform::TickCount() == t) {
    }
    auto edge = Clock::now();
    std::clock_t c0 = std::clock();
    uint32_t start = platform::TickCount();
    uint32_t elapsed = wait();
    uint32_t ended = platform::TickCount() - start;
    auto end = Clock::now();
    std::clock_t c1 = std::clock();
    (void)elapsed;
    double wallUs = std::chrono::duration<double, std::micro>(end - edge).count();
    double overUs = wallUs - ticks * 1000.0;
    if (ended == ticks) ++r.onTick;
    if (ended > ticks) ++r.late;
    r.meanOverUs += overUs / runs;
    r.maxOverUs = std::max(r.maxOverUs, overUs);
    totalWallUs += wallUs;
    totalCpuUs += (c1 - c0) * 1e6 / CLOCKS_PER_SEC;
  }
  r.cpuShare = totalWallUs > 0 ? totalCpuUs / totalWallUs : 0;
  return r;
}

// BusyWait's loop with turns that never sleep.
uint32_t SpinningBusyWait(uint32_t ms) {
  uint32_t start = TickCount(), elapsed;
  while (ms >= (elapsed = TickCount() - start)) platform::SpinTurn(0);
  return elapsed;
}

void Print(const std::string& name, const Result& r) {
  std::printf("%-28s %5d  %6.1f%%  %5d  %9.0f  %9.0f  %6.1f%%\n", name.c_str(), r.runs, 100.0 * r.onTick / r.runs,
              r.late, r.meanOverUs, r.maxOverUs, 100.0 * r.cpuShare);
}

}  // namespace

int main() {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  platform::StartOptions o;
  o.kind = platform::BackendKind::Sdl;
  std::string error;
  if (!platform::Start(o, &error)) {
    std::fprintf(stderr, "bench_waits: %s\n", error.c_str());
    return 1;
  }
  LoadKeyLists("", true);  // the polls inside WaitOrKey read the default keys

  std::printf("A wait of ms must end on tick start + ms + 1. over = real time past that tick's edge.\n");
  std::printf("%-28s %5s  %7s  %5s  %9s  %9s  %7s\n", "wait", "runs", "on tick", "late", "mean us", "max us", "cpu");
  const uint32_t sizes[] = {0, 1, 2, 5, 10, 15, 30, 100};
  for (uint32_t ms : sizes) {
    int runs = ms >= 30 ? 30 : 100;
    Print("BusyWait(" + std::to_string(ms) + ")", Measure(runs, ms + 1, [ms] { return BusyWait(ms); }));
    Print("  spinning only", Measure(runs, ms + 1, [ms] { return SpinningBusyWait(ms); }));
  }
  for (uint32_t ms : {10u, 30u}) {
    Print("BusyWaitPumping(" + std::to_string(ms) + ")", Measure(50, ms + 1, [ms] { return BusyWaitPumping(ms); }));
  }
  for (uint32_t ms : {15u, 100u}) {
    Print("WaitOrKey(" + std::to_string(ms) + ") no key", Measure(30, ms + 1, [ms] {
            WaitOrKey(ms);
            return 0u;
          }));
  }
  // Five quiet BusyWait(10) of 11 ticks each, and the polls between them.
  Print("WaitRelease() nothing held", Measure(20, 55, [] {
          WaitRelease();
          return 0u;
        }));
  platform::Stop();
  return 0;
}
