// Test kit of the DoraQ chapter: the probe, the run and the screen checks.
#include "DoraqKit.h"

#include <filesystem>
#include <sstream>

#include "field/Fieldmap.h"
#include "platform/files/Files.h"
#include "platform/Pictures.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessControl.h"
#include "settings/SettingsFile.h"
#include "shell/Bramkoworld.h"
#include "shell/GameMedia.h"
#include "support/Headless.h"

namespace doraq_test {

namespace {

Watch* g_watch = nullptr;
uint64_t g_seenVersion = ~0ull;
std::string g_dir;

uint64_t HashOf(const platform::Bitmap& b, int x, int y, int w, int h) {
  uint64_t hash = 1469598103934665603ull;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) hash = (hash ^ b.Pixel(x + i, y + j)) * 1099511628211ull;
  return hash;
}

struct Known {
  std::string name;
  uint64_t hash;
};

// The pictures by the hash of their frame-sized (or screen-sized) area.
const std::vector<Known>& Pictures() {
  static std::vector<Known> known;
  if (!known.empty()) return known;
  for (const char* name :
       {"CHAP_A", "AENDING", "AOPB",  "AOP2",  "AOP3",  "AOP4",   "AOP6",  "AOP7",  "AOP8",  "AOP9",
        "AOP10",  "AOP11",   "AOP12", "AEND1", "AEND2", "AEND2a", "AEND3", "AEND4", "AEND5", "AEND6"}) {
    platform::Bitmap b;
    platform::LoadPicture(name, b);
    known.push_back({name, HashOf(b, 0, 0, b.Width(), b.Width() == 640 ? 400 : 256)});
    if (known.back().name == "AOPB") known.push_back({"AOPB@0", HashOf(b, 0, 1, 384, 255)});
  }
  return known;
}

std::string FrameName() {
  const platform::Bitmap& screen = platform::VisibleCanvas();
  const uint64_t whole = HashOf(screen, 0, 0, 640, 400), frame = HashOf(screen, 128, 1, 384, 256),
                 high = HashOf(screen, 128, 1, 384, 255);
  for (const Known& k : Pictures()) {
    const bool wide = k.name == "CHAP_A" || k.name == "AENDING";
    if (k.hash == (wide ? whole : k.name == "AOPB@0" ? high : frame)) return k.name;
  }
  if (CurrentMapScene && HashOf(CurrentMapScene->GetPicture(), 128, 1, 384, 256) == frame) return "field";
  return "";
}

void Note(std::vector<Mark>& marks, const std::string& what) {
  if (marks.empty() || marks.back().what != what) marks.push_back({Now(), what});
}

void Probe() {
  Watch& w = *g_watch;
  if (platform::VisibleCanvas().Version() != g_seenVersion) {
    g_seenVersion = platform::VisibleCanvas().Version();
    Note(w.frames, FrameName());
  }
  Note(w.music, CurrentMusic);
  Note(w.sounds, CurrentSound);
  Note(w.scenes, SceneName + (SceneStep == FieldMapStep ? "+step" : ""));
  if (w.each) w.each();
  if (w.closeAt < 0 && !w.closeOn.empty() && w.scenes.back().what == w.closeOn) w.closeAt = Now() + 200;
  if (w.closeAt >= 0 && Now() >= w.closeAt) platform::CloseWindow();
}

}  // namespace

void RunGameWith(const std::string& script, int64_t untilMs, Watch& watch, const std::function<void()>& inside) {
  static int serial = 0;
  g_dir = testing_support::FreshDir("doraq" + std::to_string(++serial)) + "/";
  for (const char* map : {"map1.txt", "map2.txt", "map3.txt"}) {
    std::error_code ec;
    std::filesystem::copy_file(std::filesystem::path(BRAMKO_RUNTIME_DIR) / map, std::filesystem::path(g_dir) / map, ec);
  }
  std::ostringstream probes;
  for (int64_t t = 5; t < untilMs; t += 5) probes << t << " menu Test/probe\n";
  g_watch = &watch;
  g_seenVersion = ~0ull;
  testing_support::RunHeadlessGame(probes.str() + script, untilMs, 1, [&] {
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
  platform::headless::ScriptEvent e;
  e.ms = Now() + inMs;
  e.kind = "down";
  e.vk = vk;
  platform::headless::Inject(e);
  e.ms += holdMs;
  e.kind = "up";
  platform::headless::Inject(e);
}

int Find(const std::vector<Mark>& marks, const std::string& what, int from) {
  for (size_t i = static_cast<size_t>(from < 0 ? 0 : from); i < marks.size(); ++i)
    if (marks[i].what == what) return static_cast<int>(i);
  return -1;
}

int64_t At(const std::vector<Mark>& marks, const std::string& what, int from) {
  const int i = Find(marks, what, from);
  return i < 0 ? -1 : marks[i].ms;
}

std::string Sequence(const std::vector<Mark>& marks) {
  std::string s, last;
  for (const Mark& m : marks)
    if (!m.what.empty() && m.what != last) s += (s.empty() ? "" : " ") + (last = m.what);
  return s;
}

bool ShowsText(int x, int y, const std::string& text, int size) {
  // The screen's region, and the same region with the text written over it once more.
  const platform::Bitmap& screen = platform::VisibleCanvas();
  platform::Bitmap copy(8, 8);
  platform::Canvas& c = copy.GetCanvas();
  c.font.size = size;
  const int w = c.TextWidth(text), h = c.TextHeight(text);
  copy.SetSize(w, h);
  c.CopyRect({0, 0, w, h}, screen, {x, y, x + w, y + h});
  c.font.color = platform::kWhite;
  c.brush = platform::Brush{platform::kBlack};
  c.TextOut(0, 0, text);
  bool inked = false;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      if (copy.Pixel(i, j) != screen.Pixel(x + i, y + j)) return false;
      inked |= copy.Pixel(i, j) != platform::kBlack;
    }
  return inked;
}

int TextWidth(const std::string& text) {
  platform::Bitmap scratch(8, 8);
  scratch.GetCanvas().font.size = 14;
  return scratch.GetCanvas().TextWidth(text);
}

bool ShowsIsland() {
  platform::Bitmap island;
  platform::LoadPicture("DoraQSTAGE", island);
  return HashOf(island, 20, 20, 120, 100) == HashOf(platform::VisibleCanvas(), 20, 20, 120, 100);
}

}  // namespace doraq_test
