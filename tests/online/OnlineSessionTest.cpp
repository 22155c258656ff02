// The online session's greeting and silences. On the loopback: a peer that connects and keeps
// its link up but never greets is dropped unseen and cannot keep the real guest out, and one
// that greets and then says nothing ends online play. Over a scripted link: a flood of
// messages outside their windows is not kept, a copy of another build is named as such, and
// a spectator that stays too far behind is sent away while one catching up is not.
#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "online/OnlineInput.h"
#include "online/OnlineSession.h"
#include "online/SpectatorSeats.h"
#include "platform/net/NetLink.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using platform::net::CloseReason;
using platform::net::Datagram;
using platform::net::Link;
using platform::net::LinkState;

// A link whose datagrams the test hands over, one batch a Service; all from peer number 1.
class ScriptedLink final : public Link {
 public:
  explicit ScriptedLink(LinkState start) : state_(start) {}
  std::deque<std::vector<std::string>> batches;
  std::vector<std::string> sent;

  LinkState Service(uint32_t, std::vector<Datagram>* received) override {
    if (!batches.empty()) {
      for (std::string& b : batches.front()) received->push_back({1, std::move(b)});
      batches.pop_front();
    }
    return state_;
  }
  void Send(const std::string& bytes, bool) override { sent.push_back(bytes); }
  void SendTo(uint32_t, const std::string& bytes, bool) override { sent.push_back(bytes); }
  void Admit(uint32_t) override { state_ = LinkState::Connected; }
  std::vector<uint32_t> watchers;
  std::vector<std::pair<uint32_t, uint32_t>> sentAway;  // peer, code
  void Watch(uint32_t peer) override { watchers.push_back(peer); }
  void SendAway(uint32_t peer, uint32_t code) override {
    sentAway.emplace_back(peer, code);
    std::erase(watchers, peer);
  }
  std::vector<uint32_t> Watchers() const override { return watchers; }
  size_t Candidates() const override { return 0; }
  void Flush() override {}
  uint32_t RoundTripMs() const override { return 0; }
  LinkState State() const override { return state_; }
  CloseReason Reason() const override { return CloseReason::None; }
  void Close(uint32_t) override { state_ = LinkState::Closed; }

 private:
  LinkState state_;
};

// The greeting this build sends, as a guest sends it on connecting.
NetHello OurHello() {
  auto link = std::make_unique<ScriptedLink>(LinkState::Connected);
  ScriptedLink& l = *link;
  OnlineSession guest(std::move(link), OnlineSession::Role::Guest);
  guest.Poll(0);
  const auto hello = l.sent.empty() ? std::nullopt : ReadNetMessage(l.sent[0]);
  return hello && std::holds_alternative<NetHello>(*hello) ? std::get<NetHello>(*hello) : NetHello{};
}

// Calls step until done() holds or limit passes.
template <typename Step, typename Done>
bool PumpUntil(Step step, Done done, std::chrono::milliseconds limit) {
  const auto until = Clock::now() + limit;
  while (!done()) {
    if (Clock::now() > until) return false;
    step();
  }
  return true;
}

// A host on the first free port from base on (suites of other builds may run side by side).
std::unique_ptr<OnlineSession> HostNear(uint16_t base, uint16_t* port) {
  for (*port = base; *port < base + 8; ++*port) {
    std::string error;
    if (auto host = OnlineSession::Host(*port, &error)) return host;
  }
  return nullptr;
}

TEST(OnlineSession, AStrangerThatNeverGreetsIsDroppedUnseenAndCannotKeepTheGuestOut) {
  uint16_t port = 0;
  auto host = HostNear(27760, &port);
  ASSERT_TRUE(host);
  std::string error;
  std::vector<Datagram> heard;
  // Connects and keeps its link serviced (the transport acknowledges), but says nothing.
  auto stranger = platform::net::Connect("127.0.0.1", port, &error);
  ASSERT_TRUE(stranger) << error;
  const auto t0 = Clock::now();
  PumpUntil([&] { host->Poll(1), stranger->Service(1, &heard); },
            [&] { return stranger->State() == LinkState::Closed; }, 4s);
  EXPECT_EQ(stranger->State(), LinkState::Closed) << "a peer that never greeted kept its place";
  EXPECT_EQ(stranger->Reason(), CloseReason::NotAdmitted);
  EXPECT_GE(Clock::now() - t0, 1500ms) << "a peer had less than its time to greet";
  EXPECT_EQ(host->Phase(), SessionPhase::Waiting) << host->OverMessage();

  // Another stranger is connected when the guest comes: the guest is taken, the stranger is
  // dropped when its time to greet is up (it might have come to watch).
  auto second = platform::net::Connect("127.0.0.1", port, &error);
  ASSERT_TRUE(second) << error;
  ASSERT_TRUE(PumpUntil([&] { host->Poll(1), second->Service(1, &heard); },
                        [&] { return second->State() == LinkState::Connected; }, 1s));
  auto guest = OnlineSession::Join("127.0.0.1", port, &error);
  ASSERT_TRUE(guest) << error;
  auto both = [&] { host->Poll(1), guest->Poll(1), second->Service(1, &heard); };
  ASSERT_TRUE(PumpUntil(
      both, [&] { return host->Phase() == SessionPhase::Ready && guest->Phase() == SessionPhase::Ready; }, 1s))
      << "host " << static_cast<int>(host->Phase()) << " guest " << static_cast<int>(guest->Phase()) << " "
      << guest->OverMessage();
  ASSERT_TRUE(PumpUntil(
      both, [&] { return second->State() == LinkState::Closed; }, 3s));
  EXPECT_EQ(second->Reason(), CloseReason::NotAdmitted);

  // Longer than the silence limit with nothing to say: both keep in touch on their own.
  PumpUntil(
      both, [] { return false; }, std::chrono::milliseconds(kSilenceLimitMs + 1500));
  EXPECT_EQ(host->Phase(), SessionPhase::Ready) << host->OverMessage();
  EXPECT_EQ(guest->Phase(), SessionPhase::Ready) << guest->OverMessage();
}

TEST(OnlineSession, AGuestThatGreetsAndThenSaysNothingEndsOnlinePlayWithinSeconds) {
  uint16_t port = 0;
  auto host = HostNear(27768, &port);
  ASSERT_TRUE(host);
  std::string error;
  auto mute = platform::net::Connect("127.0.0.1", port, &error);
  ASSERT_TRUE(mute) << error;
  std::vector<Datagram> heard;
  auto step = [&] { host->Poll(1), mute->Service(1, &heard); };
  ASSERT_TRUE(PumpUntil(
      step, [&] { return mute->State() == LinkState::Connected; }, 1s));
  mute->Send(EncodeNetMessage(OurHello()), true);
  ASSERT_TRUE(PumpUntil(
      step, [&] { return host->Phase() == SessionPhase::Ready; }, 1s));
  const auto greeted = Clock::now();
  PumpUntil(
      step, [&] { return host->Phase() == SessionPhase::Over; }, 10s);
  EXPECT_EQ(host->Phase(), SessionPhase::Over) << "a guest that keeps only the transport alive holds the host";
  EXPECT_EQ(host->OverMessage(), kLostText);
  EXPECT_GE(Clock::now() - greeted, std::chrono::milliseconds(kSilenceLimitMs - 500));
  EXPECT_LT(Clock::now() - greeted, 8s);
}

TEST(OnlineSession, AFloodOfMessagesOutsideTheirWindowsIsNotKept) {
  auto owned = std::make_unique<ScriptedLink>(LinkState::Waiting);
  ScriptedLink& link = *owned;
  OnlineSession host(std::move(owned), OnlineSession::Role::Host);
  link.batches.push_back({EncodeNetMessage(OurHello())});
  ASSERT_EQ(host.Poll(0), SessionPhase::Ready);
  OnlineInput door(host, 2, 0, 0, ReplaySetup{}, 0);
  // Checksums of distinct seconds and the guest's asks for distinct waits, far more than any
  // match has; a thousand a service, as a flood would come.
  constexpr uint32_t kFlood = 200000;
  for (uint32_t i = 1; i <= kFlood; i += 1000) {
    std::vector<std::string> batch;
    for (uint32_t n = i; n < i + 1000; n += 2) {
      batch.push_back(EncodeNetMessage(NetChecksum{0, n, n * 7}));
      batch.push_back(EncodeNetMessage(NetWait{0, n + 1, 0, 0, 100}));
    }
    link.batches.push_back(std::move(batch));
    door.Turn();
  }
  EXPECT_EQ(door.Stopped(), OnlineStop::None);
  EXPECT_TRUE(link.batches.empty());
  // Those within the windows are kept (the windows work at all), nothing beyond them.
  EXPECT_GT(door.KeptMessages(), 0u);
  EXPECT_LE(door.KeptMessages(), 2 * (kChecksumWindow + 1) + 2 * (kWaitsAhead + 1))
      << "the host keeps what a flood sends";
}

TEST(OnlineSession, ACopyOfAnotherBuildIsNamedWithBothBuilds) {
  auto owned = std::make_unique<ScriptedLink>(LinkState::Connected);
  ScriptedLink& link = *owned;
  OnlineSession guest(std::move(owned), OnlineSession::Role::Guest);
  NetHello theirs = OurHello();
  ASSERT_FALSE(theirs.gameVersion.empty());
  ++theirs.protocol;  // the same release number, built with another protocol
  link.batches.push_back({EncodeNetMessage(theirs)});
  EXPECT_EQ(guest.Poll(0), SessionPhase::Over);
  const std::string& text = guest.OverMessage();
  // The two parts in brackets: theirs, then ours.
  const std::string open = "（", close = "）";
  const size_t a = text.find(open), b = text.find(close, a), c = text.find(open, b), d = text.find(close, c);
  ASSERT_NE(d, std::string::npos) << text;
  const std::string them = text.substr(a + open.size(), b - a - open.size());
  const std::string us = text.substr(c + open.size(), d - c - open.size());
  EXPECT_NE(them, us) << text;
  EXPECT_NE(them.find("通信 " + std::to_string(theirs.protocol)), std::string::npos) << text;
  EXPECT_NE(us.find("通信 " + std::to_string(theirs.protocol - 1)), std::string::npos) << text;
  EXPECT_NE(us.find(theirs.gameVersion), std::string::npos) << text;
}

}  // namespace

TEST(SpectatorSeats, OneThatStaysTooFarBehindIsSentAwayAndOneCatchingUpIsNot) {
  ScriptedLink link(LinkState::Connected);
  SpectatorSeats seats(link);
  NetStart start;
  start.round = 1;
  seats.MatchStarted(start);
  constexpr int kPeriod = 15;
  constexpr uint32_t kStuck = 7, kLate = 8;
  ASSERT_TRUE(seats.Seat(kStuck, 0));
  uint32_t lateWhole = 0;
  uint64_t stuckGoneAt = 0;
  // Virtual time: the match confirms a frame every 15 ms; the stuck spectator never gets past
  // frame 0; the late one comes 12 s in and catches up at four times the pace.
  for (uint64_t now = kPeriod; now <= 22000; now += kPeriod) {
    const uint32_t whole = static_cast<uint32_t>(now / kPeriod);
    if (now == 12000) {
      ASSERT_TRUE(seats.Seat(kLate, now));
    }
    if (now > 12000) lateWhole = std::min(whole, lateWhole + 4);
    seats.Tape(1, {}, whole, now);
    if (now % 300 == 0) {
      seats.Heard(kStuck, NetWatching{1, 0}, now);
      if (now > 12000) seats.Heard(kLate, NetWatching{1, lateWhole}, now);
    }
    seats.Service(now, kPeriod);
    if (!stuckGoneAt && !seats.Has(kStuck)) stuckGoneAt = now;
  }
  // More than 10 s behind from 10 s on, for 5 s in a row.
  EXPECT_GE(stuckGoneAt, 15000u);
  EXPECT_LE(stuckGoneAt, 15400u);
  ASSERT_EQ(link.sentAway.size(), 1u);
  EXPECT_EQ(link.sentAway[0], std::make_pair(kStuck, platform::net::kBehindCode));
  EXPECT_TRUE(seats.Has(kLate)) << "a spectator catching up was sent away";
}
