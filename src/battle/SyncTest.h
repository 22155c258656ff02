// battle: the sync test, the proof that the battle's state as a value holds everything a
// frame reads and writes (rollback rests on it). A door around the match's own door: at the
// end of every frame it saves the battle's state, restores the state of N frames back and
// plays those frames again with the input bits they read the first time. Every frame played
// again must leave the very state its first play left, part for part; the first that does
// not stops the match and is named. A round is never rolled back past its start. The frames
// played again are silent (see EffectsSilenced) and the match goes on from their state.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "battle/BattleSnapshot.h"
#include "battle/MatchInput.h"

// How many frames every frame's rollback goes back; 0: no sync test.
extern int SyncTestFrames;

// What the sync tests of this run found, over all their matches.
struct SyncTestResult {
  uint64_t frames = 0;    // frames played to their end (each one checked)
  uint64_t replayed = 0;  // frames played again
  std::string failure;    // empty while every frame played again matched
  std::vector<uint32_t> saveNs, checksumNs, restoreNs, frameNs, showNs;  // each one timed
};
const SyncTestResult& SyncTestOutcome();
// The figures in one line: frames checked, and the median and mean cost of a save, its
// checksums, a restore, a frame played again and the drawing of the state rolled back to.
std::string SyncTestSummary();

class SyncTestInput final : public MatchInput {
 public:
  SyncTestInput(MatchInput& through, int frames);

  void BeginFrame() override;
  TInputBits FighterBits(int side, int source) override;
  RoundStop CheckStop() override;
  bool HelpKey() override;
  bool PauseKey() override;
  bool Checkpoint(uint32_t checksum) override;
  void EndFrame() override;
  bool Closing() override;
  uint32_t WaitLength(uint32_t measuredMs) override { return through_.WaitLength(measuredMs); }
  uint32_t FrameLength(uint32_t periodMs) override { return through_.FrameLength(periodMs); }
  TWaitResult Watch(WaitKind kind, uint32_t ms, LiveWait live) override;
  void Turn() override { through_.Turn(); }

 private:
  struct Read {
    int side, source;
    TInputBits bits;
  };
  // The state at the end of one frame of the round, and the bits that frame read.
  struct Kept {
    BattleSnapshot state;
    BattlePartSums sums{};
    std::vector<Read> reads;
  };
  Kept& Slot(int roundFrame) { return kept_[static_cast<size_t>(roundFrame) % kept_.size()]; }
  void Keep(int roundFrame);
  void RollBack(int roundFrame);
  void Fail(const std::string& what);

  MatchInput& through_;
  int depth_;
  std::vector<Kept> kept_;  // depth_ + 1 frames, by round frame
  BattleSnapshot replayed_;
  uint32_t matchFrame_ = 0;  // frames begun in the match
  int round_ = 0;
  // While frames are played again: the bits they read the first time.
  const std::vector<Read>* replayReads_ = nullptr;
  size_t nextRead_ = 0;
  bool readsDiffer_ = false;
  bool failed_ = false;
};
