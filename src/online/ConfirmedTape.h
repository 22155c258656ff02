// online: the replay of an online match, written from its confirmed frames only. Frames played
// ahead on a prediction of the other side's input may be played again; the tape hears a frame
// once both sides' inputs of it are known and its last play used them, so both sides write the
// same tape, and it reads back as the match was played. It is the replay recorder's tape, fed
// by hand with what each confirmed frame read and met, in the order the round loop meets it.
#pragma once
#include <cstdint>
#include <vector>

#include "battle/MatchInput.h"
#include "battle/ReplayRecorder.h"

// One read of a fighter's input bits in a frame.
struct BitsRead {
  int side = 0, source = 0;
  TInputBits bits = 0;
};

class ConfirmedTape {
 public:
  ConfirmedTape(const ReplaySetup& setup, int64_t startedAt);

  // A confirmed frame begins, with the fighters' reads of its last play.
  void Frame(const std::vector<BitsRead>& reads);
  void Stop(RoundStop why);
  void Pause();
  void Checksum(uint32_t value);
  // A wait for the players ended with result after ms (as agreed); the result the battle sees.
  TWaitResult Wait(WaitKind kind, TWaitResult result, uint32_t ms);
  void Closing();
  Replay Finish(const MatchReport& result) { return recorder_.Finish(result); }
  // The tape so far (for spectators), and the frames below which it is whole.
  const std::vector<TapeEntry>& Entries() const { return recorder_.TapeSoFar(); }
  uint32_t WholeBefore() const { return recorder_.FramesBegun(); }

 private:
  // The door the recorder records: it answers what the tape is told.
  struct Feed final : MatchInput {
    void BeginFrame() override {}
    TInputBits FighterBits(int, int) override { return bits; }
    RoundStop CheckStop() override { return stop; }
    bool HelpKey() override { return false; }
    bool PauseKey() override { return pause; }
    bool Checkpoint(uint32_t) override { return true; }
    bool Closing() override { return closing; }
    TWaitResult Watch(WaitKind, uint32_t, LiveWait) override { return result; }
    uint32_t WaitLength(uint32_t) override { return ms; }

    TInputBits bits = 0;
    RoundStop stop = RoundStop::None;
    bool pause = false, closing = false;
    TWaitResult result = wrNone;
    uint32_t ms = 0;
  };

  Feed feed_;
  ReplayRecorder recorder_;
};
