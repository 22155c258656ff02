// battle: the battle's state as a value. It holds everything a battle frame reads and
// writes: the random generator, the round clock and the round flags, the round loop's
// counters, what is kept over a whole run (the owner of the last chip, the switching
// opponent's counter), both fighters with the computer's plan memory, and every fang, item
// and chip in the arena's order with its flight. The gauge is the fighters' energies. A
// state saved at the end of a frame and restored there plays the next frames as they were
// played. The sheets, the arena's map and the match's settings are no frame's to change and
// stay outside.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "actors/Bramkoplayer.h"
#include "actors/Complayer.h"
#include "actors/Macromove.h"
#include "actors/Tip.h"
#include "battle/BattleFrame.h"

struct BattleWorld {
  uint32_t random = 0;
  int roundClock = 0, roundOver = 0, newEventFlag = 0, fireUrgency = 0;
  RoundFrames frames;
  int chipOwner = 0;
  ComSwitchState switchState;
};

struct FighterRecord {
  LCharState sprite;
  BeatState beat;
  FighterState fighter;
  int inputSource = 0;     // a person's; 0 for the computer
  ComputerState computer;  // the computer's; as made for a person
};

enum class SpriteKind : int { Fang = 1, Item = 2, Chip = 3 };

struct SpriteRecord {
  SpriteKind kind = SpriteKind::Fang;
  LCharState sprite;
  BeatState beat;
  FlightState flight;  // fangs and items
  ChipState chip;      // chips
};

struct BattleSnapshot {
  BattleWorld world;
  FighterRecord fighters[2];
  std::vector<SpriteRecord> sprites;  // fangs, items and chips, in the arena's order
  // Arena sprites the snapshot cannot make again (of no kind above, or a fighter after
  // them); a snapshot with any is not the whole battle.
  int strangers = 0;
};

// The battle as it stands, into a snapshot whose memory is kept from save to save.
void SaveBattle(BattleSnapshot& into);
// The battle as the snapshot holds it: the fighters take its state over, every fang, item and
// chip is made again in the arena's order. Nothing is drawn yet; the arena's cells under
// every sprite that moved, came or went are marked for the next flush.
void RestoreBattle(const BattleSnapshot& from);
// After a restore (and any frames played on from it): the panel's values that differ from
// shown, the state the screen showed before the restore, are drawn again (a frame played
// again draws what it changes itself, as any frame does). The arena's marked cells are
// flushed by the next frame's step, as in every frame (a sprite made after the step shows
// from the next one).
void ShowRestoredBattle(const BattleSnapshot& shown);

// The parts of the state, each with a checksum of its own, so that two states that differ
// name where.
enum BattlePart : int {
  bpGenerator,
  bpClock,
  bpRoundFlags,
  bpFighter0,
  bpFighter1,
  bpFangs,
  bpItems,
  bpChips,
  kBattleParts
};
const char* BattlePartName(int part);
using BattlePartSums = std::array<uint32_t, kBattleParts>;
BattlePartSums PartChecksums(const BattleSnapshot& snapshot);
