// field: start values of the map globals (a new game).
#include "field/MapState.h"

FieldMap* CurrentMapScene = nullptr;
BramkoChar* MapCursor = nullptr;
int CurrentMapId = 0;
int CurrentWaypoint = 0;
SelectHandlerFn SelectHandler = nullptr;
int MapProgress[5] = {3, -1, 0, 0, 5};
uint32_t MapLastActionTime = 0;
int MapLastInput = 0;

int JourneyLastWaypoint = 0;
int TournamentLastWaypoint = 1;
int DoraQLastWaypoint = 1;
unsigned char JourneyIntroSeen = 0;
unsigned char VenueArrivalSeen = 0;
unsigned char DoraQOpeningSeen = 0;

void ResetMapState() {
  CurrentMapScene = nullptr;
  MapCursor = nullptr;
  CurrentMapId = 0;
  CurrentWaypoint = 0;
  SelectHandler = nullptr;
  const int start[5] = {3, -1, 0, 0, 5};
  for (int i = 0; i < 5; ++i) MapProgress[i] = start[i];
  MapLastActionTime = 0;
  MapLastInput = 0;
  JourneyLastWaypoint = 0;
  TournamentLastWaypoint = 1;
  DoraQLastWaypoint = 1;
  JourneyIntroSeen = VenueArrivalSeen = DoraQOpeningSeen = 0;
}
