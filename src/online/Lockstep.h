// online: the two sides' inputs by frame, without any sockets. Both machines run the whole
// battle; each frame a side reads its own keys for a frame `delay` frames ahead (its own
// delay, 0 or more) and sends them. Its frames up to the delay carry no input (sent as zeros).
// The other side's input of a frame may not be in yet when the frame is due: it is then
// predicted as its latest known keys, and the frame played again once it came different. The
// inputs travel unreliably: each message repeats every input the other side has not yet
// confirmed, so a lost message costs nothing but the wait for the next.
#pragma once
#include <cstdint>
#include <map>
#include <vector>

#include "online/NetMessage.h"

// Input byte of a frame: the fighter's keys and two flags.
inline constexpr uint8_t kInputKeys = 63, kInputPause = 64, kInputGiveUp = 128;
// How many clock seconds either side of the local one a checksum is kept for.
inline constexpr uint32_t kChecksumWindow = 16;

// The local input delay for a measured round trip: half of the one-way trip in frames hidden
// by the delay, the rest by rollback; 0 to kAutoDelayMost frames.
inline constexpr int kAutoDelayMost = 2;
int InputDelayFor(uint32_t roundTripMs, int framePeriodMs);

class Lockstep {
 public:
  Lockstep(int localSide, int delay);

  int Delay() const { return delay_; }
  // The local input read at frame `frame` (counted from 1); it is the input of frame + delay.
  void AddLocal(uint32_t frame, uint8_t input);
  void Receive(const NetInputs& message);
  // Both sides' inputs for the frame are known.
  bool Ready(uint32_t frame) const;
  // The input of side for a ready frame.
  uint8_t Input(uint32_t frame, int side) const;
  // The other side's inputs are known for every frame up to this one.
  uint32_t Whole() const { return theirsWhole_; }
  // The latest frame any input of the other side came for.
  uint32_t LastHeard() const { return static_cast<uint32_t>(theirs_.size() - 1); }
  // The other side's input of frame is in.
  bool Known(uint32_t frame) const { return frame < theirs_.size() && theirs_[frame] >= 0; }
  // The other side's keys for frame: as sent once known, else its latest known keys.
  uint8_t RemoteKeys(uint32_t frame) const;
  // The local input of frame (0 before it was read).
  uint8_t Mine(uint32_t frame) const { return frame <= lastMine_ ? mine_[frame] : 0; }
  // Every local input the other side has not confirmed (at least the latest, which also
  // carries this side's confirmation back).
  NetInputs Outgoing(uint16_t round) const;

  // Checksums of the battle's clock seconds, from both sides: false once one differs. Only
  // seconds within kChecksumWindow of the latest local one are kept; the other side's outside
  // it are refused (in lockstep it is never that far ahead or behind).
  void AddChecksum(bool local, uint32_t second, uint32_t value);
  bool InSync() const { return inSync_; }
  // Checksums kept while they wait for the other side's.
  size_t KeptChecksums() const { return sums_[0].size() + sums_[1].size(); }

 private:
  int local_;
  int delay_;
  std::vector<uint8_t> mine_;             // [frame]: the local input, up to lastMine_
  std::vector<int16_t> theirs_;           // [frame]: the other side's, -1 while unknown
  uint32_t lastMine_;                     // the last frame the local input is known for
  uint32_t theirsWhole_;                  // the other side's inputs are known for every frame up to it
  uint32_t confirmed_ = 0;                // the other side has every local input up to it
  std::map<uint32_t, uint32_t> sums_[2];  // [0] the local ones, [1] the other side's
  uint32_t lastSecond_ = 0;               // the latest local checksum's second
  bool inSync_ = true;
};
