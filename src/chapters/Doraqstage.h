// chapters: the DoraQ chapter (module Doraqstage), the hidden second story. The great jump
// lands the hero on DoraQ's island: five fights in a row lead to the vampire's castle. The
// first visit plays the opening; beating DoraQ plays the ending with the staff roll.
#pragma once
#include "field/Fieldmap.h"

class DoraQStage : public FieldMap {
 public:
  explicit DoraQStage(platform::Canvas& canvas);
  // Walking onto the landing stage (waypoint 0) sails back to the journey map.
  void OnWaypointChanged() override;
};

// The great jump lands here (installed as DoraQStageConstructor).
void ConstructDoraQStage(platform::Canvas& canvas);

// The ending, run by the profile screen after DoraQ is beaten, with the map scene on
// screen underneath. It ends by showing that map again with its step installed.
void DoraQEnding(FieldMap* map);

// The opening, played on the first visit. Whether it runs to its end or is cancelled, the
// map's own picture is back (not yet drawn) and the field music plays.
void PlayDoraQOpening(FieldMap& map);
