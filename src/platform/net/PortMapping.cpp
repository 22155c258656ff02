// platform/net: the router's port mapping, asked for and given back on a thread of its own.
#include "platform/net/PortMapping.h"

#include <miniupnpc/miniupnpc.h>
#include <miniupnpc/upnpcommands.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace platform::net {

namespace {

// How long discovery listens for routers' answers.
constexpr int kDiscoverMs = 2000;
// The lease asked for: a mapping left behind by a crash ends by itself. Renewed at half.
constexpr int kLeaseSeconds = 3600;
// How long the end of the program waits for removals still under way.
constexpr auto kFinishWait = std::chrono::seconds(2);
constexpr const char* kDescription = "Bramko2";
// The UPnP error of a router that grants only mappings without an end.
constexpr int kOnlyPermanentLeases = 725;

// The workers still running, so that the end of the program can wait for their removals.
// Never destroyed: a worker still asking when the program ends may touch it to the last.
struct Workers {
  std::mutex mutex;
  std::condition_variable done;
  int running = 0;
};
Workers& TheWorkers() {
  static Workers* workers = new Workers;
  return *workers;
}

// At a normal end of the program (return from main, exit) removals are given a moment.
struct FinishAtExit {
  ~FinishAtExit() {
    Workers& w = TheWorkers();
    std::unique_lock lock(w.mutex);
    w.done.wait_for(lock, kFinishWait, [&] { return w.running == 0; });
  }
} finishAtExit;

}  // namespace

struct PortMapping::Shared {
  std::mutex mutex;
  std::condition_variable changed;
  MappingOutcome outcome;
  bool released = false;

  void Publish(const MappingOutcome& o) {
    std::lock_guard lock(mutex);
    outcome = o;
  }
  bool Released() {
    std::lock_guard lock(mutex);
    return released;
  }
  // Waits until released or until the time is up; true when released.
  bool WaitReleased(std::chrono::seconds limit) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, limit, [&] { return released; });
  }
};

namespace {

class Router {
 public:
  ~Router() {
    if (found_) FreeUPNPUrls(&urls_);
  }
  // Finds the router on the local network; the address this machine has towards it.
  bool Find(std::string* localAddress) {
    int error = 0;
#if MINIUPNPC_API_VERSION >= 14
    UPNPDev* devices = upnpDiscover(kDiscoverMs, nullptr, nullptr, UPNP_LOCAL_PORT_ANY, 0, 2, &error);
#else
    UPNPDev* devices = upnpDiscover(kDiscoverMs, nullptr, nullptr, UPNP_LOCAL_PORT_ANY, 0, &error);
#endif
    if (!devices) return false;
    char lan[64] = "";
#if MINIUPNPC_API_VERSION >= 18
    char wan[64] = "";
    const int igd = UPNP_GetValidIGD(devices, &urls_, &data_, lan, sizeof lan, wan, sizeof wan);
#else
    const int igd = UPNP_GetValidIGD(devices, &urls_, &data_, lan, sizeof lan);
#endif
    freeUPNPDevlist(devices);
    found_ = igd != 0;
    *localAddress = lan;
    // 1: a connected gateway; 2: one that says it is not connected (asking costs nothing).
    return igd == 1 || igd == 2;
  }
  std::string PublicAddress() {
    char address[64] = "";
    if (UPNP_GetExternalIPAddress(Control(), Service(), address) != UPNPCOMMAND_SUCCESS) return "";
    return address;
  }
  int Add(uint16_t port, const std::string& client) {
    const std::string p = std::to_string(port);
    int r = UPNP_AddPortMapping(Control(), Service(), p.c_str(), p.c_str(), client.c_str(), kDescription, "UDP",
                                nullptr, std::to_string(kLeaseSeconds).c_str());
    if (r == kOnlyPermanentLeases)
      r = UPNP_AddPortMapping(Control(), Service(), p.c_str(), p.c_str(), client.c_str(), kDescription, "UDP", nullptr,
                              "0");
    // Taken: ours when it already leads here (left by an earlier run of ours that crashed).
    if (r != UPNPCOMMAND_SUCCESS) {
      char to[64] = "", toPort[16] = "", desc[96] = "", enabled[8] = "", lease[16] = "";
      if (UPNP_GetSpecificPortMappingEntry(Control(), Service(), p.c_str(), "UDP", nullptr, to, toPort, desc, enabled,
                                           lease) == UPNPCOMMAND_SUCCESS &&
          client == to && p == toPort)
        return UPNPCOMMAND_SUCCESS;
    }
    return r;
  }
  void Delete(uint16_t port) {
    UPNP_DeletePortMapping(Control(), Service(), std::to_string(port).c_str(), "UDP", nullptr);
  }

 private:
  const char* Control() const { return urls_.controlURL; }
  const char* Service() const { return data_.first.servicetype; }

  UPNPUrls urls_{};
  IGDdatas data_{};
  bool found_ = false;
};

void Work(std::shared_ptr<PortMapping::Shared> shared, uint16_t port) {
  MappingOutcome o;
  o.port = port;
  Router router;
  if (!router.Find(&o.localAddress)) {
    o.state = MappingState::NoRouter;
    shared->Publish(o);
    return;
  }
  if (shared->Released()) return;
  o.publicAddress = router.PublicAddress();
  o.error = router.Add(port, o.localAddress);
  o.state = o.error == UPNPCOMMAND_SUCCESS ? MappingState::Mapped : MappingState::Refused;
  shared->Publish(o);
  if (o.state != MappingState::Mapped) return;
  while (!shared->WaitReleased(std::chrono::seconds(kLeaseSeconds / 2))) router.Add(port, o.localAddress);
  router.Delete(port);
}

}  // namespace

PortMapping::PortMapping(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}

std::unique_ptr<PortMapping> PortMapping::Ask(uint16_t port) {
  auto shared = std::make_shared<Shared>();
  shared->outcome.port = port;
  {
    std::lock_guard lock(TheWorkers().mutex);
    ++TheWorkers().running;
  }
  std::thread([shared, port] {
    Work(shared, port);
    Workers& w = TheWorkers();
    std::lock_guard lock(w.mutex);
    --w.running;
    w.done.notify_all();
  }).detach();
  return std::unique_ptr<PortMapping>(new PortMapping(shared));
}

PortMapping::~PortMapping() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->released = true;
  }
  shared_->changed.notify_all();
}

MappingOutcome PortMapping::Outcome() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->outcome;
}

}  // namespace platform::net
