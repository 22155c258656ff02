// online: the spectator's versus screen and its matches.
#include "online/SpectatorVersus.h"

#include <utility>

#include "battle/Battle.h"
#include "battle/MatchReport.h"
#include "battle/ReplayFiles.h"
#include "battle/ReplayPlayer.h"
#include "battle/ReplayRecorder.h"
#include "online/KeptSettings.h"
#include "online/OnlineSession.h"
#include "online/OnlineVersus.h"
#include "online/SessionPeer.h"
#include "platform/Translate.h"
#include "platform/Window.h"
#include "screens/Vsmode.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"

namespace {

// Further behind the match than this, the spectator watches four times as fast until it is
// within kCaughtUpFrames again.
constexpr uint32_t kBehindFrames = 30, kCaughtUpFrames = 8;

class SpectatorVersus final : public SessionPeer, public LiveTape {
 public:
  void Begin(std::unique_ptr<OnlineSession> session) {
    Open(std::move(session));
    next_ = 0;
    matches_ = 0;
    viewerLeft_ = false;
  }

  int LocalSide() const override { return -1; }
  bool Exchange(const VersusSideState&, VersusSideState*) override { return false; }

  bool Follow(VersusSideState (&sides)[2], bool* start) override {
    const bool over = session_->Poll(2) == SessionPhase::Over;
    const WatchedMatches& w = session_->watched;
    // Choices of a match already watched are stale.
    if (w.sides && w.sides->round >= next_) {
      for (int p = 0; p < 2; ++p) sides[p] = {w.sides->cursor[p], w.sides->power[p], w.sides->decided[p] != 0};
    }
    *start = session_->watched.From(next_) != nullptr;
    // What came before the host left is still watched.
    return !viewerLeft_ && (!over || *start);
  }

  std::string Status() const override {
    if (session_->Phase() != SessionPhase::Ready && session_->Phase() != SessionPhase::Over)
      return Tr("観戦：つないでいます");
    return Format(Tr("観戦中：%d 試合目を待っています"), static_cast<int>(next_) + 1);
  }

  void PlayMatch() override {
    WatchedMatch* m = session_->watched.From(next_);
    if (!m) return;
    match_ = m;
    next_ = static_cast<uint16_t>(m->start.round + 1);
    const KeptSettings kept;
    ApplyReplaySetup(SetupOf(m->start));
    m->replay.setup = *DescribeMatch(nullptr, nullptr);
    m->replay.startedAt = m->start.startedAt;
    fast_ = false;
    watchFrom_ = SteadyMs();
    ReplayInput door(m->replay, this);
    RunMatchThrough(nullptr, nullptr, door, MatchEffects::None);
    SetClockRate(1);
    // A match cut by the host's going is told as such; one stopped otherwise, the viewer left.
    if (!m->final && session_->Phase() == SessionPhase::Over)
      LastOnline.stop = OnlineStop::Lost;
    else if (door.Outcome(LastMatch) == ReplayOutcome::Stopped)
      viewerLeft_ = true;
    m->replay.result = LastMatch;
    KeepLastReplay(m->replay);
    kept.PutBack();
    match_ = nullptr;
    session_->watched.Forget(next_);
    LastOnline.played = true;
    LastOnline.bytesIn = session_->BytesIn();
    if (OnlineMatchLimit > 0 && ++matches_ >= OnlineMatchLimit) platform::CloseWindow();
  }

  bool Leave(bool byPlayer) override {
    Part(!byPlayer && !viewerLeft_);
    return false;  // to the main menu
  }

  // The match's tape as it comes.
  bool Await(uint32_t frame, size_t entries) override {
    for (;;) {
      const auto there = [&] { return match_->final || match_->whole > frame || match_->replay.tape.size() > entries; };
      if (there()) return true;
      if (session_->Poll(1) == SessionPhase::Over || QuitRequested) return there();
      PumpMessages();
      WaitTurn(1);
    }
  }
  void Keep() override { session_->Poll(0); }
  bool Behind(uint32_t frame) override {
    const uint32_t latest =
        match_->final ? (match_->replay.tape.empty() ? 0 : match_->replay.tape.back().frame) : match_->whole;
    const uint32_t behind = latest > frame ? latest - frame : 0;
    const bool wasFast = fast_;
    fast_ = fast_ ? behind > kCaughtUpFrames : behind > kBehindFrames;
    if (wasFast && !fast_ && LastOnline.caughtUpMs == 0)
      LastOnline.caughtUpMs = static_cast<uint32_t>(SteadyMs() - watchFrom_);
    return fast_;
  }

 private:
  WatchedMatch* match_ = nullptr;
  uint16_t next_ = 0;
  int matches_ = 0;
  uint64_t watchFrom_ = 0;  // ms: when the match in view began to be watched
  bool viewerLeft_ = false, fast_ = false;
};

SpectatorVersus g_spectator;

}  // namespace

VersusPeer* BeginWatching(std::unique_ptr<OnlineSession> session) {
  g_spectator.Begin(std::move(session));
  return &g_spectator;
}

void EndWatching() { g_spectator.End(); }
