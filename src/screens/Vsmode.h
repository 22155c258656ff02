// screens: the versus mode (module Vsmode). Two people pick a fang type and a fang power
// on the "C2_MENU" stage, then fight each other; after the match both choose again.
#pragma once
#include <cstdint>
#include <string>

#include "field/Fieldbmp.h"
#include "field/Lchar.h"

// The other side of a versus screen whose second player plays on another machine. Each side
// chooses only its own fighter's fang type and power; the match starts once both decided.
struct VersusSideState {
  int cursor = 0, power = 0;
  bool decided = false;
  bool operator==(const VersusSideState&) const = default;
};
class VersusPeer {
 public:
  // 0: this machine plays player 1, 1: player 2, -1: it only watches.
  virtual int LocalSide() const = 0;
  // Tells the local side's state and hears the other side's (nothing while nobody is there
  // yet). False once the other machine is gone.
  virtual bool Exchange(const VersusSideState& mine, VersusSideState* theirs) = 0;
  // A spectator's screen: both sides as the players' machines tell them, and in *start whether
  // the next match is there to be watched. False once the other machine is gone.
  virtual bool Follow(VersusSideState (&)[2], bool* start) {
    *start = false;
    return false;
  }
  // Both decided and the fighters' powers are set (or, watching, the next match came): the match.
  virtual void PlayMatch() = 0;
  // What the players should know of the link: waiting for the other side, or the input
  // delay the coming match will have.
  virtual std::string Status() const = 0;
  // The local player left (true) or the other machine is gone (false): online play ends.
  // True when the versus screen stays (for two at one keyboard), false for the main menu.
  virtual bool Leave(bool byPlayer) = 0;

 protected:
  ~VersusPeer() = default;
};
// Online play in progress on the versus screen, or null (two people at one keyboard).
extern VersusPeer* OnlineVersusPeer;

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
  // The online screen's step: the local side's turn, then the other machine's state.
  bool StepOnline(VersusPeer& peer);
  bool StepWatching(VersusPeer& peer);
  // A side chosen elsewhere: its cursor, power and whether it decided.
  void ShowSide(int p, const VersusSideState& side);
  void LeaveOnline(VersusPeer& peer, bool byPlayer);
  void StartMatch();
  void ShowStatus(const std::string& text);

  LCharcter* cursors[2] = {nullptr, nullptr};
  LCharcter* gauge[2][7] = {};
  const LPoint* points[2];
  int lastBits[2] = {0, 0};
  uint32_t lastTime[2] = {0, 0};
  std::string shownStatus_;
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
