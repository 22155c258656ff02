// Test support: the lossy, delaying UDP relay.
#include "support/UdpRelay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <deque>
#include <random>
#include <string>

namespace testing_support {

namespace {

using Clock = std::chrono::steady_clock;

int Bound(uint16_t port, uint16_t* chosen) {
  int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(port);
  if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return -1;
  socklen_t len = sizeof a;
  getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
  if (chosen) *chosen = ntohs(a.sin_port);
  return fd;
}

struct Pending {
  Clock::time_point due;
  bool toHost;
  std::string bytes;
};

}  // namespace

UdpRelay::UdpRelay(uint16_t hostPort, int dropPercent, int delayMs, uint32_t seed)
    : hostPort_(hostPort), dropPercent_(dropPercent), delayMs_(delayMs), seed_(seed) {
  guestSide_ = Bound(0, &port_);
  hostSide_ = Bound(0, nullptr);
  thread_ = std::thread([this] { Run(); });
}

UdpRelay::~UdpRelay() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (guestSide_ >= 0) close(guestSide_);
  if (hostSide_ >= 0) close(hostSide_);
}

void UdpRelay::Run() {
  std::mt19937 rng(seed_);
  std::uniform_int_distribution<int> percent(0, 99);
  sockaddr_in host{}, guest{};
  host.sin_family = AF_INET;
  host.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  host.sin_port = htons(hostPort_);
  bool knowGuest = false;
  std::deque<Pending> queue;  // due times only grow: one delay for every datagram
  char buffer[65536];
  while (!stop_) {
    pollfd fds[2] = {{guestSide_, POLLIN, 0}, {hostSide_, POLLIN, 0}};
    poll(fds, 2, 1);
    for (int side = 0; side < 2; ++side) {
      if (!(fds[side].revents & POLLIN)) continue;
      sockaddr_in from{};
      socklen_t len = sizeof from;
      const ssize_t n = recvfrom(fds[side].fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &len);
      if (n < 0) continue;
      if (side == 0) {
        guest = from;
        knowGuest = true;
      }
      if (percent(rng) < dropPercent_) {
        ++dropped_;
        continue;
      }
      queue.push_back({Clock::now() + std::chrono::milliseconds(delayMs_), side == 0, std::string(buffer, n)});
    }
    const auto now = Clock::now();
    while (!queue.empty() && queue.front().due <= now) {
      const Pending& p = queue.front();
      if (p.toHost)
        sendto(hostSide_, p.bytes.data(), p.bytes.size(), 0, reinterpret_cast<sockaddr*>(&host), sizeof host);
      else if (knowGuest)
        sendto(guestSide_, p.bytes.data(), p.bytes.size(), 0, reinterpret_cast<sockaddr*>(&guest), sizeof guest);
      ++forwarded_;
      queue.pop_front();
    }
  }
}

}  // namespace testing_support
