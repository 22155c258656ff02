// battle: recording a match. The recorder is a door that lets everything pass through
// another door (the keys, or any other) and notes it on a tape, with what shaped the battle
// when the match began.
#pragma once
#include <ctime>
#include <optional>

#include "battle/MatchInput.h"
#include "battle/ReplayFormat.h"

struct OpponentRecord;

// What shapes the coming match between left and right (null: a human), from the game's
// state now; none for an opponent that is not of the opponent table (it could not be named).
std::optional<ReplaySetup> DescribeMatch(const OpponentRecord* left, const OpponentRecord* right);

class ReplayRecorder final : public MatchInput {
 public:
  // startedAt: when the match begins, seconds since 1970 (online, both sides take the host's).
  ReplayRecorder(MatchInput& through, const ReplaySetup& setup, int64_t startedAt = std::time(nullptr));

  void BeginFrame() override;
  TInputBits FighterBits(int side, int source) override;
  RoundStop CheckStop() override;
  bool HelpKey() override;
  bool PauseKey() override;
  bool Checkpoint(uint32_t checksum) override;
  bool Closing() override;
  TWaitResult Watch(WaitKind kind, uint32_t ms, LiveWait live) override;
  void Turn() override { through_.Turn(); }
  bool HelpMayOpen() const override { return through_.HelpMayOpen(); }
  uint32_t LongestTurnMs() const override { return through_.LongestTurnMs(); }

  // The replay, ending with the match's result.
  Replay Finish(const MatchReport& result);
  // The tape so far, and the frames begun on it: every entry of the frames before the last
  // one begun is on it.
  const std::vector<TapeEntry>& TapeSoFar() const { return replay_.tape; }
  uint32_t FramesBegun() const { return frame_; }

 private:
  void Note(TapeOp op, uint8_t a = 0, uint8_t b = 0, uint32_t value = 0);

  MatchInput& through_;
  Replay replay_;
  uint32_t frame_ = 0;
  int bits_[2] = {0, 0};
};
