// battle: the battle match (module Battle). RunMatch takes the window over, builds the two
// fighters on the arena, plays up to three rounds with RunRound and gives the window back.
#pragma once
#include "shell/Game.h"

class MatchInput;
struct OpponentRecord;

// One match; a null record is a human fighter on that side (the left side always is).
// Returns the left fighter's rounds won: 2 is a victory. The players play at the keys, and
// the match is kept as the last replay.
int RunMatch(const OpponentRecord* left, const OpponentRecord* right);

// What a match may change beyond itself: one that is played moves the story on (and saves
// it); a replay changes nothing.
enum class MatchEffects { StoryProgress, None };
// One match whose outside world is the given door (the keys, a recording, a replay).
int RunMatchThrough(const OpponentRecord* left, const OpponentRecord* right, MatchInput& door, MatchEffects effects);
// The two-human match of the versus mode; returns the left player's rounds won.
int RunVersusMatch();
// One round, index 0..2: wrQuit when the player abandoned it, else wrNone.
TWaitResult RunRound(int roundIndex);

// A story match of the player against opponent table entry record, on the arena of map
// (1 journey, 2 tournament, 3 DoraQ), from its first waypoint (so no progress is made).
// Returns RunMatch's result, or -1 when there is no such record.
int RunStoryMatch(int record, int map);
