// Chapter tests: the cue-driven headless run, its lever and its logs.
#include "ChapterKit.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "actors/Bramkoplayer.h"
#include "field/Fieldmap.h"
#include "platform/files/Files.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessControl.h"
#include "screens/Untiku.h"
#include "settings/SettingsFile.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "shell/GameMedia.h"
#include "support/Headless.h"

namespace chapters_test {

namespace {

constexpr int64_t kProbeEveryMs = 20;

ChapterRun* g_run = nullptr;
size_t g_nextRound = 0;
bool g_probing = false;

// Decides a round that is about to start: its clock is full and nothing has ended it.
void Lever() {
  BramkoPlayer* left = Fighter(0);
  BramkoPlayer* right = Fighter(1);
  if (!GameScreenActive || !left || !right || RoundOver != 0 || RoundClock != RoundSeconds) return;
  if (g_nextRound >= g_run->rounds.size()) return;
  if (left->roundsWon + right->roundsWon == 0) g_run->opponents.push_back(right->characterId);
  const Round& r = g_run->rounds[g_nextRound++];
  left->energy = r.left;
  right->energy = r.right;
  RoundOver = 1;  // a perfect, decided by the energies
}

void Probe() {
  // A cue's action may wait inside the game, and the waits run the probe again.
  if (g_probing || !g_run) return;
  g_probing = true;
  ChapterRun& run = *g_run;
  if (run.music.empty() || run.music.back() != CurrentMusic) run.music.push_back(CurrentMusic);
  Lever();
  if (run.every) run.every();
  if (run.cuesDone < run.cues.size() && run.cues[run.cuesDone].ready()) {
    run.lastCueAt = Now();
    run.cues[run.cuesDone++].act();
  }
  g_probing = false;
}

std::string ProbeScript(int64_t until) {
  std::ostringstream s;
  for (int64_t t = kProbeEveryMs; t < until; t += kProbeEveryMs) s << t << " menu Test/probe\n";
  return s.str();
}

}  // namespace

int64_t Now() { return platform::headless::Now(); }

void Tap(const std::vector<int>& keys, int64_t holdMs) {
  for (int vk : keys) {
    platform::headless::Inject({Now() + 1, "down", vk, ""});
    platform::headless::Inject({Now() + 1 + holdMs, "up", vk, ""});
  }
}

void Play(ChapterRun& run) {
  // What the last run left on screen.
  delete CurrentMapScene;
  g_run = &run;
  g_nextRound = 0;
  static int serial = 0;
  run.dir = testing_support::FreshDir("chapters" + std::to_string(++serial)) + "/";
  // The arenas are read from the game's folder.
  for (const char* map : {"map1.txt", "map2.txt", "map3.txt"}) {
    std::error_code ec;
    std::filesystem::copy_file(std::filesystem::path(BRAMKO_RUNTIME_DIR) / map, run.dir + map, ec);
  }
  testing_support::RunHeadlessGame(
      ProbeScript(run.untilMs), run.untilMs, 1,
      [&run] {
        LoadKeyLists("", true);
        platform::SetExecutableDir(run.dir);
        FramePeriodMs = 15;
        auto menus = platform::Menus();
        menus.push_back({"Test", {{"probe", [] { Probe(); }}}});
        platform::SetMenus(std::move(menus));
        if (run.before) run.before();
      },
      run.language);
  g_run = nullptr;
}

bool OnMap(const char* sceneName) { return SceneName == sceneName && SceneStep == FieldMapStep; }

bool OnProfile() { return SceneName == "Untiku" && SceneStep == ProfileStep; }

bool Since(int64_t ms) { return g_run && Now() - g_run->lastCueAt >= ms; }

bool ShotsAsked() {
  const char* dir = std::getenv("BRAMKO_SHOTS");
  return dir && *dir;
}

void ShotIfAsked(const std::string& name, const platform::Bitmap& frame) {
  if (ShotsAsked()) frame.SavePng(std::string(std::getenv("BRAMKO_SHOTS")) + "/" + name + ".png");
}

void ShotIfAsked(const std::string& name) { ShotIfAsked(name, platform::VisibleCanvas()); }

bool DiffersFrom(const platform::Bitmap& picture, const platform::Rect& r) {
  const platform::Bitmap& screen = platform::VisibleCanvas();
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (screen.Pixel(x, y) != picture.Pixel(x, y)) return true;
  return false;
}

bool Heard(const ChapterRun& run, const std::string& tune) {
  return std::find(run.music.begin(), run.music.end(), tune) != run.music.end();
}

}  // namespace chapters_test
