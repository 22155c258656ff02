// online: the match's door in an online versus match. It reads the local player's keys (either
// key set serves the local fighter), exchanges them with the other machine and answers both
// fighters' reads: the other side's input as known, else predicted and the frames played
// again once it came different (Rollback). What interrupts a round is shared: a pause by
// either side pauses both, F4 by either ends the match, losing the focus pauses rather than
// ends. Such a press acts kFlagLag frames after the frame whose input carries it, a frame
// neither side can play before it knows that input, and that frame is played on known inputs
// only; so is the frame a round ends with. The waits for the players between frames are
// decided by the host (a press on either side counts) and last as long on both sides. The
// replay is written from the confirmed frames (ConfirmedTape).
#pragma once
#include <climits>
#include <cstdint>
#include <map>

#include "battle/MatchInput.h"
#include "online/ConfirmedTape.h"
#include "online/Lockstep.h"
#include "online/NetStatsLine.h"
#include "online/OnlineSession.h"
#include "online/Rollback.h"

// A pause or give-up in the input of frame f acts on frame f + kFlagLag: a side plays at most
// kMaxPrediction frames past the other side's last known input, so it knows that input first.
inline constexpr uint32_t kFlagLag = kMaxPrediction + 1;

// The other side's word on a wait is kept only from the current wait to this many ahead. The
// host runs ahead of the guest by a run of waits with no frame between, the longest being a
// round result's score count: (1500 life + 999 s x 20) / 20 a step, about 1,100 waits.
inline constexpr uint32_t kWaitsAhead = 2048;

// Why an online match ended before its end, if it did.
enum class OnlineStop { None, Lost, Desync, TheyLeft, WeLeft };

class OnlineInput final : public MatchInput {
 public:
  // The door of match number round of the session, with this side's input delay and the other
  // side's; the replay is set up as setup, begun at startedAt.
  OnlineInput(OnlineSession& session, int delay, int theirDelay, uint16_t round, const ReplaySetup& setup,
              int64_t startedAt);

  void BeginFrame() override;
  TInputBits FighterBits(int side, int source) override;
  RoundStop CheckStop() override;
  // The help would stop this side's frames and leave the other waiting: not in online play,
  // neither from the frame loop nor from the window (the pause, the round results).
  bool HelpKey() override { return false; }
  bool HelpMayOpen() const override { return false; }
  bool PauseKey() override;
  bool Checkpoint(uint32_t checksum) override;
  void EndFrame() override;
  bool Closing() override;
  TWaitResult Watch(WaitKind kind, uint32_t ms, LiveWait live) override;
  void Turn() override { Pump(); }
  uint32_t LongestTurnMs() const override { return kOnlineTurnMs; }
  uint32_t WaitLength(uint32_t) override { return agreedMs_; }
  uint32_t FrameLength(uint32_t periodMs) override;

  OnlineStop Stopped() const { return stop_; }
  // The side that gave up with F4, or -1.
  int GaveUp() const { return gaveUp_; }
  // The replay of the confirmed frames, ending with the match's result.
  Replay Finish(const MatchReport& result) { return tape_.Finish(result); }

  // Frames stepped, and how many of them had to wait for the other side's input (more than
  // kMaxPrediction frames ahead of it).
  uint32_t Frames() const { return frame_; }
  uint32_t FramesWaited() const { return framesWaited_; }
  // Waits for the other side's input before a frame that must be played on known inputs (a
  // round's end, a pause, a give-up).
  uint32_t Settles() const { return settles_; }
  // Frames' time given back, for the other side to catch up (each spread over a few frames).
  uint32_t FramesHeld() const { return held_; }
  // Real time the frames spent waiting for the other side, in all.
  uint64_t WaitedUs() const { return waitedUs_; }
  const RollbackStats& Rollbacks() const { return rollback_.Stats(); }
  int Delay() const { return lockstep_.Delay(); }

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
  // Waits until the other side's inputs are known up to frame; false when the match stopped.
  bool AwaitWhole(uint32_t frame);
  // A side that runs ahead of the other makes it predict more: it gives a frame's time back
  // now and then, a millisecond or a few at a time over the frames that follow (FrameLength).
  void KeepAbreast();
  // A round's first frame, or the first after a wait: the other side's first input is awaited
  // (it begins a little later, after the host's word on the last wait came), and half a round
  // trip after this side's went (so that the side that heard last is not the one ahead).
  void StartTogether();
  // The frame acts on a pause or give-up of either side.
  bool FlagFrame(uint32_t frame) const;
  // After a frame: plays again what came different, puts the confirmed frames on the tape and
  // waits where the next frame must be played on known inputs.
  void Settle();
  void Correct();
  void Confirm(uint32_t upTo);
  void OpenOnTape(uint32_t frame);
  // The spectators get the confirmed tape as it grows.
  void ShareTape();

  OnlineSession& session_;
  Lockstep lockstep_;
  Rollback rollback_;
  ConfirmedTape tape_;
  NetStatsLine statsLine_;
  const uint16_t round_;
  uint32_t frame_ = 0;
  uint32_t settled_ = 0;  // frames confirmed and on the tape
  uint32_t opened_ = 0;   // frames whose reads are on the tape
  int giveUpDue_ = -1;    // the side whose give-up acts on the frame being played
  uint32_t framesWaited_ = 0, settles_ = 0, held_ = 0, stretchFrom_ = 0;
  uint32_t owedMs_ = 0, paySliceMs_ = 1;  // a held frame's time still to be given back, and how fast
  int64_t aheadLeast_ = INT64_MAX;
  const int theirDelay_;
  uint64_t waitedUs_ = 0;
  uint32_t second_ = 0;
  uint32_t seq_ = 0;
  bool afterWait_ = false;  // a wait for the players came since the last frame
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
