// actors: the match the versus mode starts: two people, no opponent records.
#include "actors/Vsmode.h"
#include "shell/Battle.h"

int RunVersusMatch() { return RunMatch(nullptr, nullptr); }
