// online: the versus screen's other machine, and the online match.
#include "online/OnlineVersus.h"

#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "actors/Complayer.h"
#include "actors/Tip.h"
#include "screens/Vsmode.h"
#include "battle/Battle.h"
#include "battle/MatchReport.h"
#include "battle/ReplayFiles.h"
#include "battle/ReplayPlayer.h"
#include "battle/ReplayRecorder.h"
#include "field/MapState.h"
#include "online/KeptSettings.h"
#include "online/OnlineSession.h"
#include "online/SessionPeer.h"
#include "online/SpectatorVersus.h"
#include "online/RouterMapping.h"
#include "platform/Dialogs.h"
#include "platform/Translate.h"
#include "platform/Window.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "shell/Random.h"

OnlineReport LastOnline;
std::string LastOnlineEnd;
int ChosenInputDelay = -1;
int OnlineMatchLimit = 0;
uint32_t OnlineDisturbAt = 0;

namespace {

// The versus screen's side of online play. Between matches it is also the wait watcher, so
// the link is serviced on every turn of every wait (the versus screen's key repeat waits
// 40 ms a step): the other side's datagrams are answered at once and the measured round
// trip, which sets the input delay, is the link's and not our own slowness.
// The versus screen as spectators see it: the host is player 1.
NetSides SidesOf(const VersusSideState& host, const VersusSideState& guest) {
  NetSides s;
  const VersusSideState* side[2] = {&host, &guest};
  for (int p = 0; p < 2; ++p) {
    s.cursor[p] = static_cast<uint8_t>(side[p]->cursor);
    s.power[p] = static_cast<uint8_t>(side[p]->power);
    s.decided[p] = side[p]->decided ? 1 : 0;
  }
  return s;
}

class OnlineVersus final : public SessionPeer {
 public:
  void Begin(std::unique_ptr<OnlineSession> session) {
    Open(std::move(session));
    sent_.reset();
    matches_ = 0;
    afterMatch_.clear();
  }

  int LocalSide() const override { return session_->LocalSide(); }

  bool Exchange(const VersusSideState& mine, VersusSideState* theirs) override {
    TellAfterMatch();
    // Waiting here also paces the screen while nobody is there yet (the simulator's clock
    // would otherwise race ahead of the other machine).
    if (session_->Poll(2) == SessionPhase::Over) return false;
    if (session_->Phase() != SessionPhase::Ready) return true;
    NetChoice c;
    c.round = session_->round;
    c.cursor = static_cast<uint8_t>(mine.cursor);
    c.power = static_cast<uint8_t>(mine.power);
    c.decided = mine.decided ? 1 : 0;
    // Each side's own input delay for the coming match; it stays fixed once decided.
    if (!mine.decided) decidedDelay_.reset();
    if (mine.decided && !decidedDelay_) decidedDelay_ = LocalDelay();
    c.delay = static_cast<uint8_t>(decidedDelay_ ? *decidedDelay_ : LocalDelay());
    if (!sent_ || !(*sent_ == c)) {
      session_->Send(c);
      sent_ = c;
    }
    if (const auto& t = session_->theirChoice) {
      theirs->cursor = t->cursor;
      theirs->power = t->power;
      theirs->decided = t->decided != 0;
    }
    if (SpectatorSeats* seats = session_->Seats()) {
      NetSides sides = SidesOf(mine, *theirs);
      sides.round = session_->round;
      seats->Sides(sides);
    }
    return true;
  }

  // The link's state, and the host's router while it hosts.
  std::string Status() const override {
    std::string status = LinkStatus();
    if (const platform::net::PortMapping* router = session_->Router())
      status = Format(Tr("%s　%s"), status.c_str(), RouterStatusText(router->Outcome()).c_str());
    return status;
  }

  std::string LinkStatus() const {
    if (session_->Phase() != SessionPhase::Ready)
      return session_->Hosting() ? Tr("ネット対戦：相手を待っています") : Tr("ネット対戦：つないでいます");
    const int delay = decidedDelay_ ? *decidedDelay_ : LocalDelay();
    return Format(Tr("ネット対戦：入力遅延 %d フレーム（往復 %u ms）"), delay,
                  static_cast<unsigned>(session_->RoundTripMs()));
  }

  void PlayMatch() override {
    NetStart start;
    if (session_->Hosting()) {
      start = HostStart();
      session_->Send(start);
      session_->Seats()->MatchStarted(start);
    } else if (!AwaitStart(&start)) {
      return;  // the next exchange finds the session over
    }
    // The other side's input delay, for keeping the two sides' frames abreast.
    const int theirDelay =
        session_->Hosting() ? (session_->theirChoice ? session_->theirChoice->delay : 0) : start.delay;
    // Choices from now on are for the next match.
    ++session_->round;
    session_->theirChoice.reset();
    sent_.reset();
    const int delay = decidedDelay_ ? *decidedDelay_ : LocalDelay();
    decidedDelay_.reset();
    Play(start, delay, theirDelay);
    // A session that ended in the match is left through the next exchange, with its message.
    if (OnlineMatchLimit > 0 && ++matches_ >= OnlineMatchLimit && session_->Phase() != SessionPhase::Over) {
      TellAfterMatch();  // there is no next exchange
      platform::CloseWindow();
    }
  }

  bool Leave(bool byPlayer) override {
    const bool hosting = session_->Hosting();
    Part(!byPlayer);
    // After a lost link the host stays on the versus screen; whoever left goes to the menu.
    return hosting && !byPlayer;
  }

 private:
  NetStart HostStart() const {
    NetStart s;
    s.round = session_->round;
    s.delay = static_cast<uint8_t>(decidedDelay_ ? *decidedDelay_ : LocalDelay());
    s.seed = RandomState();
    s.chipOwner = static_cast<uint8_t>(ChipOwner());
    s.switchCounter = static_cast<uint32_t>(SwitchState().counter);
    s.switchPattern = static_cast<uint8_t>(SwitchState().pattern & 1);
    s.mapId = static_cast<uint8_t>(CurrentMapId);
    for (int side = 0; side < 2; ++side) {
      s.fangPower[side] = static_cast<uint16_t>(FangPowerByMode[side][mmVersus]);
      s.fangSet[side] = static_cast<uint8_t>(FangSetByMode[side][mmVersus]);
    }
    s.framePeriodMs = static_cast<uint8_t>(FramePeriodMs);
    s.roundSeconds = static_cast<uint16_t>(RoundSeconds);
    s.chipInterval = static_cast<uint16_t>(ChipSpawnInterval);
    s.startedAt = std::time(nullptr);
    return s;
  }

  // The guest: the host's start, or false when the session ended or the player left first.
  bool AwaitStart(NetStart* start) {
    while (!session_->start) {
      if (session_->Poll(2) == SessionPhase::Over) return false;
      if (QuitRequested) return false;
      PumpMessages();
      WaitTurn(1);
    }
    *start = *session_->start;
    session_->start.reset();
    return true;
  }

  // This side's input delay: the player's choice, else from the round trip.
  int LocalDelay() const {
    return ChosenInputDelay >= 0 ? ChosenInputDelay : InputDelayFor(session_->RoundTripMs(), FramePeriodMs);
  }

  void Play(const NetStart& start, int delay, int theirDelay) {
    // Whatever is left of earlier matches is of no use.
    std::erase_if(session_->matchMail, [&](const NetMessage& m) {
      return std::visit(
                 [](const auto& x) -> int {
                   if constexpr (requires { x.round; })
                     return x.round;
                   else
                     return -1;
                 },
                 m) != start.round;
    });
    const KeptSettings kept;
    ApplyReplaySetup(SetupOf(start));
    const std::optional<ReplaySetup> setup = DescribeMatch(nullptr, nullptr);
    OnlineInput door(*session_, delay, theirDelay, start.round, *setup, start.startedAt);
    if (OnlineDisturbAt) door.DisturbFrom(OnlineDisturbAt);
    RunMatchThrough(nullptr, nullptr, door, MatchEffects::None);
    Replay replay = door.Finish(LastMatch);
    if (SpectatorSeats* seats = session_->Seats()) seats->Tape(start.round, replay.tape, kTapeFinal, SteadyMs());
    KeepLastReplay(std::move(replay));
    kept.PutBack();

    LastOnline.played = true;
    LastOnline.stop = door.Stopped();
    LastOnline.delay = door.Delay();
    LastOnline.settles = door.Settles();
    LastOnline.framesHeld = door.FramesHeld();
    LastOnline.rollbacks = door.Rollbacks();
    LastOnline.gaveUp = door.GaveUp();
    LastOnline.frames = door.Frames();
    LastOnline.framesWaited = door.FramesWaited();
    LastOnline.waitedUs = door.WaitedUs();
    if (door.Stopped() == OnlineStop::Desync) afterMatch_.push_back(kDesyncText);
    if (door.GaveUp() >= 0 && door.GaveUp() != session_->LocalSide())
      afterMatch_.push_back(Tr("相手が試合を放棄しました"));
  }

  // How the match ended, told over the versus screen once it is drawn again (the battle's
  // window was emptied when the match gave it back).
  void TellAfterMatch() {
    for (const std::string& text : std::exchange(afterMatch_, {})) Tell(text);
  }

  // A message box over online play: the link is kept alive under it (the box runs the scene
  // timer, and the step that showed it is not entered again), or it would fall silent.
  void Tell(const std::string& text) {
    const SceneStepFn before = SceneStep;
    SetSceneStep(&KeepLink);
    platform::ShowMessage(Tr(kOnlineCaption), text);
    SetSceneStep(before);
  }
  static int KeepLink();

  std::optional<NetChoice> sent_;
  std::optional<int> decidedDelay_;
  int matches_ = 0;
  std::vector<std::string> afterMatch_;
};

OnlineVersus g_online;

int OnlineVersus::KeepLink() {
  if (g_online.session_) g_online.session_->Poll(0);
  return 0;
}

}  // namespace

void StartOnlineVersus(std::unique_ptr<OnlineSession> session, platform::Canvas& canvas) {
  LastOnline = OnlineReport{};
  if (session->Watching()) {
    OnlineVersusPeer = BeginWatching(std::move(session));
  } else {
    g_online.Begin(std::move(session));
    OnlineVersusPeer = &g_online;
  }
  new VSMode(canvas);
}

bool StartOnlineFromCommandLine(OnlineRole role, const std::string& host, uint16_t port, std::string* error) {
  auto session = role == OnlineRole::Host    ? OnlineSession::Host(port, error)
                 : role == OnlineRole::Guest ? OnlineSession::Join(host, port, error)
                                             : OnlineSession::Watch(host, port, error);
  if (!session) return false;
  SetSceneStep(nullptr);
  ClearScreen();  // the title goes, as when the main menu comes
  StartOnlineVersus(std::move(session), *ScreenCanvas);
  return true;
}

void EndOnlineVersus() {
  g_online.End();
  EndWatching();
}

const char* OnlineStopName(OnlineStop stop) {
  switch (stop) {
    case OnlineStop::None: return "none";
    case OnlineStop::Lost: return "lost";
    case OnlineStop::Desync: return "desync";
    case OnlineStop::TheyLeft: return "theyLeft";
    case OnlineStop::WeLeft: return "weLeft";
  }
  return "none";
}
