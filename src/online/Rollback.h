// online: the frames a side plays ahead on a prediction of the other side's input, and their
// correction. Before each frame the whole battle is saved; when the other side's input of a
// frame comes different from the one it was played with, the battle is put back as it was
// before that frame and every frame since is played again, at once and unseen, with what is
// known now: only the present is drawn.
//
// Sounds: a frame's sounds play when it is first played; a frame played again is silent, even
// where the corrected play makes sounds the first did not (they would come late, or twice).
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "battle/BattleSnapshot.h"
#include "online/ConfirmedTape.h"

// The most frames a side plays on a prediction; past that it waits for the other side.
inline constexpr uint32_t kMaxPrediction = 8;

// One frame as last played.
struct PlayedFrame {
  BattleSnapshot before;        // the battle at the frame's start
  uint8_t remote = 0;           // the other side's keys it was played with
  std::vector<BitsRead> reads;  // the fighters' reads
  bool checkpoint = false;      // a clock second ended with it
  uint32_t checksum = 0;        // the battle's checksum then
};

struct RollbackStats {
  uint32_t rollbacks = 0;
  uint32_t last = 0, most = 0;  // frames played again by the latest rollback, by the longest
  uint64_t framesAgain = 0, againNs = 0;
  // Rollbacks by the frames they played again (the last counts every longer one).
  std::array<uint32_t, kMaxPrediction + 2> byLength{};
};

class Rollback {
 public:
  // Frame begins its first play, with the other side's keys it is played with.
  void Begin(uint32_t frame, uint8_t remote);
  uint32_t Playing() const { return playing_; }
  PlayedFrame& Frame(uint32_t frame) { return ring_[frame % ring_.size()]; }
  void NoteRead(const BitsRead& read) { Frame(playing_).reads.push_back(read); }
  void NoteCheckpoint(uint32_t checksum);
  // Plays from .. to again from the battle before from, with the other side's keys as remote
  // tells them now. A frame that ends the round is the last played: returns the last.
  uint32_t PlayAgain(uint32_t from, uint32_t to, const std::function<uint8_t(uint32_t)>& remote);
  const RollbackStats& Stats() const { return stats_; }

 private:
  std::array<PlayedFrame, 2 * kMaxPrediction> ring_;
  uint32_t playing_ = 0;
  BattleSnapshot shown_;
  RollbackStats stats_;
};

// The battle's state ends the round (the loop leaves it before the next frame).
bool RoundEnds();
