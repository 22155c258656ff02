// online: the session's link, greeting and sorting of messages.
#include "online/OnlineSession.h"

#include <vector>

#include "battle/ReplayFormat.h"
#include "platform/net/NetLink.h"

namespace {

// A peer that floods us with messages of coming matches is not one we play with.
constexpr size_t kMaxMail = 1 << 14;
// How long a goodbye may wait for what is still on its way (resent on a lossy link).
constexpr uint32_t kGoodbyeMs = 1000;

NetHello OurHello() {
  NetHello h;
  h.rules = kBattleRulesVersion;
  h.gameVersion = BRAMKO_GAME_VERSION;
  return h;
}

}  // namespace

OnlineSession::OnlineSession(std::unique_ptr<platform::net::Link> link, bool hosting)
    : link_(std::move(link)), hosting_(hosting) {}

OnlineSession::~OnlineSession() { Leave(); }

std::unique_ptr<OnlineSession> OnlineSession::Host(uint16_t port, std::string* error) {
  auto link = platform::net::Listen(port, error);
  return link ? std::make_unique<OnlineSession>(std::move(link), true) : nullptr;
}

std::unique_ptr<OnlineSession> OnlineSession::Join(const std::string& host, uint16_t port, std::string* error) {
  auto link = platform::net::Connect(host, port, error);
  return link ? std::make_unique<OnlineSession>(std::move(link), false) : nullptr;
}

SessionPhase OnlineSession::Poll(uint32_t waitMs) {
  if (phase_ == SessionPhase::Over) return phase_;
  std::vector<std::string> received;
  const platform::net::LinkState state = link_->Service(waitMs, &received);
  if (state == platform::net::LinkState::Connected && phase_ == SessionPhase::Waiting) {
    phase_ = SessionPhase::Greeting;
    Send(OurHello(), true);
  }
  for (const std::string& bytes : received) {
    // Anything malformed is dropped unread; a peer that sends only that falls silent.
    if (const auto m = ReadNetMessage(bytes)) Take(*m);
    if (phase_ == SessionPhase::Over) return phase_;
  }
  if (state == platform::net::LinkState::Closed) {
    using platform::net::CloseReason;
    switch (link_->Reason()) {
      case CloseReason::ByPeer: End("相手が対戦をやめました"); break;
      case CloseReason::Busy: End("相手はほかの人と対戦中です"); break;
      case CloseReason::Local: End(""); break;
      default: End(phase_ == SessionPhase::Waiting && !hosting_ ? "相手につながりません" : kLostText); break;
    }
  } else if (state == platform::net::LinkState::Connected && link_->SilentMs() >= kSilenceLimitMs) {
    End(kLostText);
  }
  return phase_;
}

void OnlineSession::Take(const NetMessage& message) {
  if (const auto* hello = std::get_if<NetHello>(&message)) {
    const NetHello ours = OurHello();
    if (hello->protocol != ours.protocol || hello->rules != ours.rules || hello->gameVersion != ours.gameVersion) {
      End("相手のゲームのバージョン（" + hello->gameVersion + "）がこちら（" + ours.gameVersion +
          "）と違うため、対戦できません");
      return;
    }
    if (phase_ == SessionPhase::Greeting) phase_ = SessionPhase::Ready;
    return;
  }
  if (phase_ != SessionPhase::Ready) return;  // nothing counts before the greeting
  if (const auto* choice = std::get_if<NetChoice>(&message)) {
    if (choice->round == round) theirChoice = *choice;
  } else if (const auto* s = std::get_if<NetStart>(&message)) {
    if (!hosting_ && s->round == round) start = *s;
  } else if (matchMail.size() < kMaxMail) {
    matchMail.push_back(message);
  }
}

void OnlineSession::Send(const NetMessage& message, bool reliable) {
  if (phase_ == SessionPhase::Over) return;
  link_->Send(EncodeNetMessage(message), reliable);
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
  link_->Close(message == kLostText ? 0 : kGoodbyeMs);
  phase_ = SessionPhase::Over;
}
