// battle: one match from start to finish: taking the window over, the arena and the two
// fighters, up to three rounds, the story progress and giving the window back.
#include "battle/Battle.h"

#include <optional>

#include "actors/Bramkoplayer.h"
#include "actors/Comparas.h"
#include "actors/Fang.h"
#include "actors/Item.h"
#include "actors/Manplayer.h"
#include "actors/Tip.h"
#include "battle/BattleParts.h"
#include "battle/MatchInput.h"
#include "battle/MatchReport.h"
#include "battle/ReplayFiles.h"
#include "battle/ReplayRecorder.h"
#include "battle/RoundResult.h"
#include "battle/SyncTest.h"
#include "field/Field.h"
#include "field/Fieldmap.h"
#include "field/Fieldxchip.h"
#include "platform/Window.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "shell/GameMedia.h"

namespace {

// The two boss opponents fight to their own tune.
constexpr int kDoraQ = 14, kYui = 8;

void TakeOverWindow() {
  BlockDissolveFill(*ScreenCanvas, 0, 0, platform::kGameWidth, platform::kGameHeight, true);
  PumpMessages();
  platform::SetMenuVisible(false);
  platform::SetImageVisible(false);
  platform::SetCursorVisible(false);
  BusyWait(500);
}

// Both canvases black again, with the proportional face the menus and maps write in.
void ClearForScenes(platform::Canvas& canvas) {
  canvas.brush = platform::Brush{platform::kBlack, platform::BrushStyle::Solid, nullptr};
  canvas.FillRect({0, 0, 650, 500});
  canvas.font.name = "ＭＳ Ｐゴシック";
}

void GiveWindowBack() {
  for (int j = 1; j >= 0; --j) {
    BramkoChar* f = Fighters[j];
    Fighters[j] = nullptr;
    if (f) f->Release();
  }
  for (auto& tile : GaugeTiles) tile.SetSize(0, 0);
  ClearForScenes(*BattleCanvas);
  platform::SetCursorVisible(true);
  platform::SetMenuVisible(true);
  ClearForScenes(*ScreenCanvas);
  platform::SetImageVisible(true);
  GameScreenActive = false;
}

void SetHumanPowers(BramkoPlayer& f, int side) {
  f.fangPower = FangPowerByMode[side][MatchMode];
  f.chipValue = (f.fangPower - 160) / 20 + 16;
  f.fangSet = FangSetByMode[side][MatchMode];
}

}  // namespace

int RunMatch(const OpponentRecord* left, const OpponentRecord* right) {
  KeyboardInput keys;
  const std::optional<ReplaySetup> setup = DescribeMatch(left, right);
  if (!setup) return RunMatchThrough(left, right, keys, MatchEffects::StoryProgress);
  ReplayRecorder recorder(keys, *setup);
  const int result = RunMatchThrough(left, right, recorder, MatchEffects::StoryProgress);
  KeepLastReplay(recorder.Finish(LastMatch));
  return result;
}

int RunMatchThrough(const OpponentRecord* left, const OpponentRecord* right, MatchInput& door, MatchEffects effects) {
  // Under the sync test every frame is checked by a door around the given one.
  std::optional<SyncTestInput> checked;
  if (SyncTestFrames > 0) checked.emplace(door, SyncTestFrames);
  const InstallMatchInput installed(checked ? static_cast<MatchInput&>(*checked) : door);
  HelpKeyword = "戦闘画面";
  SetSceneStep(nullptr);
  TakeOverWindow();

  Arena->LoadMap(CurrentMapId == midTournament ? "map2.txt" : CurrentMapId == midDoraQ ? "map3.txt" : "map1.txt");
  for (auto& tile : GaugeTiles) tile.SetSize(8, 8);
  const OpponentRecord* records[2] = {left, right};
  for (int j = 0; j < 2; ++j) {
    BramkoPlayer* f = CreateFighter(j, records[j]);
    f->playerIndex = j;
    Fighters[j] = f;
  }

  if (!left && !right) {
    MatchMode = mmVersus;
    for (int j = 0; j < 2; ++j) SetHumanPowers(*Fighter(j), j);
    Arena->LoadMap("map1.txt");  // versus fights always on the first arena
  } else if (!left) {
    MatchMode = mmStory;
    static_cast<ManPlayer*>(Fighter(0))->inputSource = piBoth;
    SetHumanPowers(*Fighter(0), 0);
  }
  PumpMessages();

  LastMatch = MatchReport{};
  for (int i = 0; i < 3; ++i) {
    const int opponent = Fighter(1)->characterId;
    PlayMusic(opponent == kDoraQ || opponent == kYui ? "doraq" : "fight");
    WaitMusicStarted();
    const TWaitResult r = RunRound(i);
    GameScreenActive = false;
    const TWaitResult v = r == wrQuit ? wrNone : MatchVerdict(i);
    ReportMatch(Fighter(0)->roundsWon);
    BusyWait(500);
    BlockDissolveFill(*BattleCanvas, 0, 0, platform::kGameWidth, platform::kGameHeight, false);
    if (r == wrQuit || v != wrContinue) break;
    PumpMessages();
  }

  ClearAllItems();
  ClearAllFangs();
  ClearAllChips();
  const int result = Fighter(0)->roundsWon;
  ReportMatch(result);

  // Only fights chosen on a story map move its progress on (extras and versus never do).
  if (effects == MatchEffects::StoryProgress && right && !left) ApplyMatchProgress(result, Fighter(1)->roundsWon);
  if (result == 2 && right && right->characterId == kDoraQ) PlayDoraQVictory();

  GiveWindowBack();
  return result;
}

void ReportMatch(int result) {
  LastMatch.valid = true;
  LastMatch.result = result;
  for (int j = 0; j < 2; ++j) {
    const BramkoPlayer* f = Fighter(j);
    if (!f) continue;
    FighterReport& r = LastMatch.fighters[j];
    r.energy = f->energy;
    r.score = f->score;
    r.roundsWon = f->roundsWon;
    r.chipCount = f->chipCount;
    r.itemsTaken = f->itemsTaken;
    r.fangHits = f->fangHits;
  }
}
