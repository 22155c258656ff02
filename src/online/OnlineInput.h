// online: the match's door in an online versus match. It reads the local player's keys (either
// key set serves the local fighter), exchanges them with the other machine in lockstep and
// answers both fighters' reads from the agreed inputs. What interrupts a round is shared: a
// pause by either side pauses both, F4 by either ends the match, losing the focus pauses
// rather than ends. The waits for the players between frames are decided by the host (a
// press on either side counts) and last as long on both sides.
#pragma once
#include <cstdint>
#include <map>

#include "battle/MatchInput.h"
#include "online/Lockstep.h"
#include "online/OnlineSession.h"

// The other side's word on a wait is kept only from the current wait to this many ahead. The
// host runs ahead of the guest by a run of waits with no frame between, the longest being a
// round result's score count: (1500 life + 999 s x 20) / 20 a step, about 1,100 waits.
inline constexpr uint32_t kWaitsAhead = 2048;

// Why an online match ended before its end, if it did.
enum class OnlineStop { None, Lost, Desync, TheyLeft, WeLeft };

class OnlineInput final : public MatchInput {
 public:
  // The door of match number round of the session, with the agreed input delay.
  OnlineInput(OnlineSession& session, int delay, uint16_t round);

  void BeginFrame() override;
  TInputBits FighterBits(int side, int source) override;
  RoundStop CheckStop() override;
  // The help would stop this side's frames and leave the other waiting: not in online play,
  // neither from the frame loop nor from the window (the pause, the round results).
  bool HelpKey() override { return false; }
  bool HelpMayOpen() const override { return false; }
  bool PauseKey() override;
  bool Checkpoint(uint32_t checksum) override;
  bool Closing() override { return stop_ != OnlineStop::None; }
  TWaitResult Watch(WaitKind kind, uint32_t ms, LiveWait live) override;
  void Turn() override { Pump(); }
  uint32_t LongestTurnMs() const override { return kOnlineTurnMs; }
  uint32_t WaitLength(uint32_t) override { return agreedMs_; }

  OnlineStop Stopped() const { return stop_; }
  // The side that gave up with F4, or -1.
  int GaveUp() const { return gaveUp_; }
  // Frames stepped, and how many of them had to wait for the other side's input.
  uint32_t Frames() const { return frame_; }
  uint32_t FramesWaited() const { return framesWaited_; }
  // Real time the frames spent waiting for the other side, in all.
  uint64_t WaitedUs() const { return waitedUs_; }

  // Checksums and waits of the other side kept until they are matched: never more than a
  // window's worth, whatever it sends.
  size_t KeptMessages() const { return lockstep_.KeptChecksums() + asks_.size() + dones_.size(); }

  // Debug aid of the simulator: from this clock second on the local battle is disturbed
  // (its checksums are reported off by one), as a diverged battle would be.
  void DisturbFrom(uint32_t second) { disturbFrom_ = second; }

 private:
  // Services the link, takes in what came for this match and resends unconfirmed inputs.
  void Pump();
  void Stop(OnlineStop why);
  uint8_t ReadLocal();
  void SendInputs();
  TWaitResult Agree(WaitKind kind, uint32_t ms);

  OnlineSession& session_;
  Lockstep lockstep_;
  const uint16_t round_;
  uint32_t frame_ = 0;
  uint32_t framesWaited_ = 0;
  uint64_t waitedUs_ = 0;
  uint32_t second_ = 0;
  uint32_t seq_ = 0;
  uint32_t agreedMs_ = 0;
  uint32_t disturbFrom_ = 0;
  std::map<uint32_t, NetWait> asks_, dones_;
  bool pausePending_ = false;
  bool over_ = false;  // the session has ended: nothing more will come
  bool escWas_ = false, f4Was_ = false, focusWas_ = true;
  int gaveUp_ = -1;
  OnlineStop stop_ = OnlineStop::None;
  uint64_t lastSendUs_ = 0;
};
