// actors: the battle's globals (module Bramkoworld's battle part): the arena, the two
// fighters, the round's clock and flags and the match's settings. The actors read and write
// them every frame, so they live here, below the battle that runs the rounds.
#pragma once

class BramkoChar;
class LFieldXChip;

enum : int { mmVersus = 0, mmStory = 1 };

extern LFieldXChip* Arena;
extern BramkoChar* Fighters[2];
extern int FramePeriodMs;
extern int RoundSeconds;
extern int ChipSpawnInterval;
extern int MatchMode;
extern int FangPowerByMode[2][2];  // [fighter][mode]
extern int FangSetByMode[2][2];
extern int RoundClock;
extern int RoundOver;
extern int newEventFlag;
extern unsigned char fireUrgency;
