// platform (net): the ENet connection behind Link, and the address helpers.
#include "platform/net/NetLink.h"

#include <enet/enet.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <arpa/inet.h>

#include <cstdlib>

namespace platform::net {

namespace {

constexpr size_t kChannels = 2;  // 0: reliable, 1: unreliable
constexpr uint32_t kTimeoutMs = 5000;
// Disconnect data: a second guest is told the host already has one; a goodbye is told from
// a timeout by its own code, since the transport reports both as a plain disconnect.
constexpr uint32_t kBusyCode = 0xB5B5, kByeCode = 0xB1E0;

bool InitEnet() {
  static const bool ok = [] {
    if (enet_initialize() != 0) return false;
    std::atexit(enet_deinitialize);
    return true;
  }();
  return ok;
}

class EnetLink : public Link {
 public:
  EnetLink(ENetHost* host, ENetPeer* peer, bool hosting) : host_(host), peer_(peer), hosting_(hosting) {
    if (peer_) enet_peer_timeout(peer_, 0, kTimeoutMs, kTimeoutMs);
  }
  ~EnetLink() override {
    if (peer_) enet_peer_reset(peer_);
    if (host_) enet_host_destroy(host_);
  }

  LinkState Service(uint32_t waitMs, std::vector<std::string>* received) override {
    if (state_ == LinkState::Closed) return state_;
    ENetEvent e;
    // Take everything pending; wait only while nothing came at all.
    int r = enet_host_service(host_, &e, waitMs);
    while (r > 0) {
      Handle(e, received);
      r = enet_host_service(host_, &e, 0);
    }
    if (r < 0) Drop(CloseReason::TimedOut);
    return state_;
  }

  void Send(const std::string& bytes, bool reliable) override {
    if (state_ != LinkState::Connected) return;
    ENetPacket* p = enet_packet_create(bytes.data(), bytes.size(), reliable ? ENET_PACKET_FLAG_RELIABLE : 0);
    if (p && enet_peer_send(peer_, reliable ? 0 : 1, p) != 0) enet_packet_destroy(p);
  }

  void Flush() override {
    if (host_) enet_host_flush(host_);
  }

  uint32_t RoundTripMs() const override { return state_ == LinkState::Connected ? peer_->roundTripTime : 0; }

  uint32_t SilentMs() const override {
    if (!peer_ || state_ != LinkState::Connected) return 0;
    // The transport leaves its receive time at 0 until its first datagram after the
    // handshake; counting from there would read as weeks of silence.
    const enet_uint32 last = peer_->lastReceiveTime > connectedAt_ ? peer_->lastReceiveTime : connectedAt_;
    const int32_t silent = static_cast<int32_t>(enet_time_get() - last);
    return silent > 0 ? static_cast<uint32_t>(silent) : 0;
  }

  LinkState State() const override { return state_; }
  CloseReason Reason() const override { return reason_; }

  void Close(uint32_t waitMs) override {
    if (state_ == LinkState::Connected) {
      // After whatever is still queued: the last message before a goodbye must arrive too.
      enet_peer_disconnect_later(peer_, kByeCode);
      ENetEvent e;
      const enet_uint32 until = enet_time_get() + waitMs;
      while (state_ == LinkState::Connected) {
        const enet_uint32 now = enet_time_get();
        if (static_cast<int32_t>(until - now) <= 0) break;
        if (enet_host_service(host_, &e, until - now) <= 0) break;
        if (e.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(e.packet);
        if (e.type == ENET_EVENT_TYPE_DISCONNECT && e.peer == peer_) break;
      }
    }
    Drop(CloseReason::Local);
  }

 private:
  void Handle(const ENetEvent& e, std::vector<std::string>* received) {
    switch (e.type) {
      case ENET_EVENT_TYPE_CONNECT:
        if (hosting_ && peer_ && e.peer != peer_) {
          enet_peer_disconnect(e.peer, kBusyCode);  // one guest at a time
          break;
        }
        peer_ = e.peer;
        enet_peer_timeout(peer_, 0, kTimeoutMs, kTimeoutMs);
        state_ = LinkState::Connected;
        connectedAt_ = enet_time_get();
        break;
      case ENET_EVENT_TYPE_RECEIVE:
        if (e.peer == peer_ && received)
          received->emplace_back(reinterpret_cast<const char*>(e.packet->data), e.packet->dataLength);
        enet_packet_destroy(e.packet);
        break;
      case ENET_EVENT_TYPE_DISCONNECT:
        if (e.peer != peer_) break;  // a refused second guest
        // A busy host accepts the connection, then drops it with its code; anything without
        // a code is silence (nobody answered, or the peer vanished).
        Drop(e.data == kBusyCode ? CloseReason::Busy : e.data == kByeCode ? CloseReason::ByPeer : CloseReason::TimedOut);
        break;
      default: break;
    }
  }

  void Drop(CloseReason why) {
    if (state_ == LinkState::Closed) return;
    state_ = LinkState::Closed;
    reason_ = why;
  }

  ENetHost* host_;
  ENetPeer* peer_;
  bool hosting_;
  LinkState state_ = LinkState::Waiting;
  CloseReason reason_ = CloseReason::None;
  enet_uint32 connectedAt_ = 0;
};

}  // namespace

std::unique_ptr<Link> Listen(uint16_t port, std::string* error) {
  if (!InitEnet()) {
    if (error) *error = "ネットワークを使えません";
    return nullptr;
  }
  ENetAddress address{};
  address.host = ENET_HOST_ANY;
  address.port = port;
  // Room for a second guest only so that it can be told the host is busy.
  ENetHost* host = enet_host_create(&address, 2, kChannels, 0, 0);
  if (!host) {
    if (error) *error = "ポート " + std::to_string(port) + " を開けません（ほかのプログラムが使っていませんか）";
    return nullptr;
  }
  return std::make_unique<EnetLink>(host, nullptr, true);
}

std::unique_ptr<Link> Connect(const std::string& hostName, uint16_t port, std::string* error) {
  if (!InitEnet()) {
    if (error) *error = "ネットワークを使えません";
    return nullptr;
  }
  ENetAddress address{};
  address.port = port;
  if (enet_address_set_host(&address, hostName.c_str()) != 0) {
    if (error) *error = "相手のアドレス「" + hostName + "」が見つかりません";
    return nullptr;
  }
  ENetHost* host = enet_host_create(nullptr, 1, kChannels, 0, 0);
  if (!host) {
    if (error) *error = "ネットワークを使えません";
    return nullptr;
  }
  ENetPeer* peer = enet_host_connect(host, &address, kChannels, 0);
  if (!peer) {
    enet_host_destroy(host);
    if (error) *error = "ネットワークを使えません";
    return nullptr;
  }
  return std::make_unique<EnetLink>(host, peer, false);
}

std::vector<std::string> LocalAddresses() {
  std::vector<std::string> out;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return out;
  for (ifaddrs* a = list; a; a = a->ifa_next) {
    if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET) continue;
    const auto* in = reinterpret_cast<const sockaddr_in*>(a->ifa_addr);
    if ((ntohl(in->sin_addr.s_addr) >> 24) == 127) continue;
    char text[INET_ADDRSTRLEN];
    if (inet_ntop(AF_INET, &in->sin_addr, text, sizeof text)) out.emplace_back(text);
  }
  freeifaddrs(list);
  return out;
}

bool ParseHostPort(const std::string& input, uint16_t defaultPort, std::string* host, uint16_t* port) {
  const size_t first = input.find_first_not_of(' '), last = input.find_last_not_of(' ');
  const std::string text = first == std::string::npos ? "" : input.substr(first, last - first + 1);
  std::string h = text;
  long p = defaultPort;
  const size_t colon = text.rfind(':');
  if (colon != std::string::npos) {
    h = text.substr(0, colon);
    const std::string digits = text.substr(colon + 1);
    if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
      return false;
    p = std::strtol(digits.c_str(), nullptr, 10);
  }
  if (h.empty() || p < 1 || p > 65535) return false;
  *host = h;
  *port = static_cast<uint16_t>(p);
  return true;
}

}  // namespace platform::net
