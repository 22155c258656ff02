// battle: the end of a round and of a match (module RoundResult): why the round ended, who
// won it, the victory jumps, the score tally counted into the winner's score, and the
// match's verdict with its straight bonus. Every wait lets the player abandon the match.
#pragma once
#include "shell/Game.h"

// wrQuit when abandoned, else wrNone.
TWaitResult EndRound();
// wrContinue while the match goes on, wrQuit when abandoned, else wrNone.
TWaitResult MatchVerdict(int roundIndex);
