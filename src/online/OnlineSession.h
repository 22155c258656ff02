// online: one online versus session: the link to the other machine, the greeting that makes
// sure both run the same battle rules, and the messages sorted out for the versus screen and
// for the match in progress. The host is player 1 (the left side), the guest player 2.
// The guest greets first; the host answers, and takes as its guest the first peer whose
// greeting it can play with. Silence is counted in messages of ours, not in the transport's
// own traffic, so a peer that keeps the connection up but says nothing cannot hold the host.
// A spectator's session greets the host as one come to watch; the host seats it
// (SpectatorSeats) and it hears the matches (WatchedMatches).
#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "online/NetMessage.h"
#include "online/SpectatorSeats.h"
#include "online/WatchedMatches.h"
#include "platform/Translate.h"

namespace platform::net {
class Link;
class PortMapping;
}  // namespace platform::net

// A peer that has not greeted this long after connecting is dropped (the host never shows it).
inline constexpr uint32_t kGreetingLimitMs = 2000;
// A joining side says its greeting again this often, unreliably, until the host's comes: on a
// lossy link ENet resends a lost reliable message late on a new connection (its first round
// trip guessed long), and twice lost would pass the host's limit. The host's own answer, sent
// reliably, may take as long: the joining side waits this long for it.
inline constexpr uint32_t kHelloAgainMs = 250, kAnswerLimitMs = 5000;
// No message from the other side for this long ends the session.
inline constexpr uint32_t kSilenceLimitMs = 5000;
// While online play goes on a wait gives the processor up at most this long at a time, so
// what comes is answered at once (a wait slept through would lengthen the measured round trip).
inline constexpr uint32_t kOnlineTurnMs = 2;
// A side that sent nothing for this long sends an alive message.
inline constexpr uint32_t kAliveEveryMs = 500;

enum class SessionPhase { Waiting, Greeting, Ready, Over };

// Milliseconds of a steady clock (real time, also in the simulator): the link's time.
uint64_t SteadyMs();

class OnlineSession {
 public:
  enum class Role { Host, Guest, Spectator };
  OnlineSession(std::unique_ptr<platform::net::Link> link, Role role);
  ~OnlineSession();

  // Listens on port / connects; null with a Japanese message when that cannot start.
  static std::unique_ptr<OnlineSession> Host(uint16_t port, std::string* error);
  static std::unique_ptr<OnlineSession> Join(const std::string& host, uint16_t port, std::string* error);
  static std::unique_ptr<OnlineSession> Watch(const std::string& host, uint16_t port, std::string* error);

  bool Hosting() const { return role_ == Role::Host; }
  bool Watching() const { return role_ == Role::Spectator; }
  // The host's spectators (null for the others).
  SpectatorSeats* Seats() { return seats_.get(); }
  // The host's port forwarded by the router, while hosting (null when it was not asked);
  // given back when the session ends.
  const platform::net::PortMapping* Router() const { return router_.get(); }
  // 0 the host, 1 the guest, -1 a spectator.
  int LocalSide() const { return role_ == Role::Host ? 0 : role_ == Role::Guest ? 1 : -1; }
  SessionPhase Phase() const { return phase_; }
  // Why the session is over, for the player (empty: this side left).
  const std::string& OverMessage() const { return overMessage_; }

  // Services the link, waiting up to waitMs when nothing is there, and sorts what came.
  SessionPhase Poll(uint32_t waitMs);
  // Reliably or not as its kind goes (SentReliably).
  void Send(const NetMessage& message);
  uint32_t RoundTripMs() const;
  // The bytes of every message that came so far (what a link to a spectator must carry).
  uint64_t BytesIn() const { return bytesIn_; }
  // Leaves: the other side hears a goodbye, not a silence.
  void Leave();
  // Ends the session with a message (the link is closed).
  void End(const std::string& message);

  // The versus screen: the other side's latest choice for the coming match.
  std::optional<NetChoice> theirChoice;
  // The guest: the host's start of the coming match, once it came.
  std::optional<NetStart> start;
  // Matches started so far; messages of a match carry its number.
  uint16_t round = 0;
  // Messages of the match in progress (number round - 1) or the coming one (round), in the
  // order they came; those of any other match are refused.
  std::deque<NetMessage> matchMail;
  // A spectator: the matches as the host tells them.
  WatchedMatches watched;

 private:
  void Greet(uint32_t candidate, const NetMessage& message, uint64_t now);
  void Take(const NetMessage& message);
  void TakeWatched(const NetMessage& message);
  bool MatchInReach(const NetMessage& message) const;

  std::unique_ptr<platform::net::Link> link_;
  std::unique_ptr<platform::net::PortMapping> router_;
  std::unique_ptr<SpectatorSeats> seats_;
  Role role_;
  SessionPhase phase_ = SessionPhase::Waiting;
  std::string overMessage_;
  uint32_t peer_;         // the other side's number on the link (the host's guest: 0 until admitted)
  uint64_t heardAt_ = 0;  // ms: the last message from the other side, or the greeting's start
  uint64_t sentAt_ = 0;   // ms: the last message to it
  uint64_t bytesIn_ = 0;  // every message's bytes that came
};

// The texts the player sees.
// The online dialog's caption, and its message boxes'.
inline constexpr const char* kOnlineCaption = N_("ネット対戦");
inline constexpr const char* kLostText = N_("通信が途切れました");
inline constexpr const char* kDesyncText = N_("同期が取れなくなりました");
