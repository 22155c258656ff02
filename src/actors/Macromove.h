// actors: sprites that fly by a byte-code program (module Macromove), one instruction run
// per action: steps, bounces off the arena walls, turns toward a target fighter when lined
// up with it, random-length runs and pauses. Also WaitDivisor, the chance function of the
// pause and of the computer's firing roll.
#pragma once
#include <cstdint>
#include <span>

#include "field/Bramkochar.h"

using MacroProgram = std::span<const uint8_t>;

// Flight programs by fang type: 0 the item's path, 1-7 the fangs, 8-11 the delayed fangs.
inline constexpr int kFangProgramCount = 12;
extern const MacroProgram FangProgramTable[kFangProgramCount];

// Opcodes and step operands.
enum : uint8_t {
  mcStep = 1,
  mcBounces = 4,
  mcMark = 5,
  mcJump = 6,
  mcColumnTest = 10,
  mcRowTest = 12,
  mcPause = 26,
  mcRepeatStep = 27,
  mcEndColumnTest = 111,
  mcEndRowTest = 113,
  moKeepX = 22,
  moKeepY = 23,
  moTowardX = 24,
  moTowardY = 25,
  moKeepXOrSide = 28,
};

// What a frame may change of a flight: the program (its place in FangProgramTable, -1 for
// none of the table's), where it runs and the directions.
struct FlightState {
  int program = -1, pc = 0, mark = 0, hBounces = 0, vBounces = 0, targetIndex = 0;
  int dx = 0, dy = 0, lastDx = 0, lastDy = 0;
};

class MacroMove : public BramkoChar {
 public:
  // Period 1 (an action every second frame), speed 16. The creator then sets the program,
  // the target, the first direction (lastDx, lastDy) and the position.
  MacroMove(LField* stage, const platform::Bitmap* sheet, const platform::Bitmap* mask, const platform::Rect& source);

 protected:
  ~MacroMove() override;

 public:
  // Runs the program for one action; on -1 releases the sprite (it is gone) and returns -1,
  // otherwise steps by (dx, dy) x speed and returns 0.
  int Move() override;
  // The interpreter alone: sets dx, dy for this action; -1 when the sprite must go.
  int RunProgram();

  void SetProgram(MacroProgram code);

  FlightState SaveFlight() const;
  void LoadFlight(const FlightState& s);

  MacroProgram program;  // the program being run
  int pc = 0;            // program pointer: offset of the next byte
  int mark = 0;          // loop point set by opcode 5
  int hBounces = 0;      // -1 unlimited, 0 none left
  int vBounces = 0;
  int targetIndex = 0;         // fighter (0 or 1) the program homes on
  int dx = 0, dy = 0;          // direction of the current action
  int lastDx = 0, lastDy = 0;  // direction of the previous action
};

// Divisor W >= 1 for a roll that succeeds when a random number modulo W is 0. a and b are
// column and row distances, base the divisor when no rule applies, kind the wait level or
// fang type. The result is shifted right by the number of fangs in flight (twice that for
// every kind but 1), so more fangs mean shorter pauses and quicker shots.
int WaitDivisor(int a, int b, int base, int kind);
// The same with the number of fangs in flight given.
int WaitDivisor(int a, int b, int base, int kind, int fangsInFlight);
