// Test support: a UDP relay between a guest and a host on the loopback that loses and
// delays datagrams, standing in for a poor network link. It runs on a thread of its own.
#pragma once
#include <atomic>
#include <cstdint>
#include <thread>

namespace testing_support {

class UdpRelay {
 public:
  // Listens on a free loopback port and forwards to 127.0.0.1:hostPort. Each datagram, in
  // either direction, is dropped with probability dropPercent / 100, else delivered after
  // delayMs (one way).
  UdpRelay(uint16_t hostPort, int dropPercent, int delayMs, uint32_t seed = 1);
  ~UdpRelay();
  uint16_t Port() const { return port_; }
  uint64_t Forwarded() const { return forwarded_; }
  uint64_t Dropped() const { return dropped_; }

 private:
  void Run();

  int guestSide_ = -1, hostSide_ = -1;
  uint16_t port_ = 0, hostPort_;
  int dropPercent_, delayMs_;
  uint32_t seed_;
  std::atomic<bool> stop_{false};
  std::atomic<uint64_t> forwarded_{0}, dropped_{0};
  std::thread thread_;
};

}  // namespace testing_support
