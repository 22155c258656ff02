// Test kit of the screens suite: whole-game headless runs with the default keys, a "lever"
// that runs every 20 ms of virtual time (also inside nested loops such as the typewriter
// and the battle) to watch the game or decide how a round ends, sheets of test patterns,
// and a folder of its own for the settings and progress files.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "actors/Bramkoplayer.h"
#include "actors/Comparas.h"
#include "field/Fieldmap.h"
#include "platform/files/Files.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessControl.h"
#include "screens/Untiku.h"
#include "settings/SettingsFile.h"
#include "shell/Bramkoworld.h"
#include "support/Headless.h"

namespace screens_test {

inline int64_t Now() { return platform::headless::Now(); }

struct ScreenRun {
  std::string script;
  int64_t untilMs = 20000;
  std::function<void()> inside;  // once the window exists (keys are the defaults by then)
  std::function<void()> lever;   // every 20 ms of virtual time
  // Looks taken once, by the first lever turn at or after their time.
  std::vector<std::pair<int64_t, std::function<void()>>> at;
  std::string dir;  // the executable's folder from inside on; empty: a fresh one
};

inline ScreenRun* g_run = nullptr;

// A fresh folder with the arena maps, for the settings and progress files of one run.
inline std::string FolderWithMaps(const std::string& name) {
  const std::string dir = testing_support::FreshDir(name) + "/";
  for (const char* map : {"map1.txt", "map2.txt", "map3.txt"}) {
    std::error_code ec;
    std::filesystem::copy_file(std::filesystem::path(BRAMKO_RUNTIME_DIR) / map, std::filesystem::path(dir) / map, ec);
  }
  return dir;
}

inline void Lever() {
  if (!g_run) return;
  if (g_run->lever) g_run->lever();
  for (auto& [ms, look] : g_run->at) {
    if (look && Now() >= ms) {
      auto f = std::move(look);
      look = nullptr;
      f();
    }
  }
}

// Default keys: player 1 T/G up/down, F/H left/right, X select, Z cancel.
inline int RunScreens(ScreenRun& run) {
  std::string script;
  for (int64_t t = 20; t < run.untilMs; t += 20) script += std::to_string(t) + " menu Test/lever\n";
  script += run.script;
  if (run.dir.empty()) run.dir = FolderWithMaps("screens");
  g_run = &run;
  const int status = testing_support::RunHeadlessGame(script, run.untilMs, 3, [&] {
    LoadKeyLists("", true);
    platform::SetExecutableDir(run.dir);
    auto menus = platform::Menus();
    menus.push_back({"Test", {{"lever", [] { Lever(); }}}});
    platform::SetMenus(std::move(menus));
    if (run.inside) run.inside();
  });
  g_run = nullptr;
  // Whatever map was on screen when the window closed.
  delete CurrentMapScene;
  StartTournamentEnding = nullptr;
  DoraQEndingRunner = nullptr;
  return status;
}

// A pattern in which every pixel differs from its neighbours and from the other sheet, so a
// copy from the wrong cell, or to the wrong place, shows.
inline void FillPattern(platform::Bitmap& sheet, int w, int h, int salt) {
  sheet.SetSize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) sheet.Row(y)[x] = platform::Rgb(x & 255, y & 255, salt + (x >> 8) + 4 * (y >> 8));
  sheet.Touch();
}
inline void UsePatternSheets() {
  FillPattern(ScreenParts, 512, 256, 3);
  FillPattern(FaceSheet, 640, 800, 131);
}

inline const OpponentRecord& Record(const char* name) {
  const OpponentTable& t = Opponents();
  for (int i = 0; i < t.size(); ++i)
    if (t[i].name == name) return t[i];
  throw std::runtime_error(std::string("no opponent ") + name);
}

// Pixels in which two pictures of the same size differ inside a rectangle.
inline int DifferingPixels(const platform::Bitmap& a, const platform::Bitmap& b, const platform::Rect& r) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += a.Pixel(x, y) != b.Pixel(x, y);
  return n;
}

inline platform::Bitmap Screen() { return platform::ImageCanvasBitmap(); }

}  // namespace screens_test
