// actors: when a computer with tactical firing (fireWait 999) pulls the trigger. The answer
// is the divisor of the firing roll: smaller means sooner, 1 means now.
#pragma once
#include "actors/Commove.h"

// fangsInFlight: every fang on the arena; urgency: the battle's fireUrgency (read only).
int TacticalWait(const PlanView& view, int fangsInFlight, int urgency);

// Whether the opponent's vertical movement counts like closing in for the diagonal fangs
// (types 3 and 4): it does when the opponent moves up while standing above the computer, or
// down while standing below it. See the note in CommoveAim.cpp.
bool MovesVerticallyAway(const PlanFighter& self, const PlanFighter& opponent);
