// battle: a story match started straight from the simulator: the player against one record
// of the opponent table, on the arena of a story map.
#include "actors/Comparas.h"
#include "battle/Battle.h"
#include "field/MapState.h"

int RunStoryMatch(int record, int map) {
  const OpponentRecord* opponent = Opponents().At(record);
  if (!opponent) return -1;
  CurrentMapId = map;
  // Fought from the map's start, which is never its frontier: a simulated match moves no
  // progress and writes no save file beside the program.
  CurrentWaypoint = 0;
  return RunMatch(nullptr, opponent);
}
