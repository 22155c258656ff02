// Benchmark: whole matches. Headless (virtual clock): how many frames of a round the game
// simulates per real second, with both sides idle, with random key play on both sides, and
// against the computer; what recording costs (the same match played unrecorded), how large
// its replay is and how fast it plays back. Real SDL backend (dummy drivers unless others
// are set): the CPU time one frame of a round costs, and the share of the frame period the
// process is busy.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "actors/Comparas.h"
#include "app/GameApp.h"
#include "battle/Battle.h"
#include "battle/MatchInput.h"
#include "battle/MatchReport.h"
#include "battle/ReplayFiles.h"
#include "battle/ReplayPlayer.h"
#include "bench_game.h"
#include "field/Fieldxchip.h"
#include "field/Lchar.h"
#include "field/MapState.h"
#include "platform/Window.h"
#include "settings/SettingsFile.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"

namespace {

using Wall = std::chrono::steady_clock;

struct FrameMark {
  uint32_t tick;
  double wallUs, cpuUs;
};
std::vector<FrameMark> g_marks;

double CpuUs() { return std::clock() * 1e6 / CLOCKS_PER_SEC; }
double WallUs() { return std::chrono::duration<double, std::micro>(Wall::now().time_since_epoch()).count(); }

struct MatchFigures {
  int result = 0;
  size_t frames = 0;
  double realSeconds = 0;  // the whole match, waits included
  double cpuSeconds = 0;   // the process's CPU time over the whole match
  double roundWallUs = 0;  // from frame to frame inside rounds
  double roundCpuUs = 0;
  uint32_t virtualMs = 0;
};

std::string RandomPlay(uint32_t seed) {
  const int keys[2][6] = {{84, 71, 70, 72, 88, 90}, {38, 40, 37, 39, 13, 188}};
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> gap(40, 250), hold(30, 300), which(0, 5);
  std::ostringstream s;
  for (const auto& k : keys)
    for (int64_t t = 3000; t < 400000; t += gap(rng)) {
      const int h = hold(rng), vk = k[which(rng)];
      s << t << " down " << vk << "\n" << t + h << " up " << vk << "\n";
      t += h;
    }
  return s.str();
}

enum class Run { Recorded, Unrecorded, PlayBack };
constexpr int kReplayRuns = 5;

MatchFigures PlayMatch(platform::BackendKind kind, const std::string& dir, const std::string& script,
                       const OpponentRecord* opponent, int roundSeconds, Run how = Run::Recorded,
                       const Replay* replay = nullptr) {
  MatchFigures m;
  g_marks.clear();
  GameOptions o = BenchGameOptions(kind, dir, script);
  o.afterCreate = [&] {
    LoadKeyLists("", true);
    FramePeriodMs = 15;
    RoundSeconds = roundSeconds;
    CurrentMapId = midMainMenu;
    // An invisible sprite on the arena marks every frame.
    auto* marker = new LCharcter(Arena, nullptr, nullptr, {0, 0, 0, 0});
    marker->stepCallback = [](LCharcter*) { g_marks.push_back({TickCount(), WallUs(), CpuUs()}); };
    const uint32_t t0 = TickCount();
    const auto w0 = Wall::now();
    const double c0 = CpuUs();
    if (how == Run::Recorded) {
      m.result = RunMatch(nullptr, opponent);
    } else if (how == Run::Unrecorded) {
      KeyboardInput keys;
      m.result = RunMatchThrough(nullptr, opponent, keys, MatchEffects::StoryProgress);
    } else {
      m.result = PlayReplay(*replay) == ReplayOutcome::Played ? LastMatch.result : -1;
    }
    m.realSeconds = std::chrono::duration<double>(Wall::now() - w0).count();
    m.cpuSeconds = (CpuUs() - c0) / 1e6;
    m.virtualMs = TickCount() - t0;
    marker->Release();
    platform::CloseWindow();
  };
  RunGame(o);
  m.frames = g_marks.size();
  for (size_t i = 1; i < g_marks.size(); ++i) {
    if (g_marks[i].tick - g_marks[i - 1].tick > 100) continue;  // a gap between rounds
    m.roundWallUs += g_marks[i].wallUs - g_marks[i - 1].wallUs;
    m.roundCpuUs += g_marks[i].cpuUs - g_marks[i - 1].cpuUs;
  }
  return m;
}

void PrintHeadless(const char* name, const MatchFigures& m) {
  std::printf("  %-28s result %d, %6zu frames (%.0f s of virtual time) in %.3f s: %9.0f frames/s, %6.0fx real time\n",
              name, m.result, m.frames, m.virtualMs / 1000.0, m.realSeconds, m.frames / m.realSeconds,
              m.virtualMs / 1000.0 / m.realSeconds);
}

}  // namespace

int main(int argc, char** argv) {
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  // The runtime files (arena maps, media) lie in the build folder, one above bench/.
  std::string dir = argc > 1 ? argv[1] : (ec ? std::string(".") : self.parent_path().parent_path().string());

  std::printf("Headless matches of full 60-second rounds (frame period 15 ms):\n");
  PrintHeadless("versus, both idle", PlayMatch(platform::BackendKind::Headless, dir, "", nullptr, 60));
  PrintHeadless("versus, random play", PlayMatch(platform::BackendKind::Headless, dir, RandomPlay(5), nullptr, 60));
  PrintHeadless("idle player vs SCORPION", PlayMatch(platform::BackendKind::Headless, dir, "", Opponents().At(3), 60));
  PrintHeadless("random play vs DoraQ",
                PlayMatch(platform::BackendKind::Headless, dir, RandomPlay(6), Opponents().At(14), 60));

  std::printf("Replays (versus, random play, full rounds; CPU time the least of %d runs each):\n", kReplayRuns);
  MatchFigures unrecorded, recorded, played;
  std::vector<uint8_t> bytes;
  Replay replay;
  auto least = [](MatchFigures& best, const MatchFigures& m) {
    if (best.frames == 0 || m.cpuSeconds < best.cpuSeconds) best = m;
  };
  for (int i = 0; i < kReplayRuns; ++i) {
    least(unrecorded, PlayMatch(platform::BackendKind::Headless, dir, RandomPlay(5), nullptr, 60, Run::Unrecorded));
    least(recorded, PlayMatch(platform::BackendKind::Headless, dir, RandomPlay(5), nullptr, 60));
    if (i == 0) {
      bytes = LastReplayBytes();
      const ReplayReading reading = ReadReplay(bytes);
      if (!reading.replay) {
        std::printf("  the recording cannot be read back\n");
        return 1;
      }
      replay = *reading.replay;
    }
    least(played, PlayMatch(platform::BackendKind::Headless, dir, "", nullptr, 60, Run::PlayBack, &replay));
  }
  PrintHeadless("played, not recorded", unrecorded);
  PrintHeadless("played and recorded", recorded);
  PrintHeadless("its replay played back", played);
  std::printf("  replay: %zu bytes for %zu frames (%.2f bytes per frame, %zu tape entries)\n", bytes.size(),
              recorded.frames, double(bytes.size()) / double(recorded.frames), replay.tape.size());
  std::printf(
      "  CPU per match: %.3f s unrecorded, %.3f s recorded (%+.1f%%, the file written included), %.3f s played back\n",
      unrecorded.cpuSeconds, recorded.cpuSeconds, 100.0 * (recorded.cpuSeconds / unrecorded.cpuSeconds - 1.0),
      played.cpuSeconds);

  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  std::printf("Real SDL backend (video driver %s), versus with both idle, rounds of 5 clock seconds:\n",
              std::getenv("SDL_VIDEODRIVER"));
  const MatchFigures m = PlayMatch(platform::BackendKind::Sdl, dir, "", nullptr, 5);
  if (m.frames < 2) {
    std::printf("  no frames ran (no display?)\n");
    return 0;
  }
  std::printf(
      "  %zu frames, %.1f s of rounds: CPU %.1f us per frame (%.1f%% of the 15 ms period), wall %.2f ms per frame\n",
      m.frames, m.roundWallUs / 1e6, m.roundCpuUs / m.frames, 100.0 * m.roundCpuUs / m.roundWallUs,
      m.roundWallUs / 1000.0 / m.frames);
  return 0;
}
