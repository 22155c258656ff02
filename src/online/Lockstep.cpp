// online: the lockstep's bookkeeping.
#include "online/Lockstep.h"

#include <algorithm>

namespace {
constexpr int kMaxDelay = 30;
}

int InputDelayFor(uint32_t roundTripMs, int framePeriodMs) {
  if (framePeriodMs < 1) framePeriodMs = 1;
  // The one way in frames, half of it hidden by the delay: on a fast link the other side's
  // input is in before its frame, on a slow one the rollback hides what the delay does not.
  const uint32_t period = static_cast<uint32_t>(framePeriodMs);
  const int frames = static_cast<int>((roundTripMs / 2 + period) / (2 * period));
  return std::clamp(frames, 0, kAutoDelayMost);
}

Lockstep::Lockstep(int localSide, int delay)
    : local_(localSide & 1),
      delay_(std::clamp(delay, 0, kMaxDelay)),
      lastMine_(static_cast<uint32_t>(delay_)),
      theirsWhole_(0) {
  // The other side's delay is its own: its first frames come as zeros like any input.
  mine_.assign(static_cast<size_t>(delay_) + 1, 0);
  theirs_.assign(1, 0);
}

void Lockstep::AddLocal(uint32_t frame, uint8_t input) {
  const uint32_t at = frame + static_cast<uint32_t>(delay_);
  if (at != lastMine_ + 1) return;  // each frame once, in order
  mine_.push_back(input);
  lastMine_ = at;
}

void Lockstep::Receive(const NetInputs& m) {
  confirmed_ = std::max(confirmed_, std::min(m.have, lastMine_));
  for (size_t i = 0; i < m.inputs.size(); ++i) {
    const uint64_t frame = static_cast<uint64_t>(m.first) + i;
    // Never more than a message's worth beyond what is whole: a peer cannot make us grow
    // without bound, and it never needs to be further ahead than that.
    if (frame <= theirsWhole_ || frame > theirsWhole_ + 4u * kMaxInputsPerMessage) continue;
    if (theirs_.size() <= frame) theirs_.resize(frame + 1, -1);
    theirs_[frame] = m.inputs[i];
  }
  while (theirsWhole_ + 1 < theirs_.size() && theirs_[theirsWhole_ + 1] >= 0) ++theirsWhole_;
}

uint8_t Lockstep::RemoteKeys(uint32_t frame) const {
  uint32_t f = std::min<uint32_t>(frame, LastHeard());
  while (f > 0 && theirs_[f] < 0) --f;
  return static_cast<uint8_t>(theirs_[f] & kInputKeys);
}

bool Lockstep::Ready(uint32_t frame) const { return frame <= lastMine_ && frame <= theirsWhole_; }

uint8_t Lockstep::Input(uint32_t frame, int side) const {
  if (!Ready(frame)) return 0;
  return (side & 1) == local_ ? mine_[frame] : static_cast<uint8_t>(theirs_[frame]);
}

NetInputs Lockstep::Outgoing(uint16_t round) const {
  NetInputs m;
  m.round = round;
  m.have = theirsWhole_;
  // From the oldest input the other side lacks (it waits for that one first); when it has
  // them all, the latest again, which carries the confirmation back.
  const uint32_t first = std::min(confirmed_ + 1, lastMine_);
  const uint32_t last = std::min<uint32_t>(lastMine_, first + kMaxInputsPerMessage - 1);
  m.first = first;
  for (uint32_t f = first; f <= last; ++f) m.inputs.push_back(mine_[f]);
  return m;
}

void Lockstep::AddChecksum(bool local, uint32_t second, uint32_t value) {
  if (local) {
    lastSecond_ = std::max(lastSecond_, second);
    // Too old to be matched: the other side would have had to stop that long ago.
    if (lastSecond_ > kChecksumWindow)
      for (auto& sums : sums_) sums.erase(sums.begin(), sums.lower_bound(lastSecond_ - kChecksumWindow));
  } else if (second + kChecksumWindow < lastSecond_ || second > lastSecond_ + kChecksumWindow) {
    return;
  }
  sums_[local ? 0 : 1][second] = value;
  const auto& other = sums_[local ? 1 : 0];
  const auto it = other.find(second);
  if (it != other.end() && it->second != value) inSync_ = false;
  // Both known and equal: neither is needed again.
  if (it != other.end() && inSync_) {
    sums_[0].erase(second);
    sums_[1].erase(second);
  }
}
