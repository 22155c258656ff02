// screens: the extras menu (module Omake), open once the tournament is won: a waypoint map
// of one column, five bonus fights against DoraQ's sons and a way back to the main menu.
#pragma once
#include "field/Fieldmap.h"

class Omake : public FieldMap {
 public:
  explicit Omake(platform::Canvas& canvas);
};

// The entry the menu reopens on; 0 at start-up, kept for the run.
extern int OmakeLastWaypoint;

// Builds the menu on a canvas (the main menu's extras item leads here).
void ConstructExtrasMenu(platform::Canvas& canvas);
// Puts the menu back to its start-up state (a new run in the same process).
void ResetExtrasMenu();
