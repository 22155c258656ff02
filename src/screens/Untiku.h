// screens: the opponent profile screen (module Untiku). Before every fight chosen on a
// waypoint map it shows the opponent's face, star ratings, name, clear condition and
// profile, types the spoken lines, then starts the match on a key (or goes back to the map
// on cancel) and sends the player on by the result.
#pragma once
#include "shell/Bramkoworld.h"

struct OpponentRecord;
class FieldMap;

// Draws the screen for opponent, types its spoken lines and installs ProfileStep.
// returnStep is the map's step to reinstall when the player comes back (FieldMapStep).
void ShowProfile(SceneStepFn returnStep, const OpponentRecord& opponent);
// The scene step while the screen waits for the player: any key fights, cancel goes back.
int ProfileStep();
// The opponent of the screen shown last (null before the first).
const OpponentRecord* ProfileOpponent();

// Number of star icons in rating row 0..4 of character id 0..19 (0 outside).
int ProfileRating(int id, int row);
// The clear condition shown for a map (empty on the main menu and unknown maps).
const char* ClearConditionText(int mapId);

// Scenes of other rooms that a won fight leads to, installed by the game's assembly. While
// one is missing the player comes back to the map as after any other fight.
// The tournament ending: created on ScreenCanvas and its first step run.
extern void (*StartTournamentEnding)();
// The DoraQ chapter's ending, given the map scene it shows again when it ends.
extern void (*DoraQEndingRunner)(FieldMap* map);
