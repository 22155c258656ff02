// The profile screen as drawn: face, star rows, name, clear condition, profile and spoken
// lines at their places; the typewriter's pace and its speed-up; cancel and the help key.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "ScreensKit.h"
#include "battle/MatchReport.h"
#include "platform/Dialogs.h"
#include "platform/Pictures.h"
#include "screens/Omake.h"
#include "shell/Game.h"

namespace screens_test {
namespace {

// Stars per rating row of the opponents drawn here.
const std::map<int, std::vector<int>> kStars = {
    {0, {1, 1, 1, 1, 1}}, {9, {7, 1, 5, 9, 9}}, {14, {9, 9, 9, 9, 8}}, {10, {9, 9, 9, 6, 9}}};

std::vector<std::string> Characters(const std::string& utf8) {
  std::vector<std::string> out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) out.emplace_back();
    out.back() += utf8[i];
  }
  return out;
}
bool Spoken(const std::string& line) { return line.rfind("「", 0) == 0; }

int SpokenCharacters(const OpponentRecord& r) {
  int n = 0;
  for (const std::string& line : r.profileLines)
    if (Spoken(line)) n += static_cast<int>(Characters(line).size());
  return n;
}

// The screen as it must look, built from the layout alone.
platform::Bitmap ExpectedProfile(const OpponentRecord& r, const std::string& condition, const std::string& face) {
  platform::Bitmap pic;
  platform::LoadPicture("ENEMY", pic);
  platform::Canvas& c = pic.GetCanvas();
  const int id = r.characterId;
  c.CopyRect({64, 64, 224, 224}, FaceSheet,
             {160 * (id % 4), 160 * (id / 4), 160 * (id % 4) + 160, 160 * (id / 4) + 160});
  const std::vector<int>& stars = kStars.at(id);
  for (int row = 0; row < 5; ++row) {
    const bool doraq = id == 14 && row < 4;
    const int sx = doraq ? 208 : 240, sy = doraq ? 80 : 32;
    for (int i = 0; i < stars[row]; ++i)
      c.CopyRect({368 + 16 * i, 160 + 16 * row, 384 + 16 * i, 176 + 16 * row}, ScreenParts, {sx, sy, sx + 16, sy + 16});
  }
  c.font = platform::Font{face, 12, platform::kBlack, false};
  c.brush.style = platform::BrushStyle::Clear;
  c.TextOut(224, 40, r.profileLines[0]);
  c.TextOut(240, 57, "クリア条件");
  c.TextOut(336, 57, condition);
  size_t i = 1;
  for (int y = 74; !Spoken(r.profileLines[i]); ++i, y += 17) c.TextOut(240, y, r.profileLines[i]);
  c.font.size = 18;
  c.font.color = platform::kWhite;
  for (int y = 274; r.profileLines[i] != "e"; ++i, y += 32) {
    int x = 56;
    for (const std::string& ch : Characters(r.profileLines[i])) {
      c.TextOut(x, y, ch);
      x += c.TextWidth(ch);
    }
  }
  return pic;
}

int64_t g_returnedAt = -1;
int ReturnStep() {
  if (g_returnedAt < 0) g_returnedAt = Now();
  return 0;
}

struct Shown {
  platform::Bitmap screen, want;
  int64_t began = 0, ended = 0;
  std::string help;
  int starIconsDiffer = 0;
};

// Shows the profile from the given map (no map scene behind it), keeps the finished screen
// and builds the one it must be while the pictures are still there.
Shown ShowFrom(int mapId, const OpponentRecord& r, const std::string& condition) {
  Shown s;
  ScreenRun run;
  run.untilMs = 8000;
  run.inside = [&] {
    UsePatternSheets();
    CurrentMapId = mapId;
    s.began = Now();
    ShowProfile(ReturnStep, r);
    s.ended = Now();
    s.screen = Screen();
    s.help = HelpKeyword;
    s.want = ExpectedProfile(r, condition, ScreenCanvas->font.name);
    // DoraQ's stars against another's nine-star rows: the two icons must tell apart.
    s.starIconsDiffer =
        DifferingPixels(ExpectedProfile(Record("ドラＱ"), "", "ＭＳ Ｐゴシック"),
                        ExpectedProfile(Record("乃丸才居"), "", "ＭＳ Ｐゴシック"), {368, 160, 512, 224});
  };
  RunScreens(run);
  return s;
}

TEST(ProfileScreenTest, FaceStarsAndLinesStandAtTheirPlacesForEachMap) {
  struct Case {
    int map;
    const char* name;
    const char* condition;
    const char* help;
  };
  const Case cases[] = {
      {midExtras, "ドラＢ", "特になし", "おまけ"},
      {midJourney, "たこ太郎", "ストレート勝ち", "たこ太郎"},
      {midDoraQ, "ドラＱ", "２勝", "ドラＱ"},  // its own star in rows 0..3
      {midTournament, "ドラＧ", "２勝", "ドラＧ"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    Shown s = ShowFrom(k.map, Record(k.name), k.condition);
    EXPECT_EQ(DifferingPixels(s.screen, s.want, {0, 0, 640, 262}), 0) << "upper card";
    EXPECT_EQ(DifferingPixels(s.screen, s.want, {0, 262, 640, 480}), 0) << "spoken lines";
    EXPECT_EQ(s.help, k.help);
    EXPECT_GT(s.starIconsDiffer, 0);
  }
}

TEST(ProfileScreenTest, SpokenLinesTypeAt45MsACharacterAndAtOnceWhileAKeyIsHeld) {
  const OpponentRecord& r = Record("たこ太郎");
  const int n = SpokenCharacters(r);
  ASSERT_GT(n * 45, 600);

  // Untouched: 45 ms per character.
  Shown slow = ShowFrom(midJourney, r, "ストレート勝ち");
  EXPECT_GE(slow.ended - slow.began, 45 * n);
  EXPECT_LE(slow.ended - slow.began, 45 * n + 100);

  // Select held from the start and let go at 400: everything stands at once, and the screen
  // waits for the key to go up rather than taking it as the start of the fight.
  platform::Bitmap early, want;
  ScreenRun run;
  run.script = "0 down X\n400 up X\n";
  run.untilMs = 2000;
  int64_t began = -1, ended = 0;
  run.lever = [&] {
    if (early.Width() == 0 && began >= 0 && Now() >= began + 100) early = Screen();
  };
  run.inside = [&] {
    UsePatternSheets();
    CurrentMapId = midJourney;
    LastMatch = MatchReport{};
    began = Now();
    ShowProfile(ReturnStep, r);
    ended = Now();
    want = ExpectedProfile(r, "ストレート勝ち", ScreenCanvas->font.name);
  };
  RunScreens(run);
  ASSERT_GT(early.Width(), 0);
  EXPECT_EQ(DifferingPixels(early, want, {0, 262, 640, 480}), 0) << "typed within 100 ms";
  EXPECT_GE(ended, 400);
  EXPECT_LT(ended, 500);
  EXPECT_FALSE(LastMatch.valid) << "the held key started a fight";
  EXPECT_EQ(SceneName, "Untiku");
}

TEST(ProfileScreenTest, CancelShowsTheMapAgainWithItsStep) {
  // From the extras menu: the same map scene comes back, drawn again, with its own step.
  platform::Bitmap mapShot, after;
  FieldMap* map = nullptr;
  FieldMap* mapAfter = nullptr;
  SceneStepFn stepAfter = nullptr;
  std::string nameAfter, helpAfter, musicBefore;
  ScreenRun run;
  run.script = "5000 tap Z\n";
  run.untilMs = 9000;
  run.lever = [&] {
    if (!mapAfter && Now() >= 8000) {
      after = Screen();
      mapAfter = CurrentMapScene;
      stepAfter = SceneStep;
      nameAfter = SceneName;
      helpAfter = HelpKeyword;
    }
  };
  run.inside = [&] {
    LastMatch = MatchReport{};
    map = new Omake(*ScreenCanvas);
    mapShot = Screen();
    ShowProfile(FieldMapStep, Record("ドラＧ"));
  };
  RunScreens(run);
  EXPECT_EQ(mapAfter, map);
  EXPECT_EQ(stepAfter, &FieldMapStep);
  EXPECT_EQ(nameAfter, "Omake");
  EXPECT_EQ(helpAfter, "フィールドマップ");
  EXPECT_FALSE(LastMatch.valid);
  // The 640 x 400 picture is back; only the hero beside the first entry walks on the spot.
  EXPECT_EQ(DifferingPixels(after, mapShot, {0, 0, 640, 126}), 0);
  EXPECT_EQ(DifferingPixels(after, mapShot, {0, 158, 640, 400}), 0);
}

TEST(ProfileScreenTest, HeldHelpKeyNeitherFightsNorLeaves) {
  std::string name;
  ScreenRun run;
  // F1 goes down after the lines are typed; select and cancel come while it is held.
  run.script = "3000 down F1\n3200 tap X\n3500 tap Z\n3800 tap ENTER\n";
  run.untilMs = 4000;
  run.lever = [&] {
    if (name.empty() && Now() >= 3900) name = SceneName;
  };
  run.inside = [&] {
    CurrentMapId = midTournament;
    LastMatch = MatchReport{};
    g_returnedAt = -1;
    ShowProfile(ReturnStep, Record("ドラＧ"));
  };
  RunScreens(run);
  EXPECT_EQ(name, "Untiku");
  EXPECT_FALSE(LastMatch.valid);
  EXPECT_EQ(g_returnedAt, -1);
  EXPECT_EQ(platform::LastHelpRequest(), "BRAMKO.HLP#ドラＧ");
}

}  // namespace
}  // namespace screens_test
