// Test kit of the DoraQ chapter: the probe, the run and the screen checks.
#include "DoraqKit.h"

#include <filesystem>
#include <map>
#include <sstream>

#include "field/Fieldmap.h"
#include "platform/Files.h"
#include "platform/Pictures.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessControl.h"
#include "settings/SettingsFile.h"
#include "shell/Bramkoworld.h"
#include "shell/GameMedia.h"
#include "support/Headless.h"

namespace doraq_test {

namespace {

constexpr int64_t kProbeEveryMs = 5;
const char* const kFramePictures[] = {"AOPB",  "AOP2",  "AOP3",  "AOP4",  "AOP6",  "AOP7",   "AOP8",
                                      "AOP9",  "AOP10", "AOP11", "AOP12", "AEND1", "AEND2",  "AEND2a",
                                      "AEND3", "AEND4", "AEND5", "AEND6"};
const char* const kScreenPictures[] = {"CHAP_A", "AENDING"};

Watch* g_watch = nullptr;
uint64_t g_seenVersion = ~0ull;
std::string g_dir;

uint64_t HashOf(const platform::Bitmap& b, int x, int y, int w, int h) {
  uint64_t hash = 1469598103934665603ull;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      hash ^= b.Pixel(x + i, y + j);
      hash *= 1099511628211ull;
    }
  return hash;
}

struct Known {
  std::string name;
  uint64_t hash;
};

const std::vector<Known>& FrameHashes() {
  static std::vector<Known> known;
  if (known.empty()) {
    for (const char* name : kFramePictures) {
      platform::Bitmap b;
      platform::LoadPicture(name, b);
      known.push_back({name, HashOf(b, 0, 0, 384, 256)});
    }
  }
  return known;
}

const std::vector<Known>& ScreenHashes() {
  static std::vector<Known> known;
  if (known.empty()) {
    for (const char* name : kScreenPictures) {
      platform::Bitmap b;
      platform::LoadPicture(name, b);
      known.push_back({name, HashOf(b, 0, 0, 640, 400)});
    }
  }
  return known;
}

std::string FrameName() {
  const platform::Bitmap& screen = platform::VisibleCanvas();
  const uint64_t whole = HashOf(screen, 0, 0, 640, 400);
  for (const Known& k : ScreenHashes())
    if (k.hash == whole) return k.name;
  const uint64_t frame = HashOf(screen, 128, 1, 384, 256);
  for (const Known& k : FrameHashes())
    if (k.hash == frame) return k.name;
  // The island one pixel higher, under the frame's top line: its rows 1..255 at y 1..255.
  static const uint64_t islandHigh = [] {
    platform::Bitmap b;
    platform::LoadPicture("AOPB", b);
    return HashOf(b, 0, 1, 384, 255);
  }();
  if (HashOf(screen, 128, 1, 384, 255) == islandHigh) return "AOPB@0";
  if (CurrentMapScene && HashOf(CurrentMapScene->GetPicture(), 128, 1, 384, 256) == frame) return "field";
  return "";
}

void Note(std::vector<Mark>& marks, const std::string& what) {
  if (marks.empty() || marks.back().what != what) marks.push_back({Now(), what});
}

void Probe() {
  if (!g_watch) return;
  const uint64_t version = platform::VisibleCanvas().Version();
  if (version != g_seenVersion) {
    g_seenVersion = version;
    Note(g_watch->frames, FrameName());
  }
  Note(g_watch->music, CurrentMusic);
  Note(g_watch->sounds, CurrentSound);
  Note(g_watch->scenes, SceneName + (SceneStep == FieldMapStep ? "+step" : ""));
  if (g_watch->each) g_watch->each();
  if (g_watch->closeAt < 0 && !g_watch->closeOn.empty() && g_watch->scenes.back().what == g_watch->closeOn)
    g_watch->closeAt = Now() + 200;
  if (g_watch->closeAt >= 0 && Now() >= g_watch->closeAt) platform::CloseWindow();
}

std::string ProbeScript(int64_t until) {
  std::ostringstream s;
  for (int64_t t = kProbeEveryMs; t < until; t += kProbeEveryMs) s << t << " menu Test/probe\n";
  return s.str();
}

}  // namespace

void RunGameWith(const std::string& script, int64_t untilMs, Watch& watch, const std::function<void()>& inside) {
  static int serial = 0;
  g_dir = testing_support::FreshDir("doraq" + std::to_string(++serial)) + "/";
  for (const char* map : {"map1.txt", "map2.txt", "map3.txt"}) {
    std::error_code ec;
    std::filesystem::copy_file(std::filesystem::path(BRAMKO_RUNTIME_DIR) / map, std::filesystem::path(g_dir) / map, ec);
  }
  g_watch = &watch;
  g_seenVersion = ~0ull;
  testing_support::RunHeadlessGame(ProbeScript(untilMs) + script, untilMs, 1, [&] {
    LoadKeyLists("", true);
    platform::SetExecutableDir(g_dir);
    auto menus = platform::Menus();
    menus.push_back({"Test", {{"probe", [] { Probe(); }}}});
    platform::SetMenus(std::move(menus));
    inside();
  });
  g_watch = nullptr;
  delete CurrentMapScene;
}

const std::string& RunDir() { return g_dir; }

int64_t Now() { return platform::headless::Now(); }

void Tap(int vk, int64_t inMs, int64_t holdMs) {
  platform::headless::ScriptEvent down;
  down.ms = Now() + inMs;
  down.kind = "down";
  down.vk = vk;
  platform::headless::Inject(down);
  platform::headless::ScriptEvent up = down;
  up.ms += holdMs;
  up.kind = "up";
  platform::headless::Inject(up);
}

int Find(const std::vector<Mark>& marks, const std::string& what, int from) {
  for (size_t i = static_cast<size_t>(from < 0 ? 0 : from); i < marks.size(); ++i)
    if (marks[i].what == what) return static_cast<int>(i);
  return -1;
}

std::vector<std::string> Sequence(const std::vector<Mark>& marks) {
  std::vector<std::string> names;
  for (const Mark& m : marks)
    if (!m.what.empty() && (names.empty() || names.back() != m.what)) names.push_back(m.what);
  return names;
}

std::string Join(const std::vector<std::string>& names) {
  std::string s;
  for (const std::string& n : names) s += (s.empty() ? "" : " ") + n;
  return s;
}

bool ShowsText(int x, int y, const std::string& text, int size) {
  const platform::Bitmap& screen = platform::VisibleCanvas();
  platform::Bitmap scratch(8, 8);
  platform::Canvas& measure = scratch.GetCanvas();
  measure.font.size = size;
  const int w = measure.TextWidth(text), h = measure.TextHeight(text);
  // The region as it is, and the same region with the text written over it again.
  platform::Bitmap copy(w, h);
  platform::Canvas& c = copy.GetCanvas();
  c.CopyRect({0, 0, w, h}, screen, {x, y, x + w, y + h});
  c.font.color = platform::kWhite;
  c.font.size = size;
  c.font.bold = false;
  c.brush = platform::Brush{platform::kBlack};
  c.TextOut(0, 0, text);
  bool inked = false;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      if (copy.Pixel(i, j) != screen.Pixel(x + i, y + j)) return false;
      inked |= screen.Pixel(x + i, y + j) != platform::kBlack;
    }
  return inked;
}

int TextWidth(const std::string& text, int size) {
  platform::Bitmap scratch(8, 8);
  scratch.GetCanvas().font.size = size;
  return scratch.GetCanvas().TextWidth(text);
}

bool ShowsPicture(const std::string& name, int dx, int dy, int sx, int sy, int w, int h) {
  static std::map<std::string, platform::Bitmap> cache;
  platform::Bitmap& picture = cache[name];
  if (picture.Width() == 0) platform::LoadPicture(name, picture);
  const platform::Bitmap& screen = platform::VisibleCanvas();
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (screen.Pixel(dx + i, dy + j) != picture.Pixel(sx + i, sy + j)) return false;
  return true;
}

}  // namespace doraq_test
