// platform/net: the ENet connection behind Link, and the address helpers.
#include "platform/net/NetLink.h"
#include "platform/Translate.h"

#include <enet/enet.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <arpa/inet.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace platform::net {

namespace {

// Peer slots of a host: its guest, its spectators, and candidates or peers being sent away.
constexpr size_t kHostSlots = 24;

bool InitEnet() {
  static const bool ok = [] {
    if (enet_initialize() != 0) return false;
    std::atexit(enet_deinitialize);
    return true;
  }();
  return ok;
}

// The peer's number, kept in the transport's own slot for it.
uint32_t IdOf(const ENetPeer* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p->data)); }
void SetId(ENetPeer* p, uint32_t id) { p->data = reinterpret_cast<void*>(static_cast<uintptr_t>(id)); }

class EnetLink : public Link {
 public:
  // A guest's link: peer is the host being connected to. A host's: peer is null, and
  // candidates have admitWithinMs to be admitted.
  EnetLink(ENetHost* host, ENetPeer* peer, uint32_t admitWithinMs)
      : host_(host), peer_(peer), hosting_(!peer), admitWithinMs_(admitWithinMs) {
    if (peer_) {
      enet_peer_timeout(peer_, 0, kTransportTimeoutMs, kTransportTimeoutMs);
      SetId(peer_, 1);
    }
  }
  ~EnetLink() override {
    if (peer_) enet_peer_reset(peer_);
    if (host_) enet_host_destroy(host_);
  }

  LinkState Service(uint32_t waitMs, std::vector<Datagram>* received) override {
    if (state_ == LinkState::Closed) return state_;
    ENetEvent e;
    // Take everything pending; wait only while nothing came at all.
    int r = enet_host_service(host_, &e, waitMs);
    while (r > 0) {
      Handle(e, received);
      r = enet_host_service(host_, &e, 0);
    }
    if (r < 0) Drop(CloseReason::TimedOut);
    DropLateCandidates();
    return state_;
  }

  void Send(const std::string& bytes, bool reliable) override {
    if (state_ == LinkState::Connected) SendOn(peer_, bytes, reliable);
  }

  void SendTo(uint32_t id, const std::string& bytes, bool reliable) override {
    if (ENetPeer* p = Candidate(id) ? Candidate(id) : Watcher(id)) SendOn(p, bytes, reliable);
  }

  void Admit(uint32_t candidate) override {
    ENetPeer* p = Candidate(candidate);
    if (!p || state_ != LinkState::Waiting) return;
    peer_ = p;
    state_ = LinkState::Connected;
    std::erase_if(candidates_, [&](const Waiting& c) { return c.peer == p; });
  }

  void Watch(uint32_t candidate) override {
    if (ENetPeer* p = Candidate(candidate)) {
      watchers_.push_back(p);
      std::erase_if(candidates_, [&](const Waiting& c) { return c.peer == p; });
    }
  }

  void SendAway(uint32_t id, uint32_t code) override {
    ENetPeer* p = Candidate(id) ? Candidate(id) : Watcher(id);
    if (!p) return;
    // After whatever is queued for it: the reason it was sent away must arrive first.
    enet_peer_disconnect_later(p, code);
    Forget(p);
  }

  std::vector<uint32_t> Watchers() const override {
    std::vector<uint32_t> ids;
    for (const ENetPeer* p : watchers_) ids.push_back(IdOf(p));
    return ids;
  }

  size_t Candidates() const override { return candidates_.size(); }

  void Flush() override {
    if (host_) enet_host_flush(host_);
  }

  uint32_t RoundTripMs() const override { return state_ == LinkState::Connected ? peer_->roundTripTime : 0; }

  LinkState State() const override { return state_; }
  CloseReason Reason() const override { return reason_; }

  void Close(uint32_t waitMs) override {
    for (const Waiting& c : candidates_) enet_peer_disconnect_now(c.peer, kByeCode);
    candidates_.clear();
    // The peer and the spectators hear the goodbye after whatever is still queued for them:
    // the last message before a goodbye must arrive too (a spectator's, the end of a match).
    std::vector<ENetPeer*> leaving = std::move(watchers_);
    watchers_.clear();
    if (state_ == LinkState::Connected) leaving.push_back(peer_);
    for (ENetPeer* p : leaving) enet_peer_disconnect_later(p, kByeCode);
    ENetEvent e;
    const enet_uint32 until = enet_time_get() + waitMs;
    while (!leaving.empty()) {
      const enet_uint32 now = enet_time_get();
      if (static_cast<int32_t>(until - now) <= 0) break;
      if (enet_host_service(host_, &e, until - now) <= 0) break;
      if (e.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(e.packet);
      if (e.type == ENET_EVENT_TYPE_DISCONNECT) std::erase(leaving, e.peer);
    }
    Drop(CloseReason::Local);
  }

 private:
  struct Waiting {
    ENetPeer* peer;
    enet_uint32 since;
  };

  static void SendOn(ENetPeer* p, const std::string& bytes, bool reliable) {
    ENetPacket* packet = enet_packet_create(bytes.data(), bytes.size(), reliable ? ENET_PACKET_FLAG_RELIABLE : 0);
    if (packet && enet_peer_send(p, reliable ? 0 : 1, packet) != 0) enet_packet_destroy(packet);
  }

  ENetPeer* Candidate(uint32_t id) const {
    for (const Waiting& c : candidates_)
      if (IdOf(c.peer) == id) return c.peer;
    return nullptr;
  }
  ENetPeer* Watcher(uint32_t id) const {
    for (ENetPeer* p : watchers_)
      if (IdOf(p) == id) return p;
    return nullptr;
  }
  bool Heard(const ENetPeer* p) const {
    if (p == peer_ || std::find(watchers_.begin(), watchers_.end(), p) != watchers_.end()) return true;
    for (const Waiting& c : candidates_)
      if (c.peer == p) return true;
    return false;
  }
  void Forget(const ENetPeer* p) {
    std::erase_if(candidates_, [&](const Waiting& c) { return c.peer == p; });
    std::erase(watchers_, p);
  }

  void DropLateCandidates() {
    const enet_uint32 now = enet_time_get();
    std::erase_if(candidates_, [&](const Waiting& c) {
      if (now - c.since < admitWithinMs_) return false;
      // At once: a stranger that never answers must not keep the slot while it times out.
      enet_peer_disconnect_now(c.peer, kNotAdmittedCode);
      SetId(c.peer, 0);
      return true;
    });
  }

  void Handle(const ENetEvent& e, std::vector<Datagram>* received) {
    switch (e.type) {
      case ENET_EVENT_TYPE_CONNECT:
        // Unreliable messages each repeat what the ones before carried: ENet's throttle, which
        // drops some of them while the round trip varies, would make one loss a gap of many.
        enet_peer_throttle_configure(e.peer, ENET_PEER_PACKET_THROTTLE_INTERVAL, 0, 0);
        if (!hosting_) {
          if (e.peer == peer_) state_ = LinkState::Connected;
          break;
        }
        enet_peer_timeout(e.peer, 0, kTransportTimeoutMs, kTransportTimeoutMs);
        SetId(e.peer, ++lastId_);
        // Also once there is a guest: a spectator may come at any time.
        candidates_.push_back({e.peer, enet_time_get()});
        break;
      case ENET_EVENT_TYPE_RECEIVE:
        if (received && Heard(e.peer))
          received->push_back(
              {IdOf(e.peer), std::string(reinterpret_cast<const char*>(e.packet->data), e.packet->dataLength)});
        enet_packet_destroy(e.packet);
        break;
      case ENET_EVENT_TYPE_DISCONNECT:
        if (e.peer != peer_) {  // a candidate or spectator that left, or a peer sent away
          Forget(e.peer);
          break;
        }
        Drop(e.data == kBusyCode          ? CloseReason::Busy
             : e.data == kByeCode         ? CloseReason::ByPeer
             : e.data == kNotAdmittedCode ? CloseReason::NotAdmitted
             : e.data == kBehindCode      ? CloseReason::Behind
                                          : CloseReason::TimedOut);
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
  const bool hosting_;
  const uint32_t admitWithinMs_;
  std::vector<Waiting> candidates_;
  std::vector<ENetPeer*> watchers_;
  uint32_t lastId_ = 0;
  LinkState state_ = LinkState::Waiting;
  CloseReason reason_ = CloseReason::None;
};

}  // namespace

std::unique_ptr<Link> Listen(uint16_t port, uint32_t admitWithinMs, std::string* error) {
  if (!InitEnet()) {
    if (error) *error = Tr("ネットワークを使えません");
    return nullptr;
  }
  ENetAddress address{};
  address.host = ENET_HOST_ANY;
  address.port = port;
  // Room for a few candidates at once, so that strangers cannot keep the guest out; one more
  // connecting past that finds no room until one is dropped.
  ENetHost* host = enet_host_create(&address, kHostSlots, kChannels, 0, 0);
  if (!host) {
    if (error)
      *error = Format(Tr("ポート %d を開けません（ほかのプログラムが使っていませんか）"), static_cast<int>(port));
    return nullptr;
  }
  return std::make_unique<EnetLink>(host, nullptr, admitWithinMs);
}

std::unique_ptr<Link> Connect(const std::string& hostName, uint16_t port, std::string* error) {
  if (!InitEnet()) {
    if (error) *error = Tr("ネットワークを使えません");
    return nullptr;
  }
  ENetAddress address{};
  address.port = port;
  if (enet_address_set_host(&address, hostName.c_str()) != 0) {
    if (error) *error = Format(Tr("相手のアドレス「%s」が見つかりません"), hostName.c_str());
    return nullptr;
  }
  ENetHost* host = enet_host_create(nullptr, 1, kChannels, 0, 0);
  if (!host) {
    if (error) *error = Tr("ネットワークを使えません");
    return nullptr;
  }
  ENetPeer* peer = enet_host_connect(host, &address, kChannels, 0);
  if (!peer) {
    enet_host_destroy(host);
    if (error) *error = Tr("ネットワークを使えません");
    return nullptr;
  }
  return std::make_unique<EnetLink>(host, peer, 0);
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
