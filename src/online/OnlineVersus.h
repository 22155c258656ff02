// online: online play on the versus screen. The versus screen shows both players as usual;
// this machine chooses for its own side and hears the other machine's choice. Once both
// decided, the host starts the match with everything that shapes it, both play it in
// lockstep and keep it as the last replay, and both come back to the versus screen.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "online/OnlineInput.h"

class OnlineSession;
namespace platform {
class Canvas;
}

// What the last online match came to, for the simulator's report and the benchmark.
struct OnlineReport {
  bool played = false;
  OnlineStop stop = OnlineStop::None;
  int delay = 0;  // this side's input delay
  int gaveUp = -1;
  uint32_t frames = 0, framesWaited = 0, settles = 0, framesHeld = 0;
  uint64_t waitedUs = 0;
  RollbackStats rollbacks;
  // A spectator's: the bytes that came, and how long its first match watched took to come
  // within a few frames of the players (0: it never fell behind).
  uint64_t bytesIn = 0;
  uint32_t caughtUpMs = 0;
};
extern OnlineReport LastOnline;
// Why online play ended last ("" while it goes on or when the player left it).
extern std::string LastOnlineEnd;

// The local input delay the player chose (0 to kChosenDelayMost), or -1: from the round trip.
extern int ChosenInputDelay;

// After this many matches online play ends and the window closes (the simulator); 0: never.
extern int OnlineMatchLimit;
// Debug aid of the simulator: this side's battle reports itself disturbed from this clock
// second of each match on (0: never).
extern uint32_t OnlineDisturbAt;

// Puts the versus screen up on canvas for online play over session, which may still be
// waiting for the other side; a spectator's session watches on it.
void StartOnlineVersus(std::unique_ptr<OnlineSession> session, platform::Canvas& canvas);
// Starts straight on the online versus screen from the command line: hosting on port, or
// joining or watching host. False with a message when the link could not be set up.
enum class OnlineRole { Host, Guest, Spectator };
bool StartOnlineFromCommandLine(OnlineRole role, const std::string& host, uint16_t port, std::string* error);

// Ends online play at the end of a run, saying goodbye to the other machine.
void EndOnlineVersus();

const char* OnlineStopName(OnlineStop stop);
