// battle: watching a replay. Its match runs again as it was played: the tape answers every
// read of the match's door, so the fight draws and sounds as it did, at the recorded game
// speed. Holding any key or pad button runs it four times as fast; Escape or closing the
// window stops it. Afterwards the game stands where it stood before: story progress, the
// save file, the settings and the screen are as they were.
#pragma once
#include <vector>

#include "battle/MatchInput.h"
#include "battle/ReplayFormat.h"

enum class ReplayOutcome {
  Played,   // to its end, with the recorded result
  Stopped,  // by the viewer
  Drifted,  // the battle no longer followed the tape: stopped at once
  Refused,  // its opponent is not this game's
};

// Puts the game in the state the setup describes, as it stood when its match began (a
// network game's two sides would agree on one and both apply it).
void ApplyReplaySetup(const ReplaySetup& setup);

// A tape still being written while it is watched (a match watched as it is played elsewhere).
class LiveTape {
 public:
  // Holds until the tape has more than entries entries, or is whole through frame (every entry
  // of it has come); false when neither will be (the link is gone). Either answers the door's
  // next question, as the door asks in the order the tape was written.
  virtual bool Await(uint32_t frame, size_t entries) = 0;
  // Called often while the tape plays: whatever brings the tape is kept going.
  virtual void Keep() = 0;
  // The viewer is so far behind the match that it is shown fast.
  virtual bool Behind(uint32_t frame) = 0;

 protected:
  ~LiveTape() = default;
};

// The tape as the match's door.
class ReplayInput final : public MatchInput {
 public:
  // live: the tape grows while it is played (null: it is whole).
  explicit ReplayInput(const Replay& replay, LiveTape* live = nullptr);

  void BeginFrame() override;
  TInputBits FighterBits(int side, int source) override;
  RoundStop CheckStop() override;
  bool HelpKey() override { return false; }
  bool PauseKey() override;
  bool Checkpoint(uint32_t checksum) override;
  bool Closing() override;
  TWaitResult Watch(WaitKind kind, uint32_t ms, LiveWait live) override;
  // The viewer is heard also while the match waits without reading keys (an announcement,
  // the winner's jumps).
  void Turn() override;

  // After the match: how it went, judged by the tape and the match's report.
  ReplayOutcome Outcome(const MatchReport& report) const;

 private:
  enum class Stop { None, Viewer, Drift };
  // The next entry of the tape when it is an op of this frame, taken off the tape.
  const TapeEntry* Take(TapeOp op);
  // Escape or the window closing stop the replay; any other key held runs it fast.
  bool ViewerLeft();
  void Drift() { stop_ = Stop::Drift; }
  // A live tape has the next entry or is whole through the frame being played, or the replay stops.
  bool Whole();

  const Replay& replay_;
  LiveTape* const live_;
  size_t next_ = 0;
  uint32_t frame_ = 0;
  TInputBits bits_[2] = {0, 0};
  Stop stop_ = Stop::None;
  bool recordedClosing_ = false;
  uint32_t lastHeard_ = 0;
};

// Plays the replay on the window as it stands and puts everything back afterwards.
ReplayOutcome PlayReplay(const Replay& replay);
