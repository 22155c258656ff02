// field: start values of the map globals (a new game).
#include "field/MapState.h"

int CurrentMapId = 0;
int CurrentWaypoint = 0;
int MapProgress[5] = {3, -1, 0, 0, 5};

void ResetMapState() {
  CurrentMapId = 0;
  CurrentWaypoint = 0;
  const int start[5] = {3, -1, 0, 0, 5};
  for (int i = 0; i < 5; ++i) MapProgress[i] = start[i];
}
