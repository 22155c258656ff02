// battle: the match the versus mode starts: two people, no opponent records.
#include "battle/Battle.h"

int RunVersusMatch() { return RunMatch(nullptr, nullptr); }
