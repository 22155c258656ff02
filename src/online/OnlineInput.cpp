// online: the lockstep door.
#include "online/OnlineInput.h"

#include <chrono>

#include "online/OnlineSession.h"
#include "platform/Window.h"
#include "shell/GameMedia.h"

namespace {

constexpr int kF4 = 0x73;
// Unconfirmed inputs go again this often while a side waits (a lost datagram costs this).
constexpr uint64_t kResendUs = 8000;

uint64_t NowUs() {
  return static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
          .count());
}

bool AbortKey() { return KeyIsDown(VK_ESCAPE_KEY) || QuitRequested; }

// How the local player ends a wait now, or wrContinue while the wait goes on.
TWaitResult LocalOutcome(WaitKind kind, uint32_t ms, uint32_t elapsed) {
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
    case WaitKind::Release: break;
  }
  return wrNone;
}

}  // namespace

OnlineInput::OnlineInput(OnlineSession& session, int delay, uint16_t round)
    : session_(session), lockstep_(session.LocalSide(), delay), round_(round) {}

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

void OnlineInput::BeginFrame() {
  ++frame_;
  if (stop_ != OnlineStop::None) return;
  lockstep_.AddLocal(frame_, ReadLocal());
  SendInputs();
  Pump();
  if (!lockstep_.Ready(frame_)) ++framesWaited_;
  const uint64_t waitFrom = NowUs();
  while (stop_ == OnlineStop::None && !lockstep_.Ready(frame_)) {
    if (over_) {
      Stop(OnlineStop::Lost);
      break;
    }
    session_.Poll(1);  // gives the processor up until something comes (at most 1 ms)
    PumpMessages();
    WaitTurn(1);  // keeps the window alive; the turn pumps the link too
  }
  waitedUs_ += NowUs() - waitFrom;
  for (int side = 0; side < 2; ++side)
    if (lockstep_.Input(frame_, side) & kInputPause) pausePending_ = true;
}

TInputBits OnlineInput::FighterBits(int side, int) {
  return stop_ != OnlineStop::None ? 0 : lockstep_.Input(frame_, side) & kInputKeys;
}

RoundStop OnlineInput::CheckStop() {
  if (stop_ != OnlineStop::None) return RoundStop::Closed;
  for (int side = 0; side < 2; ++side) {
    if (lockstep_.Input(frame_, side) & kInputGiveUp) {
      gaveUp_ = side;
      return RoundStop::GiveUp;
    }
  }
  return RoundStop::None;
}

bool OnlineInput::PauseKey() {
  // A pause asked for on a frame that reads no pause key waits for the next that does.
  const bool pause = pausePending_ && stop_ == OnlineStop::None;
  pausePending_ = false;
  return pause;
}

bool OnlineInput::Checkpoint(uint32_t checksum) {
  if (stop_ != OnlineStop::None) return false;
  ++second_;
  if (disturbFrom_ && second_ >= disturbFrom_) ++checksum;
  lockstep_.AddChecksum(true, second_, checksum);
  session_.Send(NetChecksum{round_, second_, checksum});
  Pump();
  return stop_ == OnlineStop::None;
}

TWaitResult OnlineInput::Watch(WaitKind kind, uint32_t ms, LiveWait live) {
  agreedMs_ = 0;
  if (stop_ != OnlineStop::None) return AbandonedWait(kind);
  if (kind == WaitKind::Release) {
    // Only the local keys matter; the other side's release shows in its next wait or frame.
    live(ms);
    return stop_ != OnlineStop::None ? AbandonedWait(kind) : wrNone;
  }
  const TWaitResult r = Agree(kind, ms);
  return stop_ != OnlineStop::None ? AbandonedWait(kind) : r;
}

TWaitResult OnlineInput::Agree(WaitKind kind, uint32_t ms) {
  const uint32_t seq = ++seq_;
  // Words on earlier waits came too late to count.
  std::erase_if(asks_, [&](const auto& a) { return a.first < seq; });
  std::erase_if(dones_, [&](const auto& d) { return d.first < seq; });
  const uint32_t start = TickCount();
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
    const uint32_t elapsed = TickCount() - start;
    if (session_.Hosting()) {
      // The host decides: its own outcome or the guest's, whichever comes first.
      TWaitResult r = LocalOutcome(kind, ms, elapsed);
      if (const auto it = asks_.find(seq); r == wrContinue && it != asks_.end())
        r = static_cast<TWaitResult>(it->second.result);
      if (r != wrContinue) {
        asks_.erase(seq);
        agreedMs_ = elapsed;
        session_.Send(NetWait{round_, seq, 1, static_cast<uint8_t>(r), elapsed});
        return r;
      }
    } else {
      if (!asked) {
        const TWaitResult r = LocalOutcome(kind, ms, elapsed);
        if (r != wrContinue) {
          session_.Send(NetWait{round_, seq, 0, static_cast<uint8_t>(r), elapsed});
          asked = true;
        }
      }
    }
    PumpMessages();
    WaitTurn(1);
  }
}
