// Benchmarks of online play: a simulator as the other player. Its busy player's script, the
// reading of its JSON report, and waiting for it with a limit.
#pragma once
#include <sys/types.h>
#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace bench {

inline std::string ReadFile(const std::filesystem::path& p) {
  std::stringstream s;
  s << std::ifstream(p, std::ios::binary).rdbuf();
  return s.str();
}

// A number of the report, -1 when it has none.
inline long long ReportNumber(const std::string& text, const std::string& key) {
  std::smatch m;
  return std::regex_search(text, m, std::regex("\"" + key + "\": (-?\\d+)")) ? std::stoll(m[1].str()) : -1;
}

inline std::vector<long long> ReportNumbers(const std::string& text, const std::string& key) {
  std::smatch m;
  std::vector<long long> out;
  if (!std::regex_search(text, m, std::regex("\"" + key + "\": \\[([0-9, ]*)\\]"))) return out;
  std::stringstream s(m[1].str());
  for (std::string n; std::getline(s, n, ',');) out.push_back(std::stoll(n));
  return out;
}

// The first group of pattern in the report, "" when it does not match.
inline std::string ReportField(const std::string& text, const std::string& pattern) {
  std::smatch m;
  return std::regex_search(text, m, std::regex(pattern)) ? m[1].str() : "";
}

// A busy player's presses from fromMs until untilMs: a random direction key (0-3) held 60-180
// ms, or now and then a fang (4, a tap), one after the other.
struct BusyPress {
  int atMs, key, lengthMs;
};
inline std::vector<BusyPress> BusyPresses(uint32_t seed, int fromMs, int untilMs) {
  std::mt19937 random(seed);
  std::vector<BusyPress> presses;
  for (int ms = fromMs; ms < untilMs;) {
    const int key = static_cast<int>(random() % 5), length = 60 + static_cast<int>(random() % 120);
    presses.push_back({ms, key, length});
    ms += length + 1;
  }
  return presses;
}

// A simulator's busy player: decides on the versus screen, then presses from 3 s on until
// untilMs. The host plays player 1's keys, the guest player 2's.
inline std::string BusyScript(bool host, uint32_t seed, int untilMs = 43000) {
  const char* keys[2][5] = {{"T", "G", "F", "H", "X"}, {"UP", "DOWN", "LEFT", "RIGHT", "13"}};
  const auto& k = keys[host ? 0 : 1];
  std::ostringstream s;
  s << (host ? "1500 tap ENTER\n" : "1800 tap ENTER\n");
  for (const BusyPress& p : BusyPresses(seed, 3000, untilMs)) {
    if (p.key == 4) {
      s << p.atMs << " tap " << k[4] << "\n";
    } else {
      s << p.atMs << " down " << k[p.key] << "\n" << p.atMs + p.lengthMs << " up " << k[p.key] << "\n";
    }
  }
  return s.str();
}

// Waits for a child until the time given, killing it past that; false when it had to be killed.
inline bool Reap(pid_t pid, std::chrono::steady_clock::time_point until) {
  while (std::chrono::steady_clock::now() < until) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  return false;
}

}  // namespace bench
