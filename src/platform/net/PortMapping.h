// platform/net: asking the home router to forward a UDP port to this machine (UPnP-IGD,
// through miniupnpc), so that a guest outside can reach a host behind it. The asking runs on
// a thread of its own: finding the router waits up to two seconds and every request to it
// may take seconds more, and the game must not stop meanwhile; the game only reads the
// outcome. The mapping is removed when the object goes; on the way out of the program the
// removals still under way are waited for a little. After a crash nobody removes it: it
// lasts until its lease ends (an hour, on routers that grant leases) or the router restarts.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace platform::net {

enum class MappingState {
  Asking,    // looking for the router, or waiting for its answer
  Mapped,    // the router forwards the port to this machine
  NoRouter,  // no router answered (none, or one without UPnP)
  Refused,   // a router answered but would not forward the port
};

struct MappingOutcome {
  MappingState state = MappingState::Asking;
  uint16_t port = 0;
  std::string publicAddress;  // the router's address outside, when it told it
  std::string localAddress;   // this machine's address as the router sees it, when one answered
  int error = 0;              // Refused: the router's error code (negative: no valid answer)
};

class PortMapping {
 public:
  // Starts asking for the port (UDP, the same number outside and in); returns at once.
  static std::unique_ptr<PortMapping> Ask(uint16_t port);
  // Gives the mapping back (or stops asking) without waiting for the router.
  ~PortMapping();
  MappingOutcome Outcome() const;

  struct Shared;

 private:
  explicit PortMapping(std::shared_ptr<Shared> shared);
  std::shared_ptr<Shared> shared_;
};

}  // namespace platform::net
