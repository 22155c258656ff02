// shell: input polling, waits and tick-count timing (module Game). Every scene reads the
// players through here and waits through here; all waits honour QuitRequested.
#pragma once
#include <cstdint>

#include "input/KeyTable.h"

enum TPlayerId : int { piPlayer1 = 0, piPlayer2 = 1, piBoth = 2 };
enum TWaitResult : int { wrNone = 0, wrContinue = 1, wrCancel = 2, wrQuit = 6 };

using JoystickPoller = TInputBits (*)();

extern bool InputDisabled;       // the settings dialog silences every input while open
extern bool QuitRequested;       // the window is closing; never cleared
extern void (*PumpHook)();       // processes pending window messages
extern TPlayerId SlotPlayer[2];  // player served by key slot 0 and 1
extern TInputBits LastDirections[2];
extern JoystickPoller JoystickPollerP1, JoystickPollerP2;

// Virtual-key codes of the five system keys that count as input on their own.
enum : int { VK_SPACE_KEY = 0x20, VK_ENTER_KEY = 0x0D, VK_ESCAPE_KEY = 0x1B, VK_F2_KEY = 0x71, VK_F1_KEY = 0x70 };

TInputBits ReadPlayerInput(int player);
bool AnyInput();
bool CancelPressed();
bool AbortPressed();
bool KeyIsDown(int vk);
// The game's millisecond clock: the system's, or a multiple of it while a replay is
// watched fast (every wait and the battle's frames then pass that much quicker).
uint32_t TickCount();
void SetClockRate(uint32_t rate);
// One turn of a wait that has remainingMs of the game's clock still to go.
void WaitTurn(uint32_t remainingMs);
void PumpMessages();
uint32_t BusyWait(uint32_t ms);
uint32_t BusyWaitPumping(uint32_t ms);
// Until no key has been down for kReleaseQuietMs: a key still held is not for what follows.
inline constexpr uint32_t kReleaseQuietMs = 50;
void WaitRelease();
TWaitResult WaitPress();
void WaitReleaseThenPress();
TWaitResult WaitOrKey(uint32_t ms);
// The waits for the players of a match (WaitRelease, WaitPress, WaitOrKey and the abort
// test) can be watched: a match being recorded runs each and notes how it ended, a replay
// answers in its place without reading a key. The other reads are not watched.
enum class WaitKind : uint8_t { Release = 1, Press = 2, OrKey = 3, Abort = 4 };
using LiveWait = TWaitResult (*)(uint32_t ms);
class WaitWatcher {
 public:
  // live runs the wait itself; Release answers wrNone, Abort wrQuit when abandoned.
  virtual TWaitResult Watch(WaitKind kind, uint32_t ms, LiveWait live) = 0;
  // Every turn of every wait, also the busy waits that read no key.
  virtual void Turn() {}
  // How long one turn of a wait may give the processor up. A watcher that services a link
  // to another machine keeps it short: a datagram left waiting through a whole wait adds to
  // the round trip the link measures (and so to the input delay chosen from it).
  virtual uint32_t LongestTurnMs() const { return UINT32_MAX; }
  // Whether the help may open now. The help is modal: a match played with another machine
  // would stop on this side only, and the other side would take the silence for a lost link.
  virtual bool HelpMayOpen() const { return true; }

 protected:
  ~WaitWatcher() = default;
};
// The watcher now in place (null: none); returns the one it replaces.
WaitWatcher* SetWaitWatcher(WaitWatcher* watcher);
// Whether F1 or the help menu may open the help now (the watcher in place decides).
bool HelpMayOpen();

// Puts the module back to its start-up state (a new run in the same process).
void ResetGameInputState();
