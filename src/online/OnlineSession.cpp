// online: the session's link, greeting and sorting of messages.
#include "online/OnlineSession.h"

#include <chrono>
#include <vector>

#include "actors/BattleState.h"
#include "battle/ReplayFormat.h"
#include "platform/Translate.h"
#include "online/RouterMapping.h"
#include "platform/net/NetLink.h"
#include "platform/net/PortMapping.h"

namespace {

// A peer that floods us with messages of coming matches is not one we play with.
constexpr size_t kMaxMail = 1 << 14;
// How long a goodbye may wait for what is still on its way (resent on a lossy link).
constexpr uint32_t kGoodbyeMs = 1000;

NetHello OurHello(bool watch = false) {
  NetHello h;
  h.watch = watch ? 1 : 0;
  h.rules = kBattleRulesVersion;
  h.gameVersion = BRAMKO_GAME_VERSION;
  return h;
}

bool SameGame(const NetHello& a, const NetHello& b) {
  return a.protocol == b.protocol && a.rules == b.rules && a.gameVersion == b.gameVersion;
}

// A version as the player reads it: two copies of one release may still differ in the
// protocol or the battle rules when built apart, so those are named too.
std::string VersionLabel(const NetHello& h) {
  return Format(Tr("%s・通信 %d・規則 %d"), h.gameVersion.empty() ? "?" : h.gameVersion.c_str(),
                static_cast<int>(h.protocol), static_cast<int>(h.rules));
}

}  // namespace

uint64_t SteadyMs() {
  return static_cast<uint64_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
          .count());
}

OnlineSession::OnlineSession(std::unique_ptr<platform::net::Link> link, Role role)
    : link_(std::move(link)), role_(role), peer_(Hosting() ? 0 : 1) {
  if (Hosting()) seats_ = std::make_unique<SpectatorSeats>(*link_);
}

OnlineSession::~OnlineSession() {
  Leave();
  if (router_) LastRouterOutcome = router_->Outcome();
}

std::unique_ptr<OnlineSession> OnlineSession::Host(uint16_t port, std::string* error) {
  auto link = platform::net::Listen(port, kGreetingLimitMs, error);
  if (!link) return nullptr;
  auto session = std::make_unique<OnlineSession>(std::move(link), Role::Host);
  if (AskRouterWhenHosting) session->router_ = platform::net::PortMapping::Ask(port);
  return session;
}

std::unique_ptr<OnlineSession> OnlineSession::Join(const std::string& host, uint16_t port, std::string* error) {
  auto link = platform::net::Connect(host, port, error);
  return link ? std::make_unique<OnlineSession>(std::move(link), Role::Guest) : nullptr;
}

std::unique_ptr<OnlineSession> OnlineSession::Watch(const std::string& host, uint16_t port, std::string* error) {
  auto link = platform::net::Connect(host, port, error);
  return link ? std::make_unique<OnlineSession>(std::move(link), Role::Spectator) : nullptr;
}

SessionPhase OnlineSession::Poll(uint32_t waitMs) {
  if (phase_ == SessionPhase::Over) return phase_;
  std::vector<platform::net::Datagram> received;
  const platform::net::LinkState state = link_->Service(waitMs, &received);
  const uint64_t now = SteadyMs();
  if (!Hosting() && state == platform::net::LinkState::Connected && phase_ == SessionPhase::Waiting) {
    phase_ = SessionPhase::Greeting;
    heardAt_ = now;
    Send(OurHello(Watching()));
  }
  for (const platform::net::Datagram& d : received) {
    bytesIn_ += d.bytes.size();
    // Anything malformed is dropped unread and does not count as heard.
    const auto m = ReadNetMessage(d.bytes);
    if (!m) continue;
    if (seats_ && seats_->Has(d.from)) {
      seats_->Heard(d.from, *m, now);
    } else if (Hosting() && d.from != peer_) {
      Greet(d.from, *m, now);
    } else if (d.from == peer_) {
      heardAt_ = now;
      Take(*m);
    }
    if (phase_ == SessionPhase::Over) return phase_;
  }
  if (state == platform::net::LinkState::Closed) {
    using platform::net::CloseReason;
    switch (link_->Reason()) {
      case CloseReason::ByPeer:
        End(Watching() ? Tr("ホストがネット対戦を終えました") : Tr("相手が対戦をやめました"));
        break;
      case CloseReason::Busy:
        End(Watching() ? Tr("観戦できる人数がいっぱいです") : Tr("相手はほかの人と対戦中です"));
        break;
      case CloseReason::Behind: End(Tr("観戦の通信が遅れすぎたため、ホストから切り離されました")); break;
      case CloseReason::Local: End(""); break;
      default: End(phase_ == SessionPhase::Ready ? Tr(kLostText) : Tr("相手につながりません")); break;
    }
  } else if (phase_ == SessionPhase::Greeting && now - heardAt_ >= kAnswerLimitMs) {
    End(Tr("相手につながりません"));  // something answers on that port, but not a host of ours
  } else if (phase_ == SessionPhase::Greeting && now - sentAt_ >= kHelloAgainMs) {
    link_->Send(EncodeNetMessage(OurHello(Watching())), false);
    link_->Flush();
    sentAt_ = now;
  } else if (phase_ == SessionPhase::Ready && now - heardAt_ >= kSilenceLimitMs) {
    End(Tr(kLostText));
  } else if (phase_ == SessionPhase::Ready && now - sentAt_ >= kAliveEveryMs) {
    // A spectator's word that it is there says how far it has the match, too.
    if (Watching())
      Send(watched.Progress());
    else
      Send(NetAlive{});
  }
  if (seats_) seats_->Service(now, FramePeriodMs);
  return phase_;
}

void OnlineSession::Greet(uint32_t candidate, const NetMessage& message, uint64_t now) {
  // A candidate's first word must be its greeting; whatever else it says is not heard, and
  // the link drops it when its time to greet is up.
  const auto* hello = std::get_if<NetHello>(&message);
  if (!hello) return;
  // Answered either way: a guest of another version learns ours and says so to its player.
  link_->SendTo(candidate, EncodeNetMessage(OurHello()), SentReliably(OurHello()));
  if (!SameGame(*hello, OurHello())) return link_->Refuse(candidate);
  if (hello->watch) {
    if (!seats_->Seat(candidate, now)) link_->SendAway(candidate, platform::net::kBusyCode);
    return;
  }
  // One guest at a time.
  if (phase_ != SessionPhase::Waiting) return link_->SendAway(candidate, platform::net::kBusyCode);
  link_->Admit(candidate);
  peer_ = candidate;
  heardAt_ = sentAt_ = now;
  phase_ = SessionPhase::Ready;
}

void OnlineSession::Take(const NetMessage& message) {
  if (const auto* hello = std::get_if<NetHello>(&message)) {
    if (phase_ != SessionPhase::Greeting) return;
    const NetHello ours = OurHello();
    if (!SameGame(*hello, ours)) {
      End(Format(Tr("相手のゲームのバージョン（%s）がこちら（%s）と違うため、対戦できません"),
                 VersionLabel(*hello).c_str(), VersionLabel(ours).c_str()));
      return;
    }
    phase_ = SessionPhase::Ready;
    return;
  }
  if (phase_ != SessionPhase::Ready) return;  // nothing counts before the greeting
  if (Watching()) return TakeWatched(message);
  if (const auto* choice = std::get_if<NetChoice>(&message)) {
    if (choice->round == round) theirChoice = *choice;
  } else if (const auto* s = std::get_if<NetStart>(&message)) {
    if (!Hosting() && s->round == round) start = *s;
  } else if (std::holds_alternative<NetAlive>(message)) {
    // heard, nothing more
  } else if (matchMail.size() < kMaxMail && MatchInReach(message)) {
    matchMail.push_back(message);
  }
}

void OnlineSession::TakeWatched(const NetMessage& message) {
  if (const auto* sides = std::get_if<NetSides>(&message)) {
    watched.sides = *sides;
  } else if (const auto* s = std::get_if<NetStart>(&message)) {
    if (!watched.Start(*s)) End(Tr("観戦が遅れすぎたため、観戦をやめました"));
  } else if (const auto* t = std::get_if<NetTape>(&message)) {
    if (!watched.Add(*t)) End(Tr(kLostText));
  }
}

bool OnlineSession::MatchInReach(const NetMessage& message) const {
  const int number = std::visit(
      [](const auto& x) -> int {
        if constexpr (requires { x.round; })
          return x.round;
        else
          return -1;
      },
      message);
  // The match in progress was counted already when its start went or came.
  return number >= 0 && static_cast<uint16_t>(round - static_cast<uint16_t>(number)) <= 1;
}

void OnlineSession::Send(const NetMessage& message) {
  if (phase_ == SessionPhase::Over) return;
  const bool reliable = SentReliably(message);
  link_->Send(EncodeNetMessage(message), reliable);
  sentAt_ = SteadyMs();
  if (!reliable) link_->Flush();  // inputs go at once: each millisecond is latency
}

uint32_t OnlineSession::RoundTripMs() const { return link_->RoundTripMs(); }

void OnlineSession::Leave() {
  if (phase_ == SessionPhase::Over) return;
  link_->Close(kGoodbyeMs);
  phase_ = SessionPhase::Over;
}

void OnlineSession::End(const std::string& message) {
  if (phase_ == SessionPhase::Over) return;
  overMessage_ = message;
  // A lost link has nobody left to hear a goodbye.
  link_->Close(message == Tr(kLostText) ? 0 : kGoodbyeMs);
  phase_ = SessionPhase::Over;
}
