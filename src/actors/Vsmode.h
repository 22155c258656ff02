// actors: the versus mode (module Vsmode). Two people pick a fang type and a fang power
// on the "C2_MENU" stage, then fight each other; after the match both choose again.
#pragma once
#include <cstdint>

#include "field/Fieldbmp.h"
#include "field/Lchar.h"

class VSMode : public LFieldBMP {
 public:
  explicit VSMode(platform::Canvas& canvas);
  ~VSMode() override;

  // Back to choosing: both cursors on "type a", nobody decided, power levels kept.
  void Reset();
  // The scene step of the timer.
  static int Step();

  int cursorIndex[2] = {0, 0};  // 0-2 "type a".."type c", 3 "exit"
  unsigned char decided[2] = {0, 0};

 private:
  // One player's turn of a step; false when the scene has gone (back to the main menu).
  bool HandlePlayer(int p);
  bool Decide(int p);
  void DrawTexts();
  void DrawPowerGauges();
  void PlaceCursor(int p);
  void Leave();

  LCharcter* cursors[2] = {nullptr, nullptr};
  LCharcter* gauge[2][7] = {};
  const LPoint* points[2];
  int lastBits[2] = {0, 0};
  uint32_t lastTime[2] = {0, 0};
};

// Fang power level 0-7 of each player; 0 at start-up, kept for the whole run.
extern int VersusPowerLevel[2];
// The versus screen on display, or null.
extern VSMode* CurrentVersus;

// Fang power and chip value a versus fighter gets from a power level.
constexpr int VersusFangPower(int level) { return 160 + 30 * level; }

// What the versus screen calls to fight: the battle's RunVersusMatch, installed by the
// game's assembly, or a stand-in of a test.
extern int (*VersusMatchRunner)();

// Start-up state of the module (a new run in the same process).
void ResetVersusState();
