// actors: the match the versus mode starts.
#include "actors/Vsmode.h"

// The match loop of the shell has not arrived yet; until it does, the chosen fang types and
// powers are set and both players go straight back to choosing.
int RunVersusMatch() { return 0; }
