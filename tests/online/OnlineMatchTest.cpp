// Two simulators, one hosting and one joining, play online matches against each other over
// the loopback (and through a relay that loses and delays datagrams): both must end with the
// same match and the same replay, and leave in bounded time when the link breaks or the two
// battles part.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/ChildProcess.h"
#include "support/UdpRelay.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Keys of one player: decide on the versus screen, then move and shoot (never cancel, which
// would leave the versus screen while the other side still chooses).
const char kHostScript[] =
    "1500 tap ENTER\n4000 down H\n4500 up H\n4600 tap X\n5000 tap X\n6000 down T\n7000 up T\n7100 tap X\n"
    "9000 down F\n9800 up F\n9900 tap X\n";
const char kGuestScript[] =
    "1500 tap RIGHT\n1800 tap ENTER\n4000 down LEFT\n4400 up LEFT\n4600 tap 13\n5300 tap 13\n8000 down UP\n"
    "8500 up UP\n8600 tap 13\n";

class Sim {
 public:
  Sim(const fs::path& work, const std::string& name, std::vector<std::string> args, const std::string& more = "")
      : out_(work / (name + ".json")) {
    const fs::path script = work / (name + ".txt");
    std::ofstream(script) << (name == "host" ? kHostScript : kGuestScript) << more;
    args.insert(args.begin(), {BRAMKO_BINARY_DIR "/bramko-sim", "--dir", BRAMKO_RUNTIME_DIR, "--script",
                               script.string(), "--record", (work / (name + ".rpl")).string()});
    pid_ = testing_support::SpawnToFile(out_, std::move(args));
  }
  ~Sim() { Kill(); }
  void Kill() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
  }
  // Waits up to limit for the end; the report it printed, or "" when it did not end.
  std::string Finish(std::chrono::seconds limit) {
    const auto until = Clock::now() + limit;
    while (pid_ > 0 && Clock::now() < until) {
      if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
        pid_ = -1;
        std::stringstream s;
        s << std::ifstream(out_).rdbuf();
        return s.str();
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return "";
  }

 private:
  fs::path out_;
  pid_t pid_ = -1;
};

std::string Field(const std::string& report, const std::string& pattern) {
  std::smatch m;
  return std::regex_search(report, m, std::regex(pattern)) ? m[1].str() : "";
}
std::string LastMatch(const std::string& report) { return Field(report, "(\"lastMatch\": \\{.*?\\]\\})"); }
std::string Stop(const std::string& report) { return Field(report, "\"stop\": \"(\\w+)\""); }

std::string FileBytes(const fs::path& p) {
  std::stringstream s;
  s << std::ifstream(p, std::ios::binary).rdbuf();
  return s.str();
}

class OnlineMatch : public ::testing::Test {
 protected:
  void SetUp() override {
    work_ = fs::temp_directory_path() / ("bramko-online-" + std::to_string(getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(work_);
    // A port of our own per test and process: suites run side by side.
    port_ = static_cast<uint16_t>(20000 + (getpid() * 7 + ++count_) % 30000);
  }
  void TearDown() override { fs::remove_all(work_); }

  fs::path work_;
  uint16_t port_ = 0;
  static inline int count_ = 0;
};

TEST_F(OnlineMatch, BothSidesEndWithTheSameMatchAndTheSameReplay) {
  Sim host(work_, "host", {"--seed", "5", "--host", std::to_string(port_)});
  Sim guest(work_, "guest", {"--seed", "9", "--join", "127.0.0.1:" + std::to_string(port_)});
  const std::string h = host.Finish(std::chrono::seconds(60)), g = guest.Finish(std::chrono::seconds(10));
  ASSERT_FALSE(LastMatch(h).empty()) << h;
  EXPECT_EQ(LastMatch(h), LastMatch(g));
  EXPECT_EQ(Stop(h), "none");
  EXPECT_EQ(Stop(g), "none");
  // Each side's own delay, from the round trip: on the loopback the least there is, unless the
  // machine is so busy that the round trip passes a frame or two.
  EXPECT_LE(std::stoi(Field(h, "\"delay\": (\\d+)")), 2);
  EXPECT_LE(std::stoi(Field(g, "\"delay\": (\\d+)")), 2);
  const std::string replay = FileBytes(work_ / "host.rpl");
  EXPECT_GT(replay.size(), 100u);
  EXPECT_EQ(replay, FileBytes(work_ / "guest.rpl"));
}

// 100 ms there and back, 5 % of the datagrams lost: each side plays ahead on a prediction of
// the other's input and plays frames again when it came different; both end with the same
// match, the same replay, and that replay plays the match back.
TEST_F(OnlineMatch, ALossyDelayedLinkGivesTheSameMatchOnBothSidesWithLittleDelay) {
  testing_support::UdpRelay relay(port_, 5, 50);
  // Busy players: a key changes every 150 ms all through the match.
  std::string hostKeys, guestKeys;
  for (int ms = 10000; ms < 40000; ms += 300) {
    hostKeys += std::to_string(ms) + " down G\n" + std::to_string(ms + 150) + " up G\n";
    guestKeys += std::to_string(ms + 70) + " down DOWN\n" + std::to_string(ms + 220) + " up DOWN\n";
  }
  Sim host(work_, "host", {"--seed", "5", "--host", std::to_string(port_), "--round-seconds", "4"}, hostKeys);
  Sim guest(work_, "guest", {"--seed", "9", "--join", "127.0.0.1:" + std::to_string(relay.Port())}, guestKeys);
  const std::string h = host.Finish(std::chrono::seconds(120)), g = guest.Finish(std::chrono::seconds(10));
  ASSERT_FALSE(LastMatch(h).empty()) << h;
  EXPECT_EQ(LastMatch(h), LastMatch(g));
  EXPECT_EQ(Stop(h), "none") << h;
  EXPECT_EQ(Stop(g), "none") << g;
  EXPECT_LE(std::stoi(Field(h, "\"delay\": (\\d+)")), 2) << h;
  EXPECT_LE(std::stoi(Field(g, "\"delay\": (\\d+)")), 2) << g;
  EXPECT_GT(std::stoi(Field(h, "\"rollbacks\": (\\d+)")) + std::stoi(Field(g, "\"rollbacks\": (\\d+)")), 0) << h << g;
  EXPECT_GT(relay.Dropped(), 0u);
  EXPECT_EQ(FileBytes(work_ / "host.rpl"), FileBytes(work_ / "guest.rpl"));
  Sim replay(work_, "replay", {"--replay", (work_ / "host.rpl").string()});
  const std::string r = replay.Finish(std::chrono::seconds(60));
  EXPECT_EQ(LastMatch(r), LastMatch(h)) << r;
}

// The help is modal: opened on one side it would leave the other waiting until the link is
// given up. F1 in the pause (which reads the window's keys) must not open it online.
TEST_F(OnlineMatch, F1InThePauseOpensNoHelpAndTheMatchGoesOn) {
  Sim host(work_, "host", {"--seed", "5", "--host", std::to_string(port_), "--round-seconds", "4"},
           "6500 tap ESC\n7000 tap F1\n7400 tap X\n");
  Sim guest(work_, "guest", {"--seed", "9", "--join", "127.0.0.1:" + std::to_string(port_)});
  const std::string h = host.Finish(std::chrono::seconds(60)), g = guest.Finish(std::chrono::seconds(10));
  EXPECT_EQ(Stop(h), "none") << h;
  EXPECT_EQ(Stop(g), "none") << g;
  ASSERT_FALSE(LastMatch(h).empty()) << h;
  EXPECT_EQ(LastMatch(h), LastMatch(g));
  // Played to its end: two 4-second rounds at least, not cut in the first.
  EXPECT_GE(std::stoi(Field(h, "\"frames\": (\\d+)")), 2 * 4 * 61) << h;
}

TEST_F(OnlineMatch, AGuestThatVanishesMidRoundEndsTheHostsMatchWithinSeconds) {
  testing_support::UdpRelay relay(port_, 0, 40);  // slow enough for the round to be on
  Sim host(work_, "host", {"--lang", "ja", "--seed", "5", "--host", std::to_string(port_)});
  Sim guest(work_, "guest", {"--seed", "9", "--join", "127.0.0.1:" + std::to_string(relay.Port())});
  std::this_thread::sleep_for(std::chrono::seconds(4));
  guest.Kill();
  const auto killed = Clock::now();
  const std::string h = host.Finish(std::chrono::seconds(20));
  ASSERT_FALSE(h.empty()) << "the host hangs";
  EXPECT_LT(Clock::now() - killed, std::chrono::seconds(9));
  EXPECT_EQ(Stop(h), "lost");
  EXPECT_NE(h.find("通信が途切れました"), std::string::npos) << h;
  EXPECT_NE(h.find("\"scene\": \"VSMode\""), std::string::npos) << h;  // the host stays on the versus screen
}

// A spectator that comes in the middle of a match watches it from its start, catches up and
// ends with the players' match and their replay, byte for byte. The guest holds a key through
// the first round's results: the host waits there for it to be let go, not in the next round.
TEST_F(OnlineMatch, ASpectatorComingMidMatchSeesTheSameMatch) {
  Sim host(work_, "host", {"--seed", "5", "--host", std::to_string(port_), "--round-seconds", "1", "--real-time"});
  Sim guest(work_, "guest",
            {"--seed", "9", "--join", "127.0.0.1:" + std::to_string(port_), "--round-seconds", "1", "--real-time"},
            "2500 down DOWN\n11000 up DOWN\n");
  std::this_thread::sleep_for(std::chrono::seconds(4));  // the match began at about 2 s
  Sim spectator(work_, "spectator", {"--seed", "3", "--spectate", "127.0.0.1:" + std::to_string(port_)});
  const std::string h = host.Finish(std::chrono::seconds(60)), s = spectator.Finish(std::chrono::seconds(30));
  ASSERT_FALSE(LastMatch(h).empty()) << h;
  EXPECT_EQ(LastMatch(s), LastMatch(h)) << s;
  EXPECT_EQ(Stop(s), "none") << s;
  EXPECT_EQ(FileBytes(work_ / "spectator.rpl"), FileBytes(work_ / "host.rpl"));
  EXPECT_LT(std::stoi(Field(h, "\"waitedMs\": (\\d+)")), 1500) << h;
}

TEST_F(OnlineMatch, BattlesThatPartAreCaughtOnBothSides) {
  Sim host(work_, "host", {"--seed", "5", "--host", std::to_string(port_), "--round-seconds", "20"});
  Sim guest(work_, "guest", {"--seed", "9", "--join", "127.0.0.1:" + std::to_string(port_), "--desync-at", "3"});
  const std::string h = host.Finish(std::chrono::seconds(60)), g = guest.Finish(std::chrono::seconds(10));
  EXPECT_EQ(Stop(h), "desync") << h;
  EXPECT_EQ(Stop(g), "desync") << g;
  // Caught within a clock second or two: the match ended in its first round.
  EXPECT_EQ(Field(h, "\"roundsWon\": (\\d+)"), "0");
  EXPECT_LT(std::stoi(Field(h, "\"frames\": (\\d+)")), 61 * 6);
}

}  // namespace
