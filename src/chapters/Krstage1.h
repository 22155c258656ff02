// chapters: the tournament journey (module Krstage1), the first story chapter. The hero
// walks from the start past five checkpoints, each opened only by a straight win, to the
// venue of the KR tournament. The first visit shows the rules and the chapter title; the
// first arrival at the venue shows the reporter, then the tournament map opens.
#pragma once
#include "field/Fieldmap.h"

class KRStage1 : public FieldMap {
 public:
  explicit KRStage1(platform::Canvas& canvas);
  // Also lets go of the reporter's face picture.
  ~KRStage1() override;
  void OnWaypointChanged() override;

 private:
  void PlayIntroduction();
  // Reaching the venue: the arrival scene the first time, then the tournament map. The
  // journey map is destroyed on the way.
  void ArriveAtVenue();
};

// Builds the journey map on a canvas (the main menu's start and continue items lead here).
void ConstructJourney(platform::Canvas& canvas);
