// chapters: the tournament (module Krstage2), the main event of the first chapter: four
// knockout matches in a row on the tournament board, the last against the champion ユイ.
// Any match win counts here. Stepping back onto the gate leaves for the journey map.
#pragma once
#include "field/Fieldmap.h"

class KRStage2 : public FieldMap {
 public:
  explicit KRStage2(platform::Canvas& canvas);
  void OnWaypointChanged() override;
};
