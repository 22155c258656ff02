// screens: the opponent profile screen: drawing, the spoken lines and the fight's outcome.
#include "screens/Untiku.h"

#include <string>
#include <vector>

#include "actors/Comparas.h"
#include "battle/Battle.h"
#include "field/Fieldmap.h"
#include "platform/Dialogs.h"
#include "platform/files/IniFile.h"
#include "platform/Pictures.h"
#include "platform/Text.h"
#include "shell/Game.h"
#include "shell/GameFiles.h"
#include "shell/GameMedia.h"
#include "shell/Typewriters.h"
#include "shell/Unit1.h"

void (*StartTournamentEnding)() = nullptr;
void (*DoraQEndingRunner)(FieldMap* map) = nullptr;

namespace {

// Stars per rating row (the row captions are part of the background picture).
constexpr unsigned char kRatings[20][5] = {
    {1, 1, 1, 1, 1}, {2, 1, 2, 2, 2}, {2, 9, 1, 1, 3}, {9, 1, 9, 3, 7}, {3, 1, 3, 9, 5},
    {7, 1, 5, 4, 6}, {7, 1, 5, 6, 4}, {5, 9, 5, 4, 8}, {9, 6, 9, 6, 9}, {7, 1, 5, 9, 9},
    {9, 9, 9, 6, 9}, {9, 9, 9, 9, 9}, {4, 4, 4, 4, 4}, {7, 1, 1, 1, 4}, {9, 9, 9, 9, 8},
    {4, 9, 2, 7, 3}, {7, 3, 8, 5, 7}, {1, 1, 1, 1, 3}, {8, 8, 8, 5, 9}, {9, 9, 9, 9, 9},
};

constexpr int kFinalOpponent = 8;  // the tournament's last fight
constexpr int kDoraQ = 14;         // the DoraQ chapter's boss, drawn with its own stars

constexpr unsigned char kSpokenTrailByte = 0x75;  // "「" is 0x81 0x75 in Shift-JIS

SceneStepFn g_returnStep = nullptr;
const OpponentRecord* g_opponent = nullptr;  // a record of the opponent table: it outlives the screen
std::string g_mapSceneName;                  // the map's own name, back when it is shown again

bool IsSpoken(const std::string& sjis) {
  return sjis.size() >= 2 && static_cast<unsigned char>(sjis[1]) == kSpokenTrailByte;
}
bool IsEndMark(const std::string& sjis) { return !sjis.empty() && sjis[0] == 'e'; }

void DrawFaceAndStars(platform::Canvas& canvas, int id) {
  canvas.copyMode = platform::CopyMode::Copy;
  const int fx = 160 * (id % 4), fy = 160 * (id / 4);
  canvas.CopyRect({64, 64, 224, 224}, FaceSheet, {fx, fy, fx + 160, fy + 160});
  for (int r = 0; r < 5; ++r) {
    // DoraQ's first four rows wear its own star; its last row is an ordinary one.
    const bool own = id == kDoraQ && r < 4;
    const int sx = own ? 208 : 240, sy = own ? 80 : 32;
    for (int i = 0; i < ProfileRating(id, r); ++i) {
      const int x = 368 + 16 * i, y = 160 + 16 * r;
      canvas.CopyRect({x, y, x + 16, y + 16}, ScreenParts, {sx, sy, sx + 16, sy + 16});
    }
  }
}

// Draws the name, the clear condition and the profile lines, then types the spoken lines.
// The layout (profile lines, spoken lines, "e") is checked when the table is built; the
// loops still stop at the last line so a broken record cannot read past its end.
void DrawTexts(platform::Canvas& canvas, const OpponentRecord& opponent) {
  std::vector<std::string> lines;
  for (const std::string& line : opponent.profileLines) lines.push_back(platform::Utf8ToSjis(line));
  const size_t n = lines.size();
  auto print = [&](int x, int y, const std::string& sjis) { canvas.TextOut(x, y, platform::SjisToUtf8(sjis)); };

  if (n > 0) print(224, 40, lines[0]);
  canvas.TextOut(240, 57, "クリア条件");
  canvas.TextOut(336, 57, ClearConditionText(CurrentMapId));

  size_t i = 1;  // line 1 is always drawn, whatever it holds
  for (int y = 74; i < n; ++i, y += 17) {
    print(240, y, lines[i]);
    if (i + 1 >= n || IsSpoken(lines[i + 1]) || IsEndMark(lines[i + 1])) break;
  }
  ++i;
  for (int y = 274; i < n && !IsEndMark(lines[i]); ++i, y += 32) ProfileLineWriter(canvas, 56, y, lines[i]);
}

// Shows the map scene again and hands the clock back to it.
void BackToMap() {
  if (CurrentMapScene) CurrentMapScene->DissolveIn();
  WaitRelease();
  SceneName = g_mapSceneName;
  SetSceneStep(g_returnStep);
}

// Winning the final opens the extras for good, kept in the settings file.
void UnlockExtras() {
  ExtrasUnlocked = true;
  const std::string path = SettingsFilePath();
  if (!MakeFolderFor(path) || !platform::IniWriteString(path, "その他", "おまけ", "1")) {
    // The flag stays set for this run; the player still sees the ending just earned.
    platform::ShowMessage("Bramko2 for Windows", CannotWriteMessage(path, "おまけは今回の起動中だけ遊べます。"));
  }
}

}  // namespace

const OpponentRecord* ProfileOpponent() { return g_opponent; }

int ProfileRating(int id, int row) {
  if (id < 0 || id >= 20 || row < 0 || row >= 5) return 0;
  return kRatings[id][row];
}

const char* ClearConditionText(int mapId) {
  switch (mapId) {
    case midJourney: return "ストレート勝ち";
    case midTournament:
    case midDoraQ: return "２勝";
    case midExtras: return "特になし";
    default: return "";
  }
}

void ShowProfile(SceneStepFn returnStep, const OpponentRecord& opponent) {
  SetSceneStep(nullptr);
  if (SceneName != "Untiku") g_mapSceneName = SceneName;
  SceneName = "Untiku";
  HelpKeyword = CurrentMapId == midExtras ? "おまけ" : opponent.name;
  ClearScreen();
  g_returnStep = returnStep;
  g_opponent = &opponent;

  platform::Canvas& canvas = *ScreenCanvas;
  platform::Bitmap background;
  platform::LoadPicture("ENEMY", background);
  canvas.copyMode = platform::CopyMode::Copy;
  canvas.Draw(0, 0, background);
  canvas.font.bold = false;
  canvas.font.color = platform::kBlack;
  canvas.font.size = 12;
  canvas.brush.style = platform::BrushStyle::Clear;

  DrawFaceAndStars(canvas, opponent.characterId);
  DrawTexts(canvas, opponent);

  WaitRelease();
  SetSceneStep(ProfileStep);
}

int ProfileStep() {
  KeepMusicLooping();
  if (KeyIsDown(VK_F1_KEY)) return 0;  // the help key neither fights nor leaves
  if (CancelPressed()) {
    HelpFile = "BRAMKO.HLP";
    HelpKeyword = "フィールドマップ";
    SetSceneStep(nullptr);
    ClearScreen();
    BackToMap();
    return 0;
  }
  if (!AnyInput()) return 0;

  const OpponentRecord& opponent = *g_opponent;
  const int won = RunMatch(nullptr, &opponent);
  HelpFile = "BRAMKO.HLP";
  if (won == 2 && opponent.characterId == kFinalOpponent) {
    UnlockExtras();
    if (StartTournamentEnding) {
      HelpKeyword.clear();
      StartTournamentEnding();
      return 0;
    }
  }
  if (won == 2 && opponent.characterId == kDoraQ && DoraQEndingRunner) {
    HelpKeyword.clear();
    SceneName = g_mapSceneName;
    DoraQEndingRunner(CurrentMapScene);
    return 0;
  }
  SetSceneStep(nullptr);
  HelpKeyword = "フィールドマップ";
  PlayMusic("field");
  BackToMap();
  return 0;
}
