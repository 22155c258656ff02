// Benchmark: the real game in a real window (bench/pacing.sh gives it an Xvfb display),
// driven by xdotool key presses like a player: launch to the title on screen, the
// CPU share on the title, the main menu, with the help, the network and the settings dialogs
// open over it, the versus menu, in a versus battle (both idle) and in its pause, the
// battle's frame periods, peak memory; then headless frames per second. With --online, instead:
// the window plays an online match against a paced simulator through a relay of 100 ms round
// trip that loses 5 % of the datagrams, both players busy so that rollbacks happen, and its
// battle frames are timed as shown, with the rollbacks a second of both sides.
// Each figure is printed with its ratio to the target (a ratio of 1 or less meets it).
// usage: bench_pacing [BUILD_DIR] [--scale N] [--pad] [--headless-only | --online]
//   --scale N: open the window at that whole scale; --pad: with a game pad plugged in;
//   --headless-only: only the headless figure (no display needed).
#include <SDL.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/types.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "screens/Vsmode.h"
#include "app/GameApp.h"
#include "battle/Battle.h"
#include "battle/BattleFrame.h"
#include "bench_game.h"
#include "field/Fieldxchip.h"
#include "field/Lchar.h"
#include "online/OnlineVersus.h"
#include "online_peer.h"
#include "platform/media/Media.h"
#include "platform/Platform.h"
#include "platform/Window.h"
#include "settings/Custom.h"
#include "settings/SettingsFile.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "support/ChildProcess.h"
#include "support/UdpRelay.h"

extern char** environ;

namespace {

using Steady = std::chrono::steady_clock;

double CpuSeconds() {
  rusage u;
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_utime.tv_usec / 1e6 + u.ru_stime.tv_sec + u.ru_stime.tv_usec / 1e6;
}
double Seconds() { return std::chrono::duration<double>(Steady::now().time_since_epoch()).count(); }
void SleepS(double s) { std::this_thread::sleep_for(std::chrono::duration<double>(s)); }

pid_t Spawn(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t fa;
  posix_spawn_file_actions_init(&fa);
  posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  if (posix_spawnp(&pid, argv[0], &fa, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&fa);
  return pid;
}
void Run(const std::vector<std::string>& args) {
  pid_t p = Spawn(args);
  if (p > 0) waitpid(p, nullptr, 0);
}

// Seconds since this process started (its start time is kept in clock ticks since boot).
double SecondsSinceStart() {
  std::ifstream in("/proc/self/stat");
  std::string all((std::istreambuf_iterator<char>(in)), {});
  std::istringstream rest(all.substr(all.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 22 && rest >> field; ++i) {
  }
  timespec boot;
  clock_gettime(CLOCK_BOOTTIME, &boot);
  return boot.tv_sec + boot.tv_nsec / 1e9 - std::stod(field) / sysconf(_SC_CLK_TCK);
}

long PeakKb() {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

// Battle frames, marked by an invisible sprite on the arena (main thread only writes).
std::vector<double> g_frames;
std::atomic<size_t> g_frameCount{0};

// ratio: the figure against its target, so that 1 or less meets it (for a figure that must
// reach its target rather than stay under it, the target against the figure).
int g_figures = 0, g_met = 0;
void Report(const char* name, double value, double target, const char* unit, bool atLeast = false) {
  const double ratio = atLeast ? target / value : value / target;
  ++g_figures;
  g_met += ratio <= 1;
  std::printf("  %-40s %10.2f %-7s target %s%7.2f  ratio %5.2f\n", name, value, unit, atLeast ? ">=" : "<=", target,
              ratio);
  std::fflush(stdout);
}

std::string g_window;
bool g_pad = false;  // --pad: a game pad plugged in (SDL's virtual one) the whole time
std::atomic<bool> g_quit{false};
void (*g_gamePump)() = nullptr;
void BenchPump() {
  if (g_quit) platform::CloseWindow();
  if (g_gamePump) g_gamePump();
}
// The bench's hold on the window, once the game is made: it closes when the driver is done.
void InstallBenchHooks() {
  g_gamePump = PumpHook;
  PumpHook = BenchPump;
  // Menus run on the scene timer, nested loops pump messages: either closes the window.
  auto& timer = platform::Handlers().onTimer;
  timer = [step = timer] {
    if (g_quit) platform::CloseWindow();
    if (step) step();
  };
  FramePeriodMs = 15;
  if (g_pad) SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 6, 15, 0);
}

void Key(const char* key) {
  // Real key events (XTEST) to the focused window, as a player's keyboard sends them.
  // --sync has been seen to wait for ever under load: a few seconds at most.
  Run({"timeout", "5", "xdotool", "windowfocus", "--sync", g_window});
  // Held for 120 ms inside one xdotool call, so a busy machine cannot stretch or split it.
  Run({"xdotool", "keydown", key, "sleep", "0.12", "keyup", key});
}

// The settings dialog's キャンセル: the dialog (its client area and an 18-pixel caption) opens
// centred on the picture, which sits under the menu strip (20 rows).
void ClickSettingsCancel() {
  FILE* f = popen(("xdotool getwindowgeometry " + g_window + " | awk '/Geometry/ {print $2}'").c_str(), "r");
  int w = 640, h = 500;
  if (f && std::fscanf(f, "%dx%d", &w, &h) != 2) w = 640, h = 500;
  if (f) pclose(f);
  const int k = std::max(1, std::min(w / 640, h / 500));
  const int left = w / 2 - TForm2::kClientWidth / 2 * k,
            top = (20 * k + (h - 20 * k) / 2) - (TForm2::kClientHeight + 18) * k / 2 + 18 * k;
  const std::string x = std::to_string(left + (342 + 44) * k), y = std::to_string(top + (268 + 13) * k);
  Run({"xdotool", "mousemove", "--window", g_window, x, y, "click", "1"});
}

// CPU share of the whole process (every thread) over the next seconds.
double CpuShare(double seconds) {
  const double c0 = CpuSeconds(), w0 = Seconds();
  SleepS(seconds);
  return 100.0 * (CpuSeconds() - c0) / (Seconds() - w0);
}

// The game's window on the display, for xdotool.
void FindWindow() {
  for (int i = 0; i < 100 && g_window.empty(); ++i) {
    FILE* f = popen("xdotool search --name 'Bramko2 for Windows' 2>/dev/null | head -n 1", "r");
    char buf[64] = {};
    if (f && std::fgets(buf, sizeof buf, f)) g_window = std::string(buf, std::strcspn(buf, "\n"));
    if (f) pclose(f);
    if (g_window.empty()) SleepS(0.05);
  }
}

// A fresh cache: the tunes are rendered ahead once, on the lowest priority, then kept.
void WaitTunesRendered() {
  const double p0 = Seconds(), pc0 = CpuSeconds();
  // The first screen is up before the sound device opens.
  while (platform::MediaDeviceName().empty() && Seconds() - p0 < 10) SleepS(0.01);
  // Tunes are opened one after the other: done when nothing was being rendered for 1.5 s.
  for (double quietSince = Seconds(); Seconds() - quietSince < 1.5 && Seconds() - p0 < 120; SleepS(0.05))
    if (platform::MediaPreparing()) quietSince = Seconds();
  std::printf("  first start only: every tune rendered ahead in %.2f s (%.2f s of CPU)\n", Seconds() - p0 - 1.5,
              CpuSeconds() - pc0);
}

// The battle's frame periods against 15 ms: p50, p99 and max, and their figures.
void ReportFramePeriods(const std::vector<double>& periods, const std::string& what) {
  if (periods.empty()) {
    std::printf("  (no %s frames timed)\n", what.c_str());
    return;
  }
  std::vector<double> s = periods;
  std::sort(s.begin(), s.end());
  double mean = 0;
  int late05 = 0, late1 = 0;
  for (double p : periods) {
    mean += p / periods.size();
    late05 += p > 15.5;
    late1 += p > 16.0;
  }
  std::printf("  %zu %s frames of 15 ms: p50 %.2f, p99 %.2f, max %.2f ms; late > 0.5 ms %.2f %%\n", periods.size(),
              what.c_str(), s[s.size() / 2], s[s.size() * 99 / 100], s.back(), 100.0 * late05 / periods.size());
  Report((what + " frame p99 distance from 15 ms").c_str(), std::abs(s[s.size() * 99 / 100] - 15.0), 1, "ms");
  Report((what + " frame mean distance from 15 ms").c_str(), std::abs(mean - 15.0), 0.01, "ms");
  Report((what + " frames late by more than 1 ms").c_str(), 100.0 * late1 / periods.size(), 1, "%");
}

void Drive(double launchAt) {
  const double waitFrom = Seconds();
  while (platform::PresentCount() == 0 && Seconds() - waitFrom < 20) SleepS(0.001);
  Report("launch to the title on screen", 1000.0 * (Seconds() - waitFrom + launchAt), 250, "ms");
  FindWindow();
  WaitTunesRendered();
  SleepS(1.0);
  Report("CPU on the title", CpuShare(4), 1, "%");
  Key("x");
  SleepS(2.0);
  Report("CPU on the main menu (idle)", CpuShare(4), 2, "%");
  // Open dialogs cost as little as the menus while nobody touches them.
  Key("F1");
  SleepS(2.0);
  Report("CPU with the help open (idle)", CpuShare(4), 2, "%");
  Key("Escape");
  SleepS(1.0);
  Key("alt+f");  // ファイル → ネット対戦…: the fifth of its items, below a separator
  for (int i = 0; i < 3; ++i) Key("Down");
  Key("Return");
  SleepS(2.0);
  Report("CPU with the network dialog open (idle)", CpuShare(4), 2, "%");
  Key("Escape");
  SleepS(1.0);
  Key("alt+f");  // 設定 → 設定変更
  Key("Right");
  Key("Return");
  SleepS(2.0);
  Report("CPU with the settings open (idle)", CpuShare(4), 2, "%");
  ClickSettingsCancel();
  SleepS(1.5);
  Key("Down");
  SleepS(1.5);
  Key("Down");
  SleepS(1.5);
  Key("x");
  SleepS(3.0);
  if (!CurrentVersus) std::printf("  (the versus menu did not open)\n");
  if (std::getenv("BENCH_SHOTS")) Run({"import", "-window", g_window, "/tmp/bench_versus.png"});
  Report("CPU on the versus menu (idle)", CpuShare(4), 2, "%");
  // Each player confirms (player 2 with Enter); a press the menu missed is repeated.
  for (int tries = 0; tries < 5 && !GameScreenActive; ++tries) {
    Key("x");
    SleepS(0.6);
    Key("Return");
    SleepS(1.0);
  }
  if (!GameScreenActive) {
    std::printf("  (the battle did not start: no battle or pause figures)\n");
    g_quit = true;
    return;
  }
  const double f0 = Seconds();
  while (g_frameCount.load() < 10 && Seconds() - f0 < 10) SleepS(0.01);
  const size_t first = g_frameCount.load();
  const double c0 = CpuSeconds(), w0 = Seconds();
  SleepS(8);
  const double battleCpu = 100.0 * (CpuSeconds() - c0) / (Seconds() - w0);
  const size_t last = g_frameCount.load();
  Report("CPU in a versus battle (both idle)", battleCpu, 5, "%");
  std::vector<double> periods;
  for (size_t i = first + 1; i < last; ++i) {
    const double p = 1000.0 * (g_frames[i] - g_frames[i - 1]);
    if (p < 100) periods.push_back(p);  // not across the gap between rounds
  }
  ReportFramePeriods(periods, "battle");
  if (std::getenv("BENCH_SHOTS")) Run({"import", "-window", g_window, "/tmp/bench_battle.png"});
  Key("Escape");
  SleepS(1.5);
  Report("CPU in the pause", CpuShare(4), 1, "%");
  Report("peak memory", PeakKb() / 1024.0, 120, "MB");
  g_quit = true;  // the game closes its window at its next timer tick or message pump
}

double HeadlessFramesPerSecond(const std::string& dir) {
  size_t frames = 0;
  double seconds = 0;
  GameOptions o = BenchGameOptions(platform::BackendKind::Headless, dir);
  o.afterCreate = [&] {
    LoadKeyLists("", true);
    FramePeriodMs = 15;
    auto* marker = new LCharcter(Arena, nullptr, nullptr, {0, 0, 0, 0});
    static size_t* count;
    count = &frames;
    marker->stepCallback = [](LCharcter*) { ++*count; };
    // Processor time, not wall time: the figure should not depend on what else the machine runs.
    const double c0 = CpuSeconds();
    RunMatch(nullptr, nullptr);
    seconds = CpuSeconds() - c0;
    marker->Release();
    platform::CloseWindow();
  };
  RunGame(o);
  return seconds > 0 ? frames / seconds : 0;
}

// The online case. The snapshot a rollback takes cannot hold the arena marker, and the
// battle's checksum would count it on this side only: here the window's presents are timed.
constexpr int kOnlineRoundSeconds = 30;
constexpr int kOnlineRttMs = 100, kOnlineLossPercent = 5;
std::vector<double> g_shownPeriods;  // written on the game's thread while it runs
std::atomic<bool> g_gameOver{false};

// Every present of the window comes right after a pump of its events (a battle frame's
// present pumps first), so a present seen at one pump was made just after the pump before.
// A frame that changed nothing on screen is not presented: a period runs from the present of
// a round's frame n to that of frame n + k, less 15 ms for each of the k - 1 frames between.
size_t g_framesUnshown = 0;
void NotePump() {
  static uint64_t presents = 0;
  static double pumpedAt = 0, shownAt = 0;
  static int pumpedFrame = 0, shownFrame = 0;
  if (g_quit) platform::CloseWindow();
  const uint64_t n = platform::PresentCount();
  if (n != presents) {
    presents = n;
    if (pumpedFrame != shownFrame) {
      const int k = pumpedFrame - shownFrame;
      if (shownFrame > 0 && k > 0 && GameScreenActive) {
        g_shownPeriods.push_back(1000.0 * (pumpedAt - shownAt) - 15.0 * (k - 1));
        g_framesUnshown += k - 1;
      }
      shownFrame = pumpedFrame;
      shownAt = pumpedAt;
    }
  }
  pumpedAt = Seconds();
  pumpedFrame = CurrentRoundFrames().frame;
}

// The window's busy player, as the simulator's plays: player 2's arrows and Enter, from one
// xdotool that stops by itself.
pid_t StartBusyPlayer(uint32_t seed, int untilMs) {
  const char* const keys[5] = {"Up", "Down", "Left", "Right", "Return"};
  std::vector<std::string> args = {"timeout", std::to_string(untilMs / 1000 + 10), "xdotool"};
  for (const bench::BusyPress& p : bench::BusyPresses(seed, 0, untilMs)) {
    const std::string held = std::to_string(p.lengthMs / 1000.0);
    if (p.key == 4)
      args.insert(args.end(), {"key", keys[4], "sleep", held});
    else
      args.insert(args.end(), {"keydown", keys[p.key], "sleep", held, "keyup", keys[p.key]});
  }
  Run({"timeout", "5", "xdotool", "windowfocus", "--sync", g_window});
  return Spawn(args);
}

double LoadAverage() {
  double load = -1;
  std::ifstream("/proc/loadavg") >> load;
  return load;
}

// The window decides on the versus screen once the tunes are rendered; its busy player plays
// the match. The window closes itself after the match, or is closed past the time it may take.
void DriveOnline(uint32_t seed) {
  const double w0 = Seconds();
  while (platform::PresentCount() == 0 && Seconds() - w0 < 20) SleepS(0.01);
  FindWindow();
  WaitTunesRendered();
  for (int tries = 0; tries < 8 && !GameScreenActive && !g_gameOver; ++tries) {
    Key("Return");
    SleepS(1.5);
  }
  if (!GameScreenActive) {
    std::printf("  (the online match did not start)\n");
    g_quit = true;
    return;
  }
  const int matchMs = 3 * (kOnlineRoundSeconds + 15) * 1000;
  const pid_t player = StartBusyPlayer(seed, matchMs);
  const double m0 = Seconds();
  while (!g_gameOver && Seconds() - m0 < matchMs / 1000.0) SleepS(0.1);
  if (!g_gameOver) {
    std::printf("  (the match did not end in time: the window is closed)\n");
    g_quit = true;
  }
  if (player > 0) {
    kill(player, SIGTERM);
    waitpid(player, nullptr, 0);
  }
}

// One side's online figures: input delay, rollbacks a second, the longest, frames waited for
// the other side, frames held back to keep abreast of it, and the CPU a frame played again costs.
struct OnlineSide {
  long long delay, frames, rollbacks, most, waited, held, framesAgain, againNs;
  std::string stop;
};
void PrintOnlineSide(const char* side, const OnlineSide& o) {
  std::printf(
      "  %-10s input delay %lld, %.1f rollbacks a second (%lld in %lld frames), longest %lld frames, "
      "%lld frames waited, %lld held, %.1f us a frame played again, stop %s\n",
      side, o.delay, o.frames > 0 ? o.rollbacks / (o.frames * 0.015) : 0.0, o.rollbacks, o.frames, o.most, o.waited,
      o.held, o.framesAgain > 0 ? o.againNs / 1000.0 / o.framesAgain : 0.0, o.stop.c_str());
}

int RunOnlineCase(const std::string& dir, const std::string& gameDir, const std::string& runtime) {
  const std::filesystem::path work = runtime + "/online";
  std::error_code ec;
  std::filesystem::create_directories(work, ec);
  const uint16_t port = static_cast<uint16_t>(21000 + getpid() % 20000);
  const uint32_t seed = 100;
  std::printf(
      "Online match in the real window, joining a paced simulator through a relay of %d ms round trip "
      "and %d %% loss, both players busy, rounds of %d s (load average %.2f):\n",
      kOnlineRttMs, kOnlineLossPercent, kOnlineRoundSeconds, LoadAverage());
  std::ofstream(work / "host.txt") << bench::BusyScript(true, seed, 240000);
  testing_support::UdpRelay relay(port, kOnlineLossPercent, kOnlineRttMs / 2, seed);
  const pid_t host = testing_support::SpawnToFile(
      work / "host.json", {BRAMKO_BINARY_DIR "/bramko-sim", "--dir", dir, "--seed", std::to_string(seed), "--script",
                           (work / "host.txt").string(), "--host", std::to_string(port), "--round-seconds",
                           std::to_string(kOnlineRoundSeconds), "--real-time"});
  std::thread driver([seed] { DriveOnline(seed + 1); });
  GameOptions o;
  o.start.kind = platform::BackendKind::Sdl;
  o.singleInstance = false;
  o.dir = gameDir;
  o.onlineJoin = "127.0.0.1";
  o.onlinePort = relay.Port();
  o.afterCreate = [] {
    InstallBenchHooks();
    OnlineMatchLimit = 1;
    platform::SetPumpObserver(NotePump);
  };
  RunGame(o);
  g_gameOver = true;
  driver.join();
  const bool hostEnded = bench::Reap(host, std::chrono::steady_clock::now() + std::chrono::seconds(20));
  const std::string h = bench::ReadFile(work / "host.json");
  ReportFramePeriods(g_shownPeriods, "online battle");
  std::printf("  (%zu frames changed nothing on screen and were not presented)\n", g_framesUnshown);
  const RollbackStats& r = LastOnline.rollbacks;
  PrintOnlineSide("window:",
                  {LastOnline.delay, LastOnline.frames, r.rollbacks, r.most, LastOnline.framesWaited,
                   LastOnline.framesHeld, static_cast<long long>(r.framesAgain), static_cast<long long>(r.againNs),
                   LastOnline.played ? OnlineStopName(LastOnline.stop) : "(no match)"});
  auto number = [&h](const char* key) { return bench::ReportNumber(h, key); };
  PrintOnlineSide("simulator:", {number("delay"), number("frames"), number("rollbacks"), number("rollbackMost"),
                                 number("framesWaited"), number("framesHeld"), number("framesAgain"), number("againNs"),
                                 hostEnded ? bench::ReportField(h, "\"stop\": \"(\\w+)\"") : "(did not end)"});
  std::printf("  relay: %llu datagrams forwarded, %llu lost; load average %.2f at the end\n",
              static_cast<unsigned long long>(relay.Forwarded()), static_cast<unsigned long long>(relay.Dropped()),
              LoadAverage());
  return LastOnline.played ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const double launchAt = SecondsSinceStart();
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  std::string dir = ec ? std::string(".") : self.parent_path().parent_path().string();
  int scale = 0;
  bool headlessOnly = false, online = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--scale") == 0 && i + 1 < argc)
      scale = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--pad") == 0)
      g_pad = true;
    else if (std::strcmp(argv[i], "--headless-only") == 0)
      headlessOnly = true;
    else if (std::strcmp(argv[i], "--online") == 0)
      online = true;
    else
      dir = argv[i];
  }
  if (headlessOnly) {
    std::printf("Headless (virtual clock):\n");
    Report("headless versus, both idle", HeadlessFramesPerSecond(dir) / 1000.0, 100, "k fr/s", true);
    return 0;
  }
  if (!std::getenv("DISPLAY")) {
    std::fprintf(stderr, "bench_pacing: no DISPLAY (bench/pacing.sh starts an Xvfb for it)\n");
    return 1;
  }
  const std::string runtime = std::filesystem::temp_directory_path() / ("bench_pacing." + std::to_string(getpid()));
  std::filesystem::create_directories(runtime, ec);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // Every run is a first start (the tunes rendered ahead), unless BENCH_TUNE_CACHE names a
  // cache folder kept from an earlier run: the start of a player who has played before.
  const char* keptCache = std::getenv("BENCH_TUNE_CACHE");
  setenv("XDG_CACHE_HOME", keptCache ? keptCache : (runtime + "/cache").c_str(), 1);
  g_frames.resize(200000);
  std::string gameDir = dir;
  if (scale > 0) {
    // A folder of its own whose settings open the window at that scale.
    gameDir = runtime + "/game";
    std::filesystem::create_directories(gameDir, ec);
    for (const auto& e : std::filesystem::directory_iterator(dir, ec)) {
      const std::string ext = e.path().extension().string();
      if (ext == ".wav" || ext == ".mid" || ext == ".txt" || e.path().filename() == "BRAMKO.HLP")
        std::filesystem::copy_file(e.path(), gameDir + "/" + e.path().filename().string(), ec);
    }
    std::ofstream(gameDir + "/BRAMKO.INI")
        << "[Linux]\r\nWindowWidth=" << 640 * scale << "\r\nWindowHeight=" << 500 * scale << "\r\n";
    std::printf("Window of %d x %d (scale %d)\n", 640 * scale, 500 * scale, scale);
  }
  if (online) {
    const int status = RunOnlineCase(dir, gameDir, runtime);
    std::filesystem::remove_all(runtime, ec);
    std::printf("%d of %d targets met\n", g_met, g_figures);
    return status;
  }
  std::printf("Real window on display %s, frame period 15 ms%s:\n",
              std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "?", g_pad ? ", a game pad plugged in" : "");
  std::thread driver([launchAt] { Drive(launchAt); });
  GameOptions o;
  o.start.kind = platform::BackendKind::Sdl;
  o.singleInstance = false;
  o.dir = gameDir;
  o.afterCreate = [] {
    InstallBenchHooks();
    auto* marker = new LCharcter(Arena, nullptr, nullptr, {0, 0, 0, 0});
    marker->stepCallback = [](LCharcter*) {
      const size_t i = g_frameCount.load();
      if (i < g_frames.size()) g_frames[i] = Seconds();
      g_frameCount.store(i + 1);
    };
  };
  RunGame(o);
  driver.join();
  std::filesystem::remove_all(runtime, ec);
  std::printf("Headless (virtual clock):\n");
  Report("headless versus, both idle", HeadlessFramesPerSecond(dir) / 1000.0, 100, "k fr/s", true);
  std::printf("%d of %d targets met\n", g_met, g_figures);
  return 0;
}
