// field: the map system's globals: which waypoint map is shown, where the hero stands,
// and how far the player may walk on each map.
#pragma once

enum : int { midMainMenu = 0, midJourney = 1, midTournament = 2, midDoraQ = 3, midExtras = 4 };

extern int CurrentMapId;
extern int CurrentWaypoint;
extern int MapProgress[5];

void ResetMapState();
