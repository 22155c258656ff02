// shell: a story match started straight from the simulator: the player against one record
// of the opponent table, as if chosen at the frontier of a story map.
#include "actors/Comparas.h"
#include "field/MapState.h"
#include "shell/Battle.h"

int RunStoryMatch(int record, int map) {
  const OpponentRecord* opponent = Opponents().At(record);
  if (!opponent) return -1;
  CurrentMapId = map;
  CurrentWaypoint = MapProgress[map] + 2;
  return RunMatch(nullptr, opponent);
}
