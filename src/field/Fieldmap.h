// field: the waypoint map scene (module Fieldmap). A full-screen picture, waypoints on it
// and the hero as cursor, who jumps from waypoint to waypoint with the direction keys; the
// select button runs the action the concrete scene installed. The main menu, the extras
// menu and the three story maps are all FieldMaps.
#pragma once
#include <string>
#include <vector>

#include "field/Fieldbmp.h"
#include "field/Lchar.h"
#include "field/MapState.h"

class FieldMap : public LFieldBMP {
 public:
  // Picture resource and MapId. Installs no step: the concrete scene adds its waypoints,
  // sets SelectHandler, places the cursor, draws and then installs FieldMapStep.
  FieldMap(platform::Canvas& target, const std::string& pictureName, int mapId);
  ~FieldMap() override;
  // Runs whenever the cursor lands on a waypoint; the chapters use it.
  virtual void OnWaypointChanged() {}

  // The waypoints are the concrete scene's own static table; the map keeps pointers.
  void AddWaypoint(const LPoint* point) { waypoints.push_back(point); }
  int WaypointCount() const { return static_cast<int>(waypoints.size()); }
  const LPoint& Waypoint(int index) const { return *waypoints[static_cast<size_t>(index)]; }
  // The highest waypoint the cursor may move to: the map's frontier, or its last waypoint.
  int WalkLimit() const;

  void MoveCursorTo(int index);
  // Paints the start, cleared and open markers into the picture; the caller redraws.
  void DrawMarkers();

  // 1 on the main menu only: Escape then ends the program.
  unsigned char topMenu = 0;

  // Drawing of a scene that has its own target for a while (the great jump flies on the
  // window's canvas).
  void SetTargetCanvas(platform::Canvas& canvas) { targetCanvas = &canvas; }

 private:
  std::vector<const LPoint*> waypoints;
  BramkoChar* cursor = nullptr;
};

// The scene step of every waypoint map: 0 goes on, -1 ends the program.
int FieldMapStep();

// The story progress after a match fought from the map on screen, with the rounds won by
// the player and by the opponent: a win at the frontier moves it one waypoint on (on the
// journey only a straight win counts). When it moved, the markers are repainted and the
// save file written. Returns 1 when it moved.
int ApplyMatchProgress(int playerRoundsWon, int opponentRoundsWon);

// The scene the great jump lands in; installed with the DoraQ chapter. Without it the jump
// ends back on the main menu.
extern void (*DoraQStageConstructor)(platform::Canvas& canvas);
