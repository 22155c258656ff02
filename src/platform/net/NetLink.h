// platform/net: one connection between two copies of the game over UDP, on ENet.
// The guest connects to a host. The host listens on a port and hears every peer that connects
// as a candidate until the game admits it, as its guest (the one peer it plays with) or as a
// spectator, or sends it away (by what it said); a candidate not admitted in time is dropped
// unseen. Messages are byte strings: reliable ones arrive once and in order (ENet resends
// them), unreliable ones may be lost and are for data that the next message repeats.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform::net {

constexpr uint16_t kDefaultPort = 7777;
// ENet channels: 0 carries the reliable messages, 1 the unreliable ones.
constexpr size_t kChannels = 2;
// Disconnect data: a goodbye, a host that already has a guest (or all the spectators it
// takes), a host that did not admit the peer (no greeting in time, or one it cannot play
// with), a spectator sent away for falling too far behind. A disconnect without one of these
// is silence: nobody answered, or the peer vanished.
constexpr uint32_t kByeCode = 0xB1E0, kBusyCode = 0xB5B5, kNotAdmittedCode = 0xB0AD, kBehindCode = 0xB7A1;
// The transport's own timeout: a peer whose datagrams stop for this long is gone.
constexpr uint32_t kTransportTimeoutMs = 5000;

enum class LinkState { Waiting, Connected, Closed };

// Why a link closed, as the other side or the network told it.
enum class CloseReason { None, ByPeer, Busy, NotAdmitted, Behind, TimedOut, Local };

// One message and who sent it: the host numbers every peer that connects from 1 on; a guest
// hears only its host, number 1.
struct Datagram {
  uint32_t from = 0;
  std::string bytes;
};

class Link {
 public:
  virtual ~Link() = default;
  // Services the connection, waiting up to waitMs for something to arrive (0: only what is
  // there now), and appends every message that arrived, from the peer or a candidate.
  virtual LinkState Service(uint32_t waitMs, std::vector<Datagram>* received) = 0;
  // To the peer (the host's admitted guest, the guest's host).
  virtual void Send(const std::string& bytes, bool reliable) = 0;
  // The host: to a candidate not yet admitted, or a spectator.
  virtual void SendTo(uint32_t id, const std::string& bytes, bool reliable) = 0;
  // The host: the candidate becomes the peer (the link is Connected).
  virtual void Admit(uint32_t candidate) = 0;
  // The host: the candidate becomes a spectator, heard and sent to until it leaves or is sent away.
  virtual void Watch(uint32_t candidate) = 0;
  // The host: a candidate or spectator is sent away with code, after what was sent to it.
  virtual void SendAway(uint32_t id, uint32_t code) = 0;
  void Refuse(uint32_t candidate) { SendAway(candidate, kNotAdmittedCode); }
  // The host: the spectators still connected.
  virtual std::vector<uint32_t> Watchers() const = 0;
  // Peers connected and not yet admitted or refused (the host).
  virtual size_t Candidates() const = 0;
  // Pushes queued messages onto the wire now rather than at the next Service.
  virtual void Flush() = 0;
  // The mean round trip the transport measured to the peer, in milliseconds (0 before it knows).
  virtual uint32_t RoundTripMs() const = 0;
  virtual LinkState State() const = 0;
  virtual CloseReason Reason() const = 0;
  // Says goodbye (the peer sees ByPeer) and waits up to waitMs for the goodbye to be heard.
  virtual void Close(uint32_t waitMs) = 0;
};

// Listens on port (every interface) for guests; a candidate not admitted within admitWithinMs
// of connecting is dropped. Null with a message when the port cannot be had.
std::unique_ptr<Link> Listen(uint16_t port, uint32_t admitWithinMs, std::string* error);
// Starts to connect to host:port; the link reports Connected or Closed (TimedOut, Busy, ...).
std::unique_ptr<Link> Connect(const std::string& host, uint16_t port, std::string* error);

// This machine's IPv4 addresses other than loopback, for telling a friend where to join.
std::vector<std::string> LocalAddresses();

// "host" or "host:port" into its parts (ENet speaks IPv4: names and dotted addresses); the port defaults to
// defaultPort. False for an empty host or a port outside 1..65535.
bool ParseHostPort(const std::string& text, uint16_t defaultPort, std::string* host, uint16_t* port);

}  // namespace platform::net
