// Battle tests: the headless match runner with its lever and announcement watcher.
#include "BattleHarness.h"

#include <filesystem>
#include <random>
#include <sstream>
#include <utility>

#include "actors/Bramkoplayer.h"
#include "app/GameApp.h"
#include "battle/Battle.h"
#include "field/Fieldxchip.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessControl.h"
#include "settings/SettingsFile.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "actors/BattlePanel.h"
#include "support/Headless.h"

namespace battle_test {

namespace {

struct Announcement {
  int x, y;
  const char* text;
};
const Announcement kAnnouncements[] = {
    {208, 232, "round 1"},  {208, 232, "round 2"},       {144, 232, "final round"},   {224, 232, "start!"},
    {192, 232, "perfect!"}, {192, 232, "time up!"},      {176, 232, "draw game"},     {192, 232, "you won!"},
    {192, 232, "you lost"}, {112, 232, "player 1 won!"}, {112, 232, "player 2 won!"}, {176, 148, "get chips"},
    {112, 406, "total"},    {128, 240, "no contest!"},   {184, 176, "w,i,n,n,e,r"},   {192, 240, "player 1"},
    {192, 240, "player 2"}, {176, 320, "straight!"},
};

constexpr int64_t kLeverEveryMs = 20;
// After the window's start-up (media opened, reset tune played), before round 1's frames.
constexpr int64_t kLeverFromMs = 1000;
constexpr int64_t kWatchEveryMs = 100;

MatchRun* g_run = nullptr;
size_t g_nextRound = 0;
int64_t g_lastWatch = -kWatchEveryMs;

void Watch() {
  if (Now() - g_lastWatch < kWatchEveryMs) return;
  g_lastWatch = Now();
  for (const auto& a : kAnnouncements)
    if (ShowsGlyphText(a.x, a.y, a.text)) g_run->seen.insert(a.text);
}

// Decides the round that is about to start: its clock is full, nothing has ended it yet.
void Lever() {
  BramkoPlayer* left = Fighter(0);
  BramkoPlayer* right = Fighter(1);
  if (GameScreenActive && left && right && RoundOver == 0 && RoundClock == RoundSeconds &&
      g_nextRound < g_run->plan.size()) {
    const RoundPlan& p = g_run->plan[g_nextRound++];
    left->energy = p.leftEnergy;
    right->energy = p.rightEnergy;
    if (p.end == End::Perfect)
      RoundOver = 1;
    else
      RoundClock = 0;
  }
  // The battle canvas is on screen from the first round to the end of the match.
  if (left && right && !platform::ImageVisible()) Watch();
  if (g_run->onLever) g_run->onLever();
}

std::string LeverScript(int64_t until) {
  std::ostringstream s;
  for (int64_t t = kLeverFromMs; t < until; t += kLeverEveryMs) s << t << " menu Test/lever\n";
  return s.str();
}

}  // namespace

RoundPlan LeftPerfect(int lead) { return {lead, 0, End::Perfect}; }
RoundPlan RightPerfect(int lead) { return {0, lead, End::Perfect}; }
RoundPlan LeftByTime(int lead) { return {lead, 0, End::TimeUp}; }
RoundPlan RightByTime(int lead) { return {0, lead, End::TimeUp}; }
RoundPlan DrawByTime() { return {50, 50, End::TimeUp}; }

int64_t Now() { return platform::headless::Now(); }

bool ShowsGlyphText(int x, int y, const std::string& text) {
  platform::Bitmap& screen = platform::WindowCanvasBitmap();
  const int w = 32 * static_cast<int>(text.size()), h = 32;
  platform::Bitmap region(w, h), redrawn(w, h);
  region.GetCanvas().CopyRect({0, 0, w, h}, screen, {x, y, x + w, y + h});
  redrawn.GetCanvas().CopyRect({0, 0, w, h}, screen, {x, y, x + w, y + h});
  PaintGlyphText(0, 0, text, redrawn.GetCanvas());
  for (int py = 0; py < h; ++py)
    for (int px = 0; px < w; ++px)
      if (region.Pixel(px, py) != redrawn.Pixel(px, py)) return false;
  return true;
}

namespace {

void RandomPlay(std::mt19937& rng, const int keys[6], int64_t from, int64_t to, std::ostringstream& script) {
  const int weights[6] = {4, 4, 4, 4, 3, 1};
  std::discrete_distribution<int> which(std::begin(weights), std::end(weights));
  std::uniform_int_distribution<int> gap(40, 250), hold(30, 300);
  for (int64_t t = from + gap(rng); t < to; t += gap(rng)) {
    const int h = hold(rng);
    const int vk = keys[which(rng)];
    script << t << " down " << vk << "\n" << t + h << " up " << vk << "\n";
    t += h;
  }
}

const int kPlayer1Keys[6] = {84, 71, 70, 72, 88, 90};   // T G F H X Z
const int kPlayer2Keys[6] = {38, 40, 37, 39, 13, 188};  // arrows, Enter, comma

}  // namespace

std::string RandomPlayScript(uint32_t seed, bool bothPlayers, int64_t from, int64_t to) {
  std::mt19937 rng(seed);
  std::ostringstream s;
  RandomPlay(rng, kPlayer1Keys, from, to, s);
  if (bothPlayers) RandomPlay(rng, kPlayer2Keys, from, to, s);
  return s.str();
}

std::string FolderWithMaps(const std::string& name) {
  // Each its own folder: the game works in its folder, and removing it under a later run's
  // feet would take its current directory away.
  static int serial = 0;
  const std::string dir = testing_support::FreshDir(name + std::to_string(++serial));
  for (const char* map : {"map1.txt", "map2.txt", "map3.txt"}) {
    std::error_code ec;
    std::filesystem::copy_file(std::filesystem::path(BRAMKO_RUNTIME_DIR) / map, std::filesystem::path(dir) / map, ec);
  }
  return dir;
}

void Play(MatchRun& run) {
  g_run = &run;
  g_nextRound = 0;
  g_lastWatch = -kWatchEveryMs;
  GameOptions o;
  o.start.kind = platform::BackendKind::Headless;
  o.start.scriptText = LeverScript(run.untilMs) + run.script;
  o.start.untilMs = run.untilMs;
  o.singleInstance = false;
  o.dir = run.dir.empty() ? std::string(BRAMKO_RUNTIME_DIR) : run.dir;
  o.haveSeed = true;
  o.seed = run.seed;
  o.afterCreate = [&run] {
    LoadKeyLists("", true);  // the game's own keys, whatever a settings file says
    FramePeriodMs = 15;
    auto menus = platform::Menus();
    menus.push_back({"Test", {{"lever", [] { Lever(); }}}});
    platform::SetMenus(std::move(menus));
    if (run.before) run.before();
    run.result = RunMatch(nullptr, run.right);
    run.matchEndedAt = Now();
    run.report = LastMatch;
    run.windowGivenBack = platform::MenuVisible() && platform::ImageVisible() && platform::CursorVisible() &&
                          !GameScreenActive && !Fighters[0] && !Fighters[1];
    run.arenaSpritesAfter = Arena ? Arena->GetSpriteCount() : -1;
    if (run.after) run.after();
    platform::CloseWindow();
  };
  RunGame(o);
  run.runEndedAt = Now();
  g_run = nullptr;
}

}  // namespace battle_test
