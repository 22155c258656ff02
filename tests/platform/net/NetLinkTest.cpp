// The network link on the loopback: a guest joins a host, both ways carry messages, a
// second guest is turned away once the first is admitted, and a goodbye is told from silence.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/net/NetLink.h"
#include "support/UdpRelay.h"

namespace {

using platform::net::CloseReason;
using platform::net::Datagram;
using platform::net::Link;
using platform::net::LinkState;

// Services both ends until done() holds or two seconds pass.
template <typename Done>
bool Pump(Link& a, Link& b, std::vector<Datagram>& ra, std::vector<Datagram>& rb, Done done, int seconds = 2) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    a.Service(1, &ra);
    b.Service(1, &rb);
  }
  return true;
}

uint16_t FreePortNear(uint16_t base, std::unique_ptr<Link>* host) {
  for (uint16_t p = base; p < base + 10; ++p) {
    std::string error;
    *host = platform::net::Listen(p, 2000, &error);
    if (*host) return p;
  }
  return 0;
}

}  // namespace

TEST(NetLink, GuestAndHostExchangeMessagesAndASpectatorIsHeardUntilSentAway) {
  std::unique_ptr<Link> host;
  const uint16_t port = FreePortNear(27780, &host);
  ASSERT_NE(port, 0);
  std::string error;
  auto guest = platform::net::Connect("127.0.0.1", port, &error);
  ASSERT_TRUE(guest) << error;
  std::vector<Datagram> atHost, atGuest;
  ASSERT_TRUE(Pump(*host, *guest, atHost, atGuest,
                   [&] { return host->Candidates() == 1 && guest->State() == LinkState::Connected; }));
  EXPECT_EQ(host->State(), LinkState::Waiting) << "a peer is the guest before it was admitted";

  guest->Send("hello", true);
  guest->Send(std::string("\0\1\2", 3), false);
  ASSERT_TRUE(Pump(*host, *guest, atHost, atGuest, [&] { return atHost.size() == 2; }));
  EXPECT_EQ(atHost[0].bytes, "hello");
  EXPECT_EQ(atHost[1].bytes, std::string("\0\1\2", 3)) << "bytes after a zero were lost";
  host->Admit(atHost[0].from);
  EXPECT_EQ(host->State(), LinkState::Connected);
  host->Send("welcome", true);
  ASSERT_TRUE(Pump(*host, *guest, atHost, atGuest, [&] { return atGuest.size() == 1; }));
  EXPECT_EQ(atGuest[0].bytes, "welcome");

  // A second peer, once there is a guest, may still come to watch.
  auto second = platform::net::Connect("127.0.0.1", port, &error);
  ASSERT_TRUE(second);
  std::vector<Datagram> atSecond;
  ASSERT_TRUE(Pump(*host, *second, atHost, atSecond, [&] { return second->State() == LinkState::Connected; }));
  second->Send("watch", true);
  atHost.clear();
  ASSERT_TRUE(Pump(*host, *second, atHost, atSecond, [&] { return atHost.size() == 1; }));
  const uint32_t spectator = atHost[0].from;
  host->Watch(spectator);
  EXPECT_EQ(host->Watchers(), std::vector<uint32_t>{spectator});
  host->SendTo(spectator, "tape", true);
  second->Send("progress", true);
  ASSERT_TRUE(Pump(*host, *second, atHost, atSecond, [&] { return atSecond.size() == 1 && atHost.size() == 2; }));
  EXPECT_EQ(atSecond[0].bytes, "tape");
  EXPECT_EQ(atHost[1].from, spectator);
  host->SendAway(spectator, platform::net::kBehindCode);
  ASSERT_TRUE(Pump(*host, *second, atHost, atSecond, [&] { return second->State() == LinkState::Closed; }));
  EXPECT_EQ(second->Reason(), CloseReason::Behind);
  EXPECT_TRUE(host->Watchers().empty());
  EXPECT_EQ(host->State(), LinkState::Connected) << "the guest was dropped with the spectator";

  guest->Close(500);
  ASSERT_TRUE(Pump(*host, *guest, atHost, atGuest, [&] { return host->State() == LinkState::Closed; }));
  EXPECT_EQ(host->Reason(), CloseReason::ByPeer);
}

TEST(NetLink, AddressesAndPortsAreReadStrictly) {
  std::string h;
  uint16_t p = 0;
  EXPECT_TRUE(platform::net::ParseHostPort("192.168.1.5", 7777, &h, &p));
  EXPECT_EQ(h, "192.168.1.5");
  EXPECT_EQ(p, 7777);
  EXPECT_TRUE(platform::net::ParseHostPort(" example.org:9000 ", 7777, &h, &p));
  EXPECT_EQ(h, "example.org");
  EXPECT_EQ(p, 9000);
  for (const char* bad : {"", ":7777", "host:", "host:0", "host:65536", "host:12x", "host:-1"})
    EXPECT_FALSE(platform::net::ParseHostPort(bad, 7777, &h, &p)) << bad;
  for (const std::string& a : platform::net::LocalAddresses()) EXPECT_NE(a.rfind("127.", 0), 0u) << a;
}

TEST(NetLink, ReliableMessagesArriveWholeAndInOrderOverALossyDelayedLink) {
  std::unique_ptr<Link> host;
  const uint16_t port = FreePortNear(27790, &host);
  ASSERT_NE(port, 0);
  testing_support::UdpRelay relay(port, 20, 25);
  std::string error;
  auto guest = platform::net::Connect("127.0.0.1", relay.Port(), &error);
  ASSERT_TRUE(guest) << error;
  std::vector<Datagram> atHost, atGuest;
  ASSERT_TRUE(Pump(
      *host, *guest, atHost, atGuest, [&] { return host->Candidates() == 1; }, 10));
  guest->Send("m0", true);
  ASSERT_TRUE(Pump(
      *host, *guest, atHost, atGuest, [&] { return !atHost.empty(); }, 10));
  host->Admit(atHost[0].from);
  for (int i = 1; i < 100; ++i) guest->Send("m" + std::to_string(i), true);
  ASSERT_TRUE(Pump(
      *host, *guest, atHost, atGuest, [&] { return atHost.size() >= 100; }, 20))
      << atHost.size() << " of 100 arrived";
  for (int i = 0; i < 100; ++i) EXPECT_EQ(atHost[i].bytes, "m" + std::to_string(i));
  EXPECT_GT(relay.Dropped(), 0u) << "the relay lost nothing: the test proves no resending";
  EXPECT_GE(guest->RoundTripMs(), 40u) << "the round trip ignores the relay's delay";
}
