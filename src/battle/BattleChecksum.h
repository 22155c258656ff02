// battle: a checksum of the battle's state: the random generator, the clock, both fighters
// and every sprite on the arena. Two runs of one battle agree on it frame for frame; a replay
// that no longer shows the recorded fight disagrees within a clock second. It covers a part
// of the state; the whole is BattleSnapshot's, with checksums by part. The stored replays
// hold this one, so it stays as it is.
#pragma once
#include <cstdint>

uint32_t BattleChecksum();
