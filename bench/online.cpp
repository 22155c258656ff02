// Benchmark: online versus with rollback over links of 0, 40, 100 and 200 ms round trip, each
// without loss and with 5 % of the datagrams lost (a relay of ours on the loopback that delays
// each datagram by half the round trip). Per link, two paced simulators (--real-time, frames
// every 15 ms as in the game) play MATCHES matches of 3 x 3 s rounds, both players busy (a
// random key every 60-180 ms, a fang now and then). Printed per link, over both sides of every
// match: the local input delay chosen, rollbacks per second of play, the frames a rollback
// played again (p50, p99, max), the frames that had to wait for the other side (the prediction
// ran out), the waits before a frame that must be played on known inputs (a round's end), the
// CPU one frame played again costs, and the matches whose two sides parted (a checksum
// differed, the results or the replays differ). Then, over the 100 ms / 5 % link, the same
// matches with a spectator (through a relay of the same link) that comes 4 s after the host:
// the bytes a second that came to it, how long it took to catch up with the players, and
// whether it saw the players' match (the same result and replay).
// usage: bench_online [FIRST_PORT [MATCHES]]  (default 3 matches a link: 24 in all)
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "online_peer.h"
#include "support/ChildProcess.h"
#include "support/UdpRelay.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Link {
  int rttMs, lossPercent;
};

struct Tally {
  int matches = 0, played = 0, parted = 0, delayLeast = 99, delayMost = -1;
  int watched = 0, sawOther = 0;  // matches with a spectator; those it saw otherwise
  std::vector<double> bytesPerSecond, caughtUpMs;
  long long frames = 0, rollbacks = 0, waited = 0, settles = 0, framesAgain = 0, againNs = 0, most = 0;
  std::vector<long long> lengths;
};

// The frames a rollback played again at the share q of all rollbacks.
long long Percentile(const std::vector<long long>& byLength, double q) {
  long long all = 0;
  for (long long n : byLength) all += n;
  if (all == 0) return 0;
  long long seen = 0;
  for (size_t i = 0; i < byLength.size(); ++i) {
    seen += byLength[i];
    if (seen >= static_cast<long long>(q * static_cast<double>(all) + 0.999)) return static_cast<long long>(i + 1);
  }
  return static_cast<long long>(byLength.size());
}

void PlayMatch(const fs::path& work, uint16_t port, const Link& link, uint32_t seed, Tally& t, bool spectator = false) {
  std::unique_ptr<testing_support::UdpRelay> relay, spectatorRelay;
  if (link.rttMs || link.lossPercent)
    relay = std::make_unique<testing_support::UdpRelay>(port, link.lossPercent, link.rttMs / 2, seed);
  if (spectator)
    spectatorRelay = std::make_unique<testing_support::UdpRelay>(port, link.lossPercent, link.rttMs / 2, seed + 3);
  const uint16_t joinPort = relay ? relay->Port() : port;
  const std::string sim = BRAMKO_BINARY_DIR "/bramko-sim";
  std::ofstream(work / "host.txt") << bench::BusyScript(true, seed);
  std::ofstream(work / "guest.txt") << bench::BusyScript(false, seed + 1);
  const pid_t host = testing_support::SpawnToFile(
      work / "host.json", {sim, "--dir", BRAMKO_RUNTIME_DIR, "--seed", std::to_string(seed), "--script",
                           (work / "host.txt").string(), "--host", std::to_string(port), "--round-seconds", "3",
                           "--real-time", "--record", (work / "host.rpl").string()});
  const pid_t guest = testing_support::SpawnToFile(
      work / "guest.json",
      {sim, "--dir", BRAMKO_RUNTIME_DIR, "--seed", std::to_string(seed + 7), "--script", (work / "guest.txt").string(),
       "--join", "127.0.0.1:" + std::to_string(joinPort), "--real-time", "--record", (work / "guest.rpl").string()});
  pid_t watcher = -1;
  Clock::time_point watchFrom;
  if (spectator) {
    std::this_thread::sleep_for(std::chrono::seconds(4));
    watchFrom = Clock::now();
    watcher = testing_support::SpawnToFile(
        work / "spectator.json",
        {sim, "--dir", BRAMKO_RUNTIME_DIR, "--spectate", "127.0.0.1:" + std::to_string(spectatorRelay->Port()),
         "--real-time", "--matches", "1", "--record", (work / "spectator.rpl").string()});
  }
  const auto until = Clock::now() + std::chrono::seconds(90);
  const bool hostEnded = bench::Reap(host, until), guestEnded = bench::Reap(guest, until);
  const bool ended = hostEnded && guestEnded;
  const std::string h = bench::ReadFile(work / "host.json"), g = bench::ReadFile(work / "guest.json");
  ++t.matches;
  const std::string lastH = bench::ReportField(h, "(\"lastMatch\": \\{.*?\\]\\})"),
                    lastG = bench::ReportField(g, "(\"lastMatch\": \\{.*?\\]\\})");
  const bool played = ended && !lastH.empty() && bench::ReportField(h, "\"stop\": \"(\\w+)\"") == "none" &&
                      bench::ReportField(g, "\"stop\": \"(\\w+)\"") == "none";
  if (played) ++t.played;
  if (!ended || lastH != lastG || bench::ReadFile(work / "host.rpl") != bench::ReadFile(work / "guest.rpl") ||
      bench::ReportField(h, "\"stop\": \"(\\w+)\"") == "desync" ||
      bench::ReportField(g, "\"stop\": \"(\\w+)\"") == "desync")
    ++t.parted;
  if (spectator) {
    const bool watchEnded = bench::Reap(watcher, until);
    const double seconds = std::chrono::duration<double>(Clock::now() - watchFrom).count();
    const std::string w = bench::ReadFile(work / "spectator.json");
    ++t.watched;
    if (!watchEnded || bench::ReportField(w, "(\"lastMatch\": \\{.*?\\]\\})") != lastH ||
        bench::ReadFile(work / "spectator.rpl") != bench::ReadFile(work / "host.rpl")) {
      ++t.sawOther;
      std::fprintf(stderr, "the spectator saw another match (%s):\n%s\nthe host's:\n%s\n",
                   watchEnded ? "it ended" : "it was killed", w.c_str(), h.c_str());
    }
    t.bytesPerSecond.push_back(static_cast<double>(std::max(0LL, bench::ReportNumber(w, "bytesIn"))) / seconds);
    t.caughtUpMs.push_back(static_cast<double>(std::max(0LL, bench::ReportNumber(w, "caughtUpMs"))));
  }
  for (const std::string* side : {&h, &g}) {
    const long long delay = bench::ReportNumber(*side, "delay");
    if (delay < 0) continue;
    t.delayLeast = std::min<int>(t.delayLeast, static_cast<int>(delay));
    t.delayMost = std::max<int>(t.delayMost, static_cast<int>(delay));
    t.frames += bench::ReportNumber(*side, "frames");
    t.rollbacks += bench::ReportNumber(*side, "rollbacks");
    t.waited += bench::ReportNumber(*side, "framesWaited");
    t.settles += bench::ReportNumber(*side, "settles");
    t.framesAgain += bench::ReportNumber(*side, "framesAgain");
    t.againNs += bench::ReportNumber(*side, "againNs");
    t.most = std::max(t.most, bench::ReportNumber(*side, "rollbackMost"));
    const std::vector<long long> lengths = bench::ReportNumbers(*side, "rollbackLengths");
    t.lengths.resize(std::max(t.lengths.size(), lengths.size()));
    for (size_t i = 0; i < lengths.size(); ++i) t.lengths[i] += lengths[i];
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int firstPort = argc > 1 ? std::atoi(argv[1]) : 21000 + getpid() % 20000;
  const int matches = argc > 2 ? std::clamp(std::atoi(argv[2]), 1, 50) : 3;
  if (firstPort < 1024 || firstPort > 65000) {
    std::fprintf(stderr, "usage: bench_online [FIRST_PORT [MATCHES]]  (ports 1024-65000)\n");
    return 1;
  }
  const std::vector<Link> links = {{0, 0}, {0, 5}, {40, 0}, {40, 5}, {100, 0}, {100, 5}, {200, 0}, {200, 5}};
  const fs::path work = fs::temp_directory_path() / ("bramko-bench-online-" + std::to_string(getpid()));
  fs::create_directories(work);
  std::printf("online versus with rollback: %d matches of 3 x 3 s rounds per link, busy players, 15 ms frames\n",
              matches);
  std::printf("%6s %5s %6s %12s %16s %8s %8s %14s %10s\n", "rtt ms", "loss", "delay", "rollbacks/s",
              "length p50/p99/max", "waited", "settles", "us a frame again", "parted");
  int port = firstPort, parted = 0, all = 0;
  for (const Link& link : links) {
    Tally t;
    for (int m = 0; m < matches; ++m) PlayMatch(work, static_cast<uint16_t>(port++), link, 100u + m * 13u, t);
    parted += t.parted;
    all += t.matches;
    const double seconds = static_cast<double>(t.frames) * 0.015;
    char delay[16], lengths[32];
    std::snprintf(delay, sizeof delay, t.delayLeast == t.delayMost ? "%d" : "%d-%d", t.delayLeast, t.delayMost);
    std::snprintf(lengths, sizeof lengths, "%lld/%lld/%lld", Percentile(t.lengths, 0.5), Percentile(t.lengths, 0.99),
                  t.most);
    std::printf("%6d %4d%% %6s %12.1f %18s %8lld %8lld %14.1f %5d of %d\n", link.rttMs, link.lossPercent, delay,
                seconds > 0 ? static_cast<double>(t.rollbacks) / seconds : 0.0, lengths, t.waited, t.settles,
                t.framesAgain ? static_cast<double>(t.againNs) / 1000.0 / static_cast<double>(t.framesAgain) : 0.0,
                t.parted, t.matches);
    std::fflush(stdout);
  }
  // The players with a spectator watching from 4 s on, over the 100 ms / 5 % link.
  Tally w;
  for (int m = 0; m < matches; ++m) PlayMatch(work, static_cast<uint16_t>(port++), {100, 5}, 100u + m * 13u, w, true);
  std::sort(w.bytesPerSecond.begin(), w.bytesPerSecond.end());
  std::sort(w.caughtUpMs.begin(), w.caughtUpMs.end());
  std::printf(
      "with a spectator from 4 s on (100 ms, 5 %%): players waited %lld frames, parted %d of %d; the "
      "spectator: %.0f-%.0f bytes/s, caught up in %.0f-%.0f ms, saw another match %d of %d\n",
      w.waited, w.parted, w.matches, w.bytesPerSecond.front(), w.bytesPerSecond.back(), w.caughtUpMs.front(),
      w.caughtUpMs.back(), w.sawOther, w.watched);
  parted += w.parted + w.sawOther;
  all += w.matches;
  std::printf("parted: %d of %d matches\n", parted, all);
  fs::remove_all(work);
  return parted == 0 ? 0 : 1;
}
