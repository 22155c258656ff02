// chapters: the island map of the DoraQ chapter: its waypoints, the fights they start and
// the way back to the journey.
#include "chapters/Doraqstage.h"

#include "actors/Comparas.h"
#include "chapters/Mainmenu.h"
#include "screens/Untiku.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"

namespace {

// Top-left corners of the hero at each stop, from the landing stage up to the castle.
const LPoint kWaypoints[7] = {{13, 320}, {97, 286}, {145, 250}, {260, 260}, {408, 232}, {463, 194}, {475, 164}};
constexpr int kExit = 0, kLanding = 1, kFirstFight = 2;
// Who waits at waypoints 2..6, by character id: the bitten islanders, then DoraQ.
constexpr int kOpponentAt[7] = {-1, -1, 15, 13, 6, 16, 14};
// Back on the journey the hero stands at the branch point the jump started from.
constexpr int kJourneyBranchPoint = 6;

int DoraQSelect() {
  DoraQLastWaypoint = CurrentWaypoint;
  const int w = CurrentWaypoint;
  if (w >= kFirstFight && w <= 6) {
    if (const OpponentRecord* opponent = Opponents().ByCharacterId(kOpponentAt[w]))
      ShowProfile(FieldMapStep, *opponent);
  }
  return 0;
}

}  // namespace

DoraQStage::DoraQStage(platform::Canvas& canvas) : FieldMap(canvas, "DoraQSTAGE", midDoraQ) {
  SetSceneStep(nullptr);
  SceneName = "DoraQStage";
  for (const LPoint& p : kWaypoints) AddWaypoint(&p);
  SelectHandler = DoraQSelect;
  const bool opening = DoraQOpeningSeen == 0;
  if (opening) PlayDoraQOpening(*this);
  // The chapter is entered by the jump, which puts the hero on the landing stage; a place
  // outside the island (or the exit itself) would leave before the map is even shown.
  if (DoraQLastWaypoint < kLanding || DoraQLastWaypoint >= WaypointCount()) DoraQLastWaypoint = kLanding;
  MoveCursorTo(DoraQLastWaypoint);
  DrawMarkers();
  DissolveIn();
  // A key held to hurry the opening along is let go before the map reads the keys: Escape
  // would otherwise throw the player straight out to the main menu.
  if (opening) WaitRelease();
  SetSceneStep(FieldMapStep);
  RedrawAll();
}

void DoraQStage::OnWaypointChanged() {
  DoraQLastWaypoint = CurrentWaypoint;
  if (CurrentWaypoint != kExit) return;
  SetSceneStep(nullptr);
  BusyWaitPumping(200);
  platform::Canvas& canvas = GetTargetCanvas();
  delete this;
  JourneyLastWaypoint = kJourneyBranchPoint;
  if (JourneyConstructor)
    JourneyConstructor(canvas);
  else
    StartMainMenu();  // a build without the journey: the menu is the way home
}

void ConstructDoraQStage(platform::Canvas& canvas) { new DoraQStage(canvas); }
