// battle: the score tally of a won round: what both fighters did, then the winner's bonus
// for life and time counted up into its score.
#pragma once
#include "shell/Game.h"

// winner: 0 left, 1 right. wrQuit when abandoned, else wrNone.
TWaitResult ShowTally(int winner);
