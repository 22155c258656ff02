// online: the match door: inputs, prediction and rollback, confirmation, the shared interruptions.
#include "online/OnlineInput.h"

#include <algorithm>
#include <chrono>
#include <climits>

#include "actors/BattleState.h"
#include "battle/BattleFrame.h"
#include "online/OnlineSession.h"
#include "platform/Window.h"
#include "shell/Bramkoworld.h"
#include "shell/GameMedia.h"

namespace {

constexpr int kF4 = 0x73;
// Unconfirmed inputs go again this often while a side waits (a lost datagram costs this).
constexpr uint64_t kResendUs = 8000;
// A side this many frames ahead of the other holds a frame at once; one ahead by the other
// figure over a whole stretch of frames holds one at the stretch's end.
constexpr int64_t kHoldAtOnce = 3, kHoldAfterStretch = 2, kHoldWhole = 5;
constexpr uint32_t kHoldStretch = 20;
// A held frame's time is given back this many milliseconds a frame (a 16 ms frame of 15 is not
// seen), faster when kHoldAtOnce ahead, and at once from kHoldWhole ahead (the predictions are
// near their limit there, and a frame waited for would be worse than one shown twice as long).
constexpr uint32_t kPayMs = 1, kFastPayMs = 3;
// The most a round's first frame (or the first after a wait) waits for the other side to begin too.
constexpr uint64_t kStartTogetherUs = 1000000;

uint64_t NowUs() {
  return static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
          .count());
}

bool AbortKey() { return KeyIsDown(VK_ESCAPE_KEY) || QuitRequested; }

// How the local player ends a wait now, or wrContinue while the wait goes on (quietMs: how
// long no key has been down).
TWaitResult LocalOutcome(WaitKind kind, uint32_t ms, uint32_t elapsed, uint32_t quietMs) {
  switch (kind) {
    case WaitKind::Press:
      if (QuitRequested) return wrCancel;
      if (!MusicKeeperOff) KeepMusicLooping();
      if (AnyInput()) return CancelPressed() ? wrCancel : wrNone;
      return wrContinue;
    case WaitKind::OrKey:
      if (AbortKey()) return wrQuit;
      if (CancelPressed()) return wrCancel;
      if (AnyInput() || elapsed > ms) return wrNone;
      return wrContinue;
    case WaitKind::Abort: return AbortKey() ? wrQuit : wrNone;
    case WaitKind::Release: return quietMs >= kReleaseQuietMs ? wrNone : wrContinue;
  }
  return wrNone;
}

}  // namespace

OnlineInput::OnlineInput(OnlineSession& session, int delay, int theirDelay, uint16_t round, const ReplaySetup& setup,
                         int64_t startedAt)
    : session_(session),
      lockstep_(session.LocalSide(), delay),
      tape_(setup, startedAt),
      round_(round),
      theirDelay_(theirDelay) {}

void OnlineInput::Stop(OnlineStop why) {
  if (stop_ != OnlineStop::None) return;
  stop_ = why;
  // The other side must not wait for frames that will never come.
  if (why == OnlineStop::Desync || why == OnlineStop::WeLeft)
    session_.Send(NetEnd{round_, why == OnlineStop::Desync ? NetEndReason::Desync : NetEndReason::Closing});
}

void OnlineInput::SendInputs() {
  session_.Send(lockstep_.Outgoing(round_));
  lastSendUs_ = NowUs();
}

void OnlineInput::Pump() {
  if (stop_ != OnlineStop::None) return;
  if (QuitRequested) return Stop(OnlineStop::WeLeft);
  // What came before the link ended still counts: the host's last word, then its goodbye.
  over_ = session_.Poll(0) == SessionPhase::Over;
  auto& mail = session_.matchMail;
  while (!mail.empty()) {
    const NetMessage m = std::move(mail.front());
    mail.pop_front();
    if (const auto* in = std::get_if<NetInputs>(&m)) {
      if (in->round == round_) lockstep_.Receive(*in);
    } else if (const auto* sum = std::get_if<NetChecksum>(&m)) {
      if (sum->round == round_) lockstep_.AddChecksum(false, sum->second, sum->value);
    } else if (const auto* w = std::get_if<NetWait>(&m)) {
      if (w->round == round_ && w->seq >= seq_ && w->seq - seq_ <= kWaitsAhead) (w->done ? dones_ : asks_)[w->seq] = *w;
    } else if (const auto* end = std::get_if<NetEnd>(&m)) {
      if (end->round == round_) Stop(end->reason == NetEndReason::Desync ? OnlineStop::Desync : OnlineStop::TheyLeft);
    }
    if (stop_ != OnlineStop::None) return;
  }
  if (!lockstep_.InSync()) return Stop(OnlineStop::Desync);
  if (!over_ && NowUs() - lastSendUs_ >= kResendUs) SendInputs();
}

uint8_t OnlineInput::ReadLocal() {
  // Either key set and either pad serve the local fighter.
  const TInputBits keys = ReadPlayerInput(piBoth);
  uint8_t input = static_cast<uint8_t>(keys < 0 ? 0 : keys & kInputKeys);
  // Each press counts once: a held key must not pause again right after the pause.
  const bool esc = KeyIsDown(VK_ESCAPE_KEY), f4 = KeyIsDown(kF4), focus = platform::HasFocus();
  if ((esc && !escWas_) || (!focus && focusWas_)) input |= kInputPause;
  if (f4 && !f4Was_) input |= kInputGiveUp;
  escWas_ = esc;
  f4Was_ = f4;
  focusWas_ = focus;
  return input;
}

bool OnlineInput::AwaitWhole(uint32_t frame) {
  const uint64_t waitFrom = NowUs();
  while (stop_ == OnlineStop::None && lockstep_.Whole() < frame) {
    if (over_) {
      Stop(OnlineStop::Lost);
      break;
    }
    session_.Poll(1);  // gives the processor up until something comes (at most 1 ms)
    PumpMessages();
    WaitTurn(1);  // keeps the window alive; the turn pumps the link too
  }
  waitedUs_ += NowUs() - waitFrom;
  return stop_ == OnlineStop::None;
}

void OnlineInput::KeepAbreast() {
  if (lockstep_.LastHeard() == 0) return;
  // Where the other side is now: its latest input is of its frame plus its delay, sent half a
  // round trip ago or more (it came, then waited for this frame to read it), so the frames of
  // that half round trip count whole: a part counted as none would make this side seem a frame
  // further ahead than it is, and give time back for nothing.
  const int period = std::max(FramePeriodMs, 1);
  const int64_t halfTrip = (static_cast<int64_t>(session_.RoundTripMs()) / 2 + period - 1) / period;
  const int64_t theirs = static_cast<int64_t>(lockstep_.LastHeard()) - theirDelay_ + halfTrip;
  const int64_t ahead = static_cast<int64_t>(frame_) - theirs;
  // Far ahead (the other side began the round later, or stalled): a frame's time given back
  // at once, quickly. A little ahead all along a stretch of frames: one given back then,
  // slowly (a frame's jitter alone never holds one).
  aheadLeast_ = std::min(aheadLeast_, ahead);
  bool hold = ahead >= kHoldAtOnce;
  if (frame_ - stretchFrom_ >= kHoldStretch) {
    hold = hold || aheadLeast_ >= kHoldAfterStretch;
    aheadLeast_ = INT64_MAX;
    stretchFrom_ = frame_;
  }
  if (ahead >= kHoldWhole) {
    // So far ahead that predictions near their limit: a whole frame's time back at once.
    if (owedMs_ == 0) ++held_;
    owedMs_ = std::max(owedMs_, static_cast<uint32_t>(period));
    paySliceMs_ = static_cast<uint32_t>(period);
    return;
  }
  if (!hold) return;
  // A frame's time, given back over the frames that follow: a frame held whole would show as a
  // hitch. Further ahead it goes back faster.
  if (owedMs_ == 0) {
    ++held_;
    owedMs_ = static_cast<uint32_t>(period);
    paySliceMs_ = kPayMs;
  }
  if (ahead >= kHoldAtOnce) paySliceMs_ = std::max(paySliceMs_, kFastPayMs);
}

uint32_t OnlineInput::FrameLength(uint32_t periodMs) {
  const uint32_t pay = std::min(owedMs_, paySliceMs_);
  owedMs_ -= pay;
  return periodMs + pay;
}

void OnlineInput::StartTogether() {
  // Both sides begin when the other's first input of the stretch has come and half a round
  // trip has passed since their own went: the side that was told to go first (the host, when a
  // wait ends) then waits for the other's input, the other for its own to arrive, and the two
  // begin at about the same moment instead of the later one half a round trip ahead.
  const uint32_t theirFirst = frame_ + static_cast<uint32_t>(theirDelay_);
  const uint64_t sentAt = lastSendUs_, arrives = sentAt + uint64_t{session_.RoundTripMs()} * 1000 / 2;
  const auto apart = [&] { return lockstep_.LastHeard() < theirFirst || NowUs() < arrives; };
  if (!apart()) return;
  ++held_;
  const uint64_t until = NowUs() + kStartTogetherUs;
  while (stop_ == OnlineStop::None && !over_ && apart() && NowUs() < until) {
    session_.Poll(1);
    PumpMessages();
    WaitTurn(1);
  }
}

bool OnlineInput::FlagFrame(uint32_t frame) const {
  if (frame <= kFlagLag) return false;
  const uint32_t from = frame - kFlagLag;
  return ((lockstep_.Input(from, 0) | lockstep_.Input(from, 1)) & (kInputPause | kInputGiveUp)) != 0;
}

void OnlineInput::BeginFrame() {
  ++frame_;
  if (stop_ != OnlineStop::None) return rollback_.Begin(frame_, 0);
  KeepAbreast();
  lockstep_.AddLocal(frame_, ReadLocal());
  SendInputs();
  Pump();
  // A round's first frame, and the first after a wait (the pause), start the sides together.
  if (CurrentRoundFrames().frame == 0 || afterWait_) StartTogether();
  afterWait_ = false;
  // At most kMaxPrediction frames on a prediction: past that, wait for the other side.
  const uint32_t limit = frame_ > kMaxPrediction ? frame_ - kMaxPrediction : 0;
  if (lockstep_.Whole() < limit) {
    ++framesWaited_;
    if (!AwaitWhole(limit)) return rollback_.Begin(frame_, 0);
  }
  // A frame that acts on a pause or give-up is played on known inputs only (the frames before
  // it were settled after the last one).
  const bool flags = FlagFrame(frame_) || pausePending_;
  if (flags && !AwaitWhole(frame_)) return rollback_.Begin(frame_, 0);
  rollback_.Begin(frame_, lockstep_.RemoteKeys(frame_));
  if (!FlagFrame(frame_)) return;
  for (int side = 0; side < 2; ++side) {
    const uint8_t input = lockstep_.Input(frame_ - kFlagLag, side);
    if (input & kInputPause) pausePending_ = true;
    if ((input & kInputGiveUp) && giveUpDue_ < 0) giveUpDue_ = side;
  }
}

TInputBits OnlineInput::FighterBits(int side, int source) {
  if (stop_ != OnlineStop::None) return 0;
  const uint32_t frame = rollback_.Playing();
  const TInputBits bits =
      (side & 1) == session_.LocalSide() ? lockstep_.Mine(frame) & kInputKeys : rollback_.Frame(frame).remote;
  rollback_.NoteRead({side, source, bits});
  return bits;
}

void OnlineInput::OpenOnTape(uint32_t frame) {
  Confirm(frame - 1);
  if (opened_ >= frame) return;
  tape_.Frame(rollback_.Frame(frame).reads);
  opened_ = frame;
}

RoundStop OnlineInput::CheckStop() {
  if (stop_ != OnlineStop::None) {
    // The tape ends here with what this side played last: a match cut short is no one's.
    if (opened_ < frame_) tape_.Frame(rollback_.Frame(frame_).reads);
    opened_ = frame_;
    tape_.Stop(RoundStop::Closed);
    return RoundStop::Closed;
  }
  if (giveUpDue_ < 0) return RoundStop::None;
  gaveUp_ = giveUpDue_;
  OpenOnTape(frame_);
  tape_.Stop(RoundStop::GiveUp);
  return RoundStop::GiveUp;
}

bool OnlineInput::PauseKey() {
  // A pause due on a frame that reads no pause key waits for the next that does.
  if (!pausePending_ || stop_ != OnlineStop::None) return false;
  pausePending_ = false;
  OpenOnTape(frame_);
  tape_.Pause();
  return true;
}

bool OnlineInput::Checkpoint(uint32_t checksum) {
  if (stop_ != OnlineStop::None) return false;
  rollback_.NoteCheckpoint(checksum);
  return true;
}

bool OnlineInput::Closing() {
  if (stop_ == OnlineStop::None) return false;
  tape_.Closing();
  return true;
}

void OnlineInput::Correct() {
  for (uint32_t f = settled_ + 1; f <= frame_; ++f) {
    if (!lockstep_.Known(f) || lockstep_.RemoteKeys(f) == rollback_.Frame(f).remote) continue;
    const uint32_t last = rollback_.PlayAgain(f, frame_, [this](uint32_t g) { return lockstep_.RemoteKeys(g); });
    // The round ended earlier than it seemed: the frames after are the next round's.
    frame_ = last;
    return;
  }
}

void OnlineInput::Confirm(uint32_t upTo) {
  for (uint32_t f = settled_ + 1; f <= upTo; ++f) {
    const PlayedFrame& p = rollback_.Frame(f);
    if (opened_ < f) {
      tape_.Frame(p.reads);
      opened_ = f;
    }
    if (p.checkpoint) {
      tape_.Checksum(p.checksum);
      ++second_;
      const uint32_t sent = disturbFrom_ && second_ >= disturbFrom_ ? p.checksum + 1 : p.checksum;
      lockstep_.AddChecksum(true, second_, sent);
      session_.Send(NetChecksum{round_, second_, sent});
    }
    settled_ = f;
  }
}

void OnlineInput::EndFrame() {
  Settle();
  ShareTape();
  const RollbackStats& r = rollback_.Stats();
  statsLine_.Frame({session_.RoundTripMs(), r.last, r.most, framesWaited_});
}

void OnlineInput::Settle() {
  bool waited = false;
  for (;;) {
    Pump();
    if (stop_ != OnlineStop::None) return;
    Correct();
    Confirm(std::min(lockstep_.Whole(), frame_));
    // The round's end, and a frame that acts on a pause or give-up, are both sides' at once:
    // the frames before are confirmed first. (A side waits only for inputs of frames it has
    // reached itself, which the other side has read already or reads before it waits.)
    const bool next = pausePending_ || FlagFrame(frame_ + 1);
    const uint32_t need = RoundEnds() || next ? frame_ : 0;
    if (lockstep_.Whole() >= need) return;
    if (!waited) ++settles_;
    waited = true;
    if (!AwaitWhole(std::min(need, lockstep_.Whole() + 1))) return;
  }
}

TWaitResult OnlineInput::Watch(WaitKind kind, uint32_t ms, LiveWait) {
  agreedMs_ = 0;
  afterWait_ = true;
  TWaitResult r = AbandonedWait(kind);
  if (stop_ == OnlineStop::None) {
    r = Agree(kind, ms);
    if (stop_ != OnlineStop::None) r = AbandonedWait(kind);
  }
  const TWaitResult result = tape_.Wait(kind, r, agreedMs_);
  ShareTape();
  return result;
}

void OnlineInput::ShareTape() {
  if (SpectatorSeats* seats = session_.Seats()) seats->Tape(round_, tape_.Entries(), tape_.WholeBefore(), SteadyMs());
}

TWaitResult OnlineInput::Agree(WaitKind kind, uint32_t ms) {
  const uint32_t seq = ++seq_;
  // Words on earlier waits came too late to count.
  std::erase_if(asks_, [&](const auto& a) { return a.first < seq; });
  std::erase_if(dones_, [&](const auto& d) { return d.first < seq; });
  const uint32_t start = TickCount();
  uint32_t quietFrom = start;
  bool asked = false;
  for (;;) {
    Pump();
    if (!session_.Hosting()) {
      if (const auto it = dones_.find(seq); it != dones_.end() && stop_ == OnlineStop::None) {
        agreedMs_ = it->second.ms;
        const auto r = static_cast<TWaitResult>(it->second.result);
        dones_.erase(it);
        return r;
      }
    }
    if (over_) Stop(OnlineStop::Lost);
    if (stop_ != OnlineStop::None) return AbandonedWait(kind);
    const uint32_t now = TickCount(), elapsed = now - start;
    if (kind == WaitKind::Release && AnyInput()) quietFrom = now;
    const TWaitResult mine = LocalOutcome(kind, ms, elapsed, now - quietFrom);
    if (session_.Hosting()) {
      // The host decides: its own outcome or the guest's, whichever comes first; a release
      // once both players have let go (a side still held back would fall behind the other).
      TWaitResult r = mine;
      if (const auto it = asks_.find(seq); kind == WaitKind::Release) {
        if (it == asks_.end()) r = wrContinue;
      } else if (r == wrContinue && it != asks_.end()) {
        r = static_cast<TWaitResult>(it->second.result);
      }
      if (r != wrContinue) {
        asks_.erase(seq);
        agreedMs_ = elapsed;
        session_.Send(NetWait{round_, seq, 1, static_cast<uint8_t>(r), elapsed});
        return r;
      }
    } else {
      if (!asked && mine != wrContinue) {
        session_.Send(NetWait{round_, seq, 0, static_cast<uint8_t>(mine), elapsed});
        asked = true;
      }
    }
    PumpMessages();
    WaitTurn(1);
  }
}
