// field: the map system's globals: which waypoint map is shown, where the hero stands,
// how far the player may walk on each map, and the chapters' places and one-time scenes.
#pragma once
#include <cstdint>

class FieldMap;
class BramkoChar;

enum : int { midMainMenu = 0, midJourney = 1, midTournament = 2, midDoraQ = 3, midExtras = 4 };

using SelectHandlerFn = int (*)();

extern FieldMap* CurrentMapScene;  // the waypoint map on screen
extern BramkoChar* MapCursor;      // its hero
extern int CurrentMapId;
extern int CurrentWaypoint;
extern SelectHandlerFn SelectHandler;  // the select action of the map on screen
// Walk limit of each map: the cursor may go up to waypoint MapProgress + 2. Entries 1-3 are
// saved; a new game starts at 3, -1, 0, 0, 5.
extern int MapProgress[5];
extern uint32_t MapLastActionTime;  // key repeat of the maps: time of the last cursor action
extern int MapLastInput;            // and the input seen then

// Where each story map reopens (not saved).
extern int JourneyLastWaypoint;
extern int TournamentLastWaypoint;
extern int DoraQLastWaypoint;
// One-time scenes already shown (saved).
extern unsigned char JourneyIntroSeen;
extern unsigned char VenueArrivalSeen;
extern unsigned char DoraQOpeningSeen;

void ResetMapState();
