// battle: the match's one door to the outside world. All that reaches a battle from outside
// passes here: the input bits each human fighter's action reads, the events that end or
// interrupt a round, the waits for the players between the frames, and once a clock second
// a checksum of the battle. The keyboard door reads the keys; a recording notes what passed
// through another door; a replay answers from its file. A network game would be one more
// door that exchanges the same things with the other machine.
#pragma once
#include <cstdint>

#include "input/KeyTable.h"
#include "shell/Game.h"

// Why a round was left in the middle of its frames.
enum class RoundStop : uint8_t { None = 0, GiveUp = 1, FocusLost = 2, Closed = 3 };

class MatchInput : public WaitWatcher {
 public:
  virtual ~MatchInput() = default;
  // A battle frame begins; frames are counted over the whole match.
  virtual void BeginFrame() = 0;
  // What the action of the human fighter of side reads from its input source: 0..63.
  virtual TInputBits FighterBits(int side, int source) = 0;
  // Every frame after the hit tests: F4, the focus gone or the window closing end the round.
  virtual RoundStop CheckStop() = 0;
  // On seven frames in eight: the help key, then the pause key.
  virtual bool HelpKey() = 0;
  virtual bool PauseKey() = 0;
  // Once a clock second: false when this is no longer the battle it should be.
  virtual bool Checkpoint(uint32_t checksum) = 0;
  // A frame has been played to its end (a frame the round leaves early has no end).
  virtual void EndFrame() {}
  // Whether the window is closing (a match's closing scene is skipped then).
  virtual bool Closing() = 0;
  // How long the wait that just ended counts as having lasted: as measured, unless the door
  // agreed on a length with another machine (both must note the same).
  virtual uint32_t WaitLength(uint32_t measuredMs) { return measuredMs; }
  // How long the frame just played lasts: the game speed's period, unless the door stretches
  // it a little (online, to let the other machine catch up without a visible hitch).
  virtual uint32_t FrameLength(uint32_t periodMs) { return periodMs; }
};

// The players at this machine's keys and joysticks.
class KeyboardInput final : public MatchInput {
 public:
  void BeginFrame() override {}
  TInputBits FighterBits(int side, int source) override;
  RoundStop CheckStop() override;
  bool HelpKey() override;
  bool PauseKey() override;
  bool Checkpoint(uint32_t) override { return true; }
  bool Closing() override;
  TWaitResult Watch(WaitKind, uint32_t ms, LiveWait live) override { return live(ms); }
};

// How a wait for the players ends when the match is being left: as if abandoned.
TWaitResult AbandonedWait(WaitKind kind);

// The door of the match that runs: the one InstallMatchInput put in place, else the keys.
MatchInput& Door();

// Puts a door in place for the lifetime of this object: the fighters' reads and the waits
// for the players go through it; the one before comes back afterwards.
class InstallMatchInput {
 public:
  explicit InstallMatchInput(MatchInput& input);
  ~InstallMatchInput();
  InstallMatchInput(const InstallMatchInput&) = delete;
  InstallMatchInput& operator=(const InstallMatchInput&) = delete;

 private:
  MatchInput* before_;
  WaitWatcher* watcherBefore_;
  TInputBits (*readerBefore_)(int, int);
};
