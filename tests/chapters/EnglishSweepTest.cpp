// Nothing left behind: the English game played headless through the title, the main menu,
// the journey with its introduction, talks and a match, the venue and a tournament match
// with their profile screens, the tournament ending, the DoraQ chapter's opening and ending, the
// extras menu and a versus match, the settings, keys, replay and online dialogs (drawn by
// the ImGui layer on a window of the test's own) and message boxes, with every text drawn
// recorded; then the menu bar and the help as the window shows them. None may hold a
// Japanese character. Pictures are no text draws: their lettering (assets/ART.md says which
// may stay Japanese) is not looked at here. Not reached: the online status line and errors
// (they need a link), and the DoraQ chapter's talks between its opening and its ending.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <map>
#include <set>

#include "ChapterKit.h"
#include "battle/ReplayDialogs.h"
#include "chapters/Doraqstage.h"
#include "chapters/Krstage2.h"
#include "field/Fieldmap.h"
#include "field/MapState.h"
#include "platform/DrawnText.h"
#include "platform/Translate.h"
#include "platform/Language.h"
#include "platform/headless/HeadlessControl.h"
#include "platform/ui/ImGuiLayer.h"
#include "platform/ui/help/HelpText.h"
#include "platform/Window.h"
#include "platform/ui/help/LineBreak.h"
#include "online/NetVersusDialog.h"
#include "screens/Krending.h"
#include "settings/Custom.h"
#include "settings/Keycfg.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"

namespace {

using namespace chapters_test;

// Kana, kanji and the CJK punctuation and full-width forms. U+3000, the ideographic space,
// counts: in an English line it is a gap as wide as a kanji, a leftover of a Japanese
// layout (a full-width separator the translation should not carry).
bool Japanese(char32_t c) {
  return (c >= 0x3000 && c <= 0x30FF) || (c >= 0x31F0 && c <= 0x31FF) || (c >= 0x3400 && c <= 0x4DBF) ||
         (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF);
}

bool HasJapanese(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    size_t len = 1;
    const char32_t c = platform::DecodeUtf8(text, i, &len);
    i += len ? len : 1;
    if (Japanese(c)) return true;
  }
  return false;
}

// Texts drawn in English that may stay as they are, with the reason.
const std::set<std::string> kAllowed = {
    // The settings dialog's language box names each language in its own words, and its
    // label is in both, so a player who cannot read the game's language finds their own.
    "日本語",
    "言語 / Language",
};

struct Sweep {
  std::map<std::string, std::string> japanese;  // text -> the scene it was first drawn in
  std::set<std::string> scenes;                 // every scene some text was drawn in
  size_t texts = 0;
  bool inDialog = false;  // a frame of the ImGui layer is being built
  void Note(const std::string& text) {
    ++texts;
    const std::string where = inDialog ? "a dialog over " + SceneName : SceneName;
    scenes.insert(inDialog ? "dialog" : SceneName);
    if (HasJapanese(text) && !kAllowed.count(text)) japanese.emplace(text, where);
  }
};

void Title(ChapterRun& run) {
  run.cues.push_back({[] { return SceneName == "Title" && Since(200); }, [] { Tap(kSelect); }});
}
void MapTap(ChapterRun& run, const char* scene, int key) {
  run.cues.push_back({[scene] { return OnMap(scene) && Since(300); }, [key] { Tap(key); }});
}
void Fight(ChapterRun& run) {
  run.cues.push_back({OnProfile, [] { Tap(kSelect); }});
}
void CloseWhen(ChapterRun& run, std::function<bool()> when) {
  run.cues.push_back({std::move(when), [] { platform::CloseWindow(); }});
}
// A run in English; false when its cues did not all come.
bool PlayInEnglish(ChapterRun& run) {
  run.language = "en";
  Play(run);
  return run.cuesDone == run.cues.size();
}

// The ImGui layer on a window of the test's own, so that the dialogs a headless run opens
// are drawn (two frames: a window shows its contents from its second) before they are
// answered with Cancel.
class DialogWindow {
 public:
  explicit DialogWindow(bool& drawing) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
    window_ = SDL_CreateWindow("sweep", 0, 0, 640, 500, 0);
    renderer_ = window_ ? SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE) : nullptr;
    ok_ = renderer_ && platform::ui::Init(window_, renderer_);
    if (ok_)
      platform::headless::SetModalLook([&drawing] {
        drawing = true;
        for (int i = 0; i < 2; ++i) platform::ui::BuildFrame([] {});
        drawing = false;
      });
  }
  ~DialogWindow() {
    platform::headless::SetModalLook(nullptr);
    if (ok_) platform::ui::Shutdown();
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  bool ok() const { return ok_; }

 private:
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  bool ok_ = false;
};

TEST(EnglishSweep, NoJapaneseCharacterIsDrawnAnywhereInTheEnglishGame) {
  Sweep sweep;
  DialogWindow dialogs(sweep.inDialog);
  ASSERT_TRUE(dialogs.ok()) << SDL_GetError();
  platform::ObserveDrawnText([&](const std::string& text) { sweep.Note(text); });
  std::vector<std::string> menuBar;

  // The journey from a fresh start: the rules page and chapter title, the first checkpoint's
  // talk, its profile and a match won straight.
  ChapterRun journey;
  journey.before = [&] {
    for (const auto& m : platform::Menus()) {
      menuBar.push_back(Tr(m.label));
      for (const auto& item : m.items)
        if (item.label != "-") menuBar.push_back(Tr(item.label));
    }
  };
  journey.rounds = {Won(), Won()};
  Title(journey);
  MapTap(journey, "MainMenu", kSelect);
  journey.cues.push_back(
      {[] { return SceneName == "KRStage1" && CurrentMusic == "bramko" && Since(2500); }, [] { Tap(kSelect); }});
  MapTap(journey, "KRStage1", kUp);
  MapTap(journey, "KRStage1", kSelect);
  Fight(journey);
  MapTap(journey, "KRStage1", kUp);
  CloseWhen(journey, [] { return OnMap("KRStage1") && Since(300); });
  journey.untilMs = 200000;
  EXPECT_TRUE(PlayInEnglish(journey)) << "journey stopped at cue " << journey.cuesDone;
  EXPECT_EQ(journey.opponents.size(), 1u) << "no match on the journey";

  // The venue: the arrival with the reporter, then the first tournament match.
  ChapterRun venue;
  venue.before = [] {
    JourneyIntroSeen = 1;
    MapProgress[midJourney] = 6;
  };
  venue.rounds = {Won(), Won()};
  Title(venue);
  MapTap(venue, "MainMenu", kSelect);
  for (int i = 0; i < 7; ++i) MapTap(venue, "KRStage1", kUp);
  MapTap(venue, "KRStage2", kRight);
  MapTap(venue, "KRStage2", kRight);
  MapTap(venue, "KRStage2", kSelect);
  Fight(venue);
  CloseWhen(venue, [] { return OnMap("KRStage2") && Since(500); });
  venue.untilMs = 300000;
  EXPECT_TRUE(PlayInEnglish(venue)) << "venue stopped at cue " << venue.cuesDone;
  EXPECT_EQ(venue.opponents.size(), 1u) << "no match in the tournament";

  // The tournament ending, its choice and staff roll, back to the main menu.
  ChapterRun ending;
  ending.before = [] {
    ExtrasUnlocked = true;
    TournamentLastWaypoint = 5;
    new KRStage2(*ScreenCanvas);
    StartKREnding();
  };
  int64_t lastTap = 0;
  ending.every = [&] {
    if (CurrentEnding && Now() - lastTap >= 700) {
      lastTap = Now();
      Tap(kSelect);
    }
  };
  CloseWhen(ending, [] { return OnMap("MainMenu"); });
  ending.untilMs = 400000;
  EXPECT_TRUE(PlayInEnglish(ending)) << "the ending did not reach the main menu";

  // The DoraQ chapter's opening, up to its map.
  ChapterRun doraq;
  doraq.before = [] {
    DoraQLastWaypoint = 1;
    ConstructDoraQStage(*ScreenCanvas);
  };
  CloseWhen(doraq, [] { return OnMap("DoraQStage") && Since(1000); });
  doraq.untilMs = 120000;
  EXPECT_TRUE(PlayInEnglish(doraq)) << "the DoraQ opening did not reach its map";

  // The DoraQ chapter's ending, DoraQ beaten from the castle, up to the map again; its
  // closing line waits for a key.
  ChapterRun doraqEnd;
  bool doraqEnding = false;
  doraqEnd.before = [] {
    DoraQOpeningSeen = 1;
    MapProgress[midDoraQ] = 5;
    DoraQLastWaypoint = 6;
    ConstructDoraQStage(*ScreenCanvas);
    SetSceneStep(nullptr);
    DoraQEnding(CurrentMapScene);
  };
  int64_t lastKey = 0;
  doraqEnd.every = [&] {
    if (SceneStep == FieldMapStep) return;
    doraqEnding = true;
    if (Now() - lastKey >= 2000) lastKey = Now(), Tap(kSelect);
  };
  CloseWhen(doraqEnd, [&] { return doraqEnding && OnMap("DoraQStage") && Since(500); });
  doraqEnd.untilMs = 200000;
  EXPECT_TRUE(PlayInEnglish(doraqEnd)) << "the DoraQ ending did not reach the map";

  // The extras menu and a profile behind it; then the versus menu and a match on it.
  ChapterRun extras;
  extras.before = [] { ExtrasUnlocked = true; };
  extras.rounds = {Won(), Won()};
  Title(extras);
  for (int i = 0; i < 4; ++i) MapTap(extras, "MainMenu", kDown);
  MapTap(extras, "MainMenu", kSelect);
  extras.cues.push_back({[] { return SceneName != "MainMenu" && Since(1000); }, [] { Tap(kSelect); }});
  extras.cues.push_back({[] { return OnProfile() && Since(1500); }, [] { Tap(kCancel); }});
  extras.cues.push_back({[] { return Since(1500); }, [] { Tap(0x1B); }});
  for (int i = 0; i < 2; ++i) MapTap(extras, "MainMenu", kUp);
  MapTap(extras, "MainMenu", kSelect);
  extras.cues.push_back({[] { return SceneName == "VSMode" && Since(1000); }, [] { Tap({kSelect, 0x0D}); }});
  extras.cues.push_back({[] { return GameScreenActive; }, [] {}});
  extras.cues.push_back(
      {[] { return SceneName == "VSMode" && !GameScreenActive && Since(3000); }, [] { SaveReplayCommand(); }});
  CloseWhen(extras, [] { return Since(500); });
  extras.untilMs = 200000;
  EXPECT_TRUE(PlayInEnglish(extras)) << "extras and versus stopped at cue " << extras.cuesDone;
  EXPECT_EQ(extras.opponents.size(), 1u) << "no versus match";

  // The dialogs of the menu bar, and the keys dialog behind the settings dialog's buttons.
  ChapterRun menus;
  Title(menus);
  menus.cues.push_back({[] { return OnMap("MainMenu") && Since(300); },
                        [] {
                          RunSettingsDialog();
                          TForm2 settings;
                          TForm3 keys(&settings);
                          keys.ShowModal();
                          PlayReplayCommand();
                          NetVersusCommand();
                        }});
  CloseWhen(menus, [] { return Since(500); });
  EXPECT_TRUE(PlayInEnglish(menus)) << "the dialogs were not opened";

  platform::ObserveDrawnText(nullptr);
  // The menu bar and the help viewer are drawn by the window (none headless): their texts
  // as the window draws them, through the catalogue.
  SetLanguage("en");
  for (const auto& caption : menuBar) sweep.Note(caption);
  const auto help = platform::LoadHelpFile(platform::TranslatedFile(std::string(BRAMKO_RUNTIME_DIR) + "/BRAMKO.HLP"));
  EXPECT_GT(help.size(), 30u);
  for (const auto& section : help) sweep.Note(Tr(section.keyword)), sweep.Note(section.body);
  for (const char* button : {"目次", "閉じる", "ヘルプ"}) sweep.Note(Tr(button));
  SetLanguage("ja");

  EXPECT_TRUE(sweep.scenes.count("dialog")) << "no dialog was drawn";
  for (const char* scene : {"MainMenu", "KRStage1", "Untiku", "KREnding", "DoraQStage", "VSMode"})
    EXPECT_TRUE(sweep.scenes.count(scene)) << "no text was drawn in " << scene;
  EXPECT_GT(sweep.texts, 500u);
  for (const auto& [text, scene] : sweep.japanese) ADD_FAILURE() << "drawn in " << scene << ": " << text;
}

}  // namespace
