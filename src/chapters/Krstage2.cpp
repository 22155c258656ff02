// chapters: the tournament board: the entry, the four matches and the gate back out.
#include "chapters/Krstage2.h"

#include "actors/Comparas.h"
#include "chapters/Krstage1.h"
#include "screens/Untiku.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"

namespace {

constexpr int kGate = 0;  // landing here leaves the tournament
constexpr int kEntry = 1;

const LPoint kWaypoints[6] = {{24, 340}, {84, 340}, {184, 340}, {284, 340}, {384, 340}, {484, 340}};

// Character ids of the opponents of matches 1..3 and of the final (by waypoint 2..5).
constexpr int kOpponent[6] = {-1, -1, 5, 3, 7, 8};

int TournamentSelect() {
  TournamentLastWaypoint = CurrentWaypoint;
  const int w = CurrentWaypoint;
  if (w >= 2 && w <= 5) {
    if (const OpponentRecord* opponent = Opponents().ByCharacterId(kOpponent[w])) ShowProfile(FieldMapStep, *opponent);
  }
  return 0;
}

}  // namespace

KRStage2::KRStage2(platform::Canvas& canvas) : FieldMap(canvas, "KRSTAGE2", midTournament) {
  SceneName = "KRStage2";
  for (const LPoint& p : kWaypoints) AddWaypoint(&p);
  SelectHandler = TournamentSelect;
  // Opening on the gate would leave the board before it is built; the entry is where
  // every visit begins anyway.
  if (TournamentLastWaypoint < kEntry) TournamentLastWaypoint = kEntry;
  MoveCursorTo(TournamentLastWaypoint);
  DrawMarkers();
  DissolveIn();
  SetSceneStep(FieldMapStep);
}

void KRStage2::OnWaypointChanged() {
  TournamentLastWaypoint = CurrentWaypoint;
  if (CurrentWaypoint != kGate) return;
  SetSceneStep(nullptr);
  BusyWaitPumping(200);
  platform::Canvas& canvas = GetTargetCanvas();
  JourneyLastWaypoint = 6;
  delete this;
  new KRStage1(canvas);
}
