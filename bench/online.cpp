// Benchmark: online versus over a link of 0, 40 and 100 ms round trip (a relay of ours on
// the loopback that delays each datagram by half of it). Two simulators play one match with
// 10-second rounds; printed per link: the input delay chosen (frames, and the input latency
// it adds at the host's game speed), the share of frames that had to wait for the other
// side's input, and the machine's load average when the match ended. The simulators keep
// their clocks at the real pace (--real-time), so frames come every 15 ms as in the game.
// usage: bench_online [FIRST_PORT [RTT_MS...]]: one match per round trip given (default
// 0 40 100), on ports from FIRST_PORT on.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/UdpRelay.h"

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& p) {
  std::stringstream s;
  s << std::ifstream(p).rdbuf();
  return s.str();
}

int Number(const std::string& text, const std::string& key) {
  std::smatch m;
  return std::regex_search(text, m, std::regex("\"" + key + "\": (-?\\d+)")) ? std::stoi(m[1].str()) : -1;
}

// The machine's load average over the last minute (the figures move with it).
std::string LoadAverage() {
  std::string one;
  std::ifstream("/proc/loadavg") >> one;
  return one.empty() ? "?" : one;
}

}  // namespace

int main(int argc, char** argv) {
  const int firstPort = argc > 1 ? std::atoi(argv[1]) : 21000 + getpid() % 20000;
  if (firstPort < 1024 || firstPort > 65000) {
    std::fprintf(stderr, "usage: bench_online [FIRST_PORT [RTT_MS...]]  (ports 1024-65000)\n");
    return 1;
  }
  std::vector<int> rtts;
  for (int i = 2; i < argc; ++i) rtts.push_back(std::clamp(std::atoi(argv[i]), 0, 1000));
  if (rtts.empty()) rtts = {0, 40, 100};
  const fs::path work = fs::temp_directory_path() / ("bramko-bench-online-" + std::to_string(getpid()));
  fs::create_directories(work);
  std::ofstream(work / "host.txt") << "1500 tap ENTER\n4000 down H\n4500 up H\n4600 tap X\n";
  std::ofstream(work / "guest.txt") << "1800 tap ENTER\n4000 down LEFT\n4400 up LEFT\n4600 tap 13\n";
  const std::string sim = BRAMKO_BINARY_DIR "/bramko-sim";
  std::printf("online versus, one match of 3 x 10 s rounds per link (game speed 15 ms a frame)\n");
  std::printf("%8s %8s %12s %10s %14s %16s %8s\n", "rtt ms", "delay", "latency ms", "frames", "waited share",
              "wait per frame", "load");
  int link = 0;
  for (int rtt : rtts) {
    const uint16_t port = static_cast<uint16_t>(firstPort + link++);
    std::unique_ptr<testing_support::UdpRelay> relay;
    if (rtt) relay = std::make_unique<testing_support::UdpRelay>(port, 0, rtt / 2);
    const uint16_t joinPort = relay ? relay->Port() : port;
    const pid_t host = testing_support::SpawnToFile(
        work / "host.json", {sim, "--dir", BRAMKO_RUNTIME_DIR, "--seed", "5", "--script", (work / "host.txt").string(),
                             "--host", std::to_string(port), "--round-seconds", "10", "--real-time"});
    const pid_t guest =
        testing_support::SpawnToFile(work / "guest.json", {sim, "--dir", BRAMKO_RUNTIME_DIR, "--seed", "9", "--script",
                                                           (work / "guest.txt").string(), "--join",
                                                           "127.0.0.1:" + std::to_string(joinPort), "--real-time"});
    waitpid(host, nullptr, 0);
    waitpid(guest, nullptr, 0);
    const std::string h = Read(work / "host.json"), g = Read(work / "guest.json");
    const int delay = Number(h, "delay"), frames = Number(h, "frames");
    const double waited = frames > 0 ? (Number(h, "framesWaited") + Number(g, "framesWaited")) / (2.0 * frames) : 0;
    const double waitMs = frames > 0 ? (Number(h, "waitedMs") + Number(g, "waitedMs")) / (2.0 * frames) : 0;
    std::printf("%8d %8d %12d %10d %13.1f%% %13.2f ms %8s\n", rtt, delay, delay * 15, frames, 100 * waited, waitMs,
                LoadAverage().c_str());
  }
  fs::remove_all(work);
  return 0;
}
