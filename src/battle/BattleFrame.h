// battle: the play of one battle frame, the part decided by the battle's state and the
// fighters' input bits alone: the fighters' item clocks, every sprite's step, the item and
// chip rolls, the pick-up and hit tests, and the round clock. The round loop runs it between
// the reads of its door; a rollback runs it again on a restored state.
#pragma once

// The round loop's own counters.
struct RoundFrames {
  int frame = 0;           // frames played this round
  int secondCounter = 60;  // frames until the clock ticks: from 60 down to 0, then the tick
  int chipCountdown = 1;   // frames until the next chip roll
};

// The counters of the round that runs.
RoundFrames& CurrentRoundFrames();
// A round begins: the counters start again.
void StartRoundFrames();

// The frame's play up to the hit tests.
void PlayFrame();
// The frame's end: the second counter runs down; true when a clock second ended (the clock
// is repainted then).
bool TickRoundClock();
// A frame played again as the round loop played it (nothing outside the battle interrupts it).
void ResimulateFrame();
