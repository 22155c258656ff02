// platform (net): one connection between two copies of the game over UDP, on ENet.
// The host listens on a port for exactly one guest; the guest connects to it. Messages are
// byte strings: reliable ones arrive once and in order (ENet resends them), unreliable ones
// may be lost and are for data that the next message repeats anyway.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform::net {

constexpr uint16_t kDefaultPort = 7777;

enum class LinkState { Waiting, Connected, Closed };

// Why a link closed, as the other side or the network told it.
enum class CloseReason { None, ByPeer, Busy, TimedOut, Refused, Local };

class Link {
 public:
  virtual ~Link() = default;
  // Services the connection, waiting up to waitMs for something to arrive (0: only what is
  // there now), and appends every message that arrived to *received.
  virtual LinkState Service(uint32_t waitMs, std::vector<std::string>* received) = 0;
  virtual void Send(const std::string& bytes, bool reliable) = 0;
  // Pushes queued messages onto the wire now rather than at the next Service.
  virtual void Flush() = 0;
  // The mean round trip the transport measured, in milliseconds (0 before it knows).
  virtual uint32_t RoundTripMs() const = 0;
  // Milliseconds since anything at all (data or the transport's own pings) came from the peer.
  virtual uint32_t SilentMs() const = 0;
  virtual LinkState State() const = 0;
  virtual CloseReason Reason() const = 0;
  // Says goodbye (the peer sees ByPeer) and waits up to waitMs for the goodbye to be heard.
  virtual void Close(uint32_t waitMs) = 0;
};

// Listens on port (every interface) for one guest; null with a message when the port
// cannot be had.
std::unique_ptr<Link> Listen(uint16_t port, std::string* error);
// Starts to connect to host:port; the link reports Connected or Closed (Refused/TimedOut).
std::unique_ptr<Link> Connect(const std::string& host, uint16_t port, std::string* error);

// This machine's IPv4 addresses other than loopback, for telling a friend where to join.
std::vector<std::string> LocalAddresses();

// "host" or "host:port" into its parts (ENet speaks IPv4: names and dotted addresses); the port defaults to
// defaultPort. False for an empty host or a port outside 1..65535.
bool ParseHostPort(const std::string& text, uint16_t defaultPort, std::string* host, uint16_t* port);

}  // namespace platform::net
