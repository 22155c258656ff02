// bramko-sim: the very same game on the headless backend: virtual clock, scripted input,
// screenshots, and a JSON report of where the game stood when it ended.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <limits>
#include <sstream>
#include <string>

#include "app/GameApp.h"
#include "battle/MatchReport.h"
#include "battle/SyncTest.h"
#include "field/MapState.h"
#include "online/OnlineVersus.h"
#include "online/RouterMapping.h"
#include "platform/net/NetLink.h"
#include "platform/files/Files.h"
#include "platform/Pictures.h"
#include "platform/headless/HeadlessControl.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"

namespace {

const char kUsage[] =
    "usage: bramko-sim [--dir DIR] [--lang ja|en] [--seed N] [--script FILE] [--until MS]\n"
    "                  [--match N [--map M] | --versus] [--record FILE] | --replay FILE\n"
    "                  | (--host [PORT] [--upnp] | --join HOST[:PORT] | --spectate HOST[:PORT] [--matches N])\n"
    "                    [--round-seconds N] [--desync-at SECOND]\n"
    "                  [--real-time]\n"
    "                  [--sync-test N] (with --match, --versus or --replay)\n"
    "       bramko-sim --pictures | --export-pictures DIR\n";

std::string JsonEscape(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

std::string Report(int64_t tick) {
  std::ostringstream j;
  j << "{\"scene\": \"" << JsonEscape(SceneName) << "\", \"CurrentMapId\": " << CurrentMapId
    << ", \"CurrentWaypoint\": " << CurrentWaypoint << ", \"MapProgress\": [";
  for (int i = 0; i < 5; ++i) j << (i ? ", " : "") << MapProgress[i];
  j << "], \"tick\": " << tick;
  if (LastMatch.valid) {
    j << ", \"lastMatch\": {\"result\": " << LastMatch.result << ", \"fighters\": [";
    for (int i = 0; i < 2; ++i) {
      const auto& f = LastMatch.fighters[i];
      j << (i ? ", " : "") << "{\"energy\": " << f.energy << ", \"score\": " << f.score
        << ", \"roundsWon\": " << f.roundsWon << ", \"chipCount\": " << f.chipCount
        << ", \"itemsTaken\": " << f.itemsTaken << ", \"fangHits\": " << f.fangHits << "}";
    }
    j << "]}";
  }
  if (LastOnline.played || !LastOnlineEnd.empty()) {
    j << ", \"online\": {\"stop\": \"" << OnlineStopName(LastOnline.stop) << "\", \"delay\": " << LastOnline.delay
      << ", \"frames\": " << LastOnline.frames << ", \"framesWaited\": " << LastOnline.framesWaited
      << ", \"waitedMs\": " << LastOnline.waitedUs / 1000 << ", \"settles\": " << LastOnline.settles
      << ", \"framesHeld\": " << LastOnline.framesHeld << ", \"gaveUp\": " << LastOnline.gaveUp
      << ", \"bytesIn\": " << LastOnline.bytesIn << ", \"caughtUpMs\": " << LastOnline.caughtUpMs;
    const RollbackStats& r = LastOnline.rollbacks;
    j << ", \"rollbacks\": " << r.rollbacks << ", \"rollbackMost\": " << r.most
      << ", \"framesAgain\": " << r.framesAgain << ", \"againNs\": " << r.againNs << ", \"rollbackLengths\": [";
    for (size_t i = 1; i < r.byLength.size(); ++i) j << (i > 1 ? ", " : "") << r.byLength[i];
    j << "], \"end\": \"" << JsonEscape(LastOnlineEnd) << "\"}";
  }
  if (LastRouterOutcome) {
    const platform::net::MappingOutcome& r = *LastRouterOutcome;
    j << ", \"router\": {\"state\": \"" << MappingStateName(r.state) << "\", \"public\": \""
      << JsonEscape(r.publicAddress) << "\", \"local\": \"" << JsonEscape(r.localAddress) << "\", \"port\": " << r.port
      << ", \"error\": " << r.error << ", \"status\": \"" << JsonEscape(RouterStatusText(r)) << "\"}";
  }
  j << "}";
  return j.str();
}

bool ParseNumber(const char* s, long long& out) {
  char* end = nullptr;
  out = std::strtoll(s, &end, 0);
  return end && *end == '\0' && end != s;
}

}  // namespace

int main(int argc, char** argv) {
  GameOptions options;
  options.start.kind = platform::BackendKind::Headless;
  options.singleInstance = false;
  std::error_code ec;
  auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  options.dir = ec ? "." : self.parent_path().string();
  int roundSeconds = 0;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](long long& n) {
      if (i + 1 >= argc || !ParseNumber(argv[i + 1], n)) {
        std::cerr << "bramko-sim: " << a << " needs a number\n" << kUsage;
        std::exit(1);
      }
      ++i;
    };
    long long n = 0;
    if (a == "--dir" && i + 1 < argc) {
      options.dir = std::filesystem::absolute(argv[++i]).string();
    } else if (a == "--lang" && i + 1 < argc) {
      options.language = argv[++i];
    } else if (a == "--seed") {
      value(n);
      options.haveSeed = true;
      options.seed = static_cast<uint32_t>(n);
    } else if (a == "--script" && i + 1 < argc) {
      options.start.scriptFile = argv[++i];
    } else if (a == "--until") {
      value(n);
      options.start.untilMs = n;
    } else if (a == "--match") {
      value(n);
      if (n < 0 || n > 22) {
        std::cerr << "bramko-sim: --match takes a record index 0-22\n";
        return 1;
      }
      options.matchRecord = static_cast<int>(n);
    } else if (a == "--map") {
      value(n);
      if (n < 1 || n > 3) {
        std::cerr << "bramko-sim: --map takes 1, 2 or 3\n";
        return 1;
      }
      options.matchMap = static_cast<int>(n);
    } else if (a == "--host") {
      options.onlineHost = true;
      if (i + 1 < argc && ParseNumber(argv[i + 1], n)) {
        if (n < 1 || n > 65535) {
          std::cerr << "bramko-sim: --host takes a port 1-65535\n";
          return 1;
        }
        options.onlinePort = static_cast<uint16_t>(n);
        ++i;
      }
    } else if (a == "--upnp") {
      AskRouterWhenHosting = true;  // off unless asked: test runs look for no router
    } else if ((a == "--join" || a == "--spectate") && i + 1 < argc) {
      options.onlineWatch = a == "--spectate";
      if (!platform::net::ParseHostPort(argv[++i], platform::net::kDefaultPort, &options.onlineJoin,
                                        &options.onlinePort)) {
        std::cerr << "bramko-sim: " << a << " takes HOST or HOST:PORT\n";
        return 1;
      }
    } else if (a == "--round-seconds") {
      // Short rounds for tests of whole online matches over a slow link.
      value(n);
      if (n < 1 || n > 999) {
        std::cerr << "bramko-sim: --round-seconds takes 1-999\n";
        return 1;
      }
      roundSeconds = static_cast<int>(n);
    } else if (a == "--matches") {
      // Online: the matches played or watched before the simulator ends (1 unless told).
      value(n);
      if (n < 1 || n > 99) {
        std::cerr << "bramko-sim: --matches takes 1-99\n";
        return 1;
      }
      OnlineMatchLimit = static_cast<int>(n);
    } else if (a == "--real-time") {
      options.start.realTime = true;
    } else if (a == "--desync-at") {
      value(n);
      OnlineDisturbAt = static_cast<uint32_t>(n);
    } else if (a == "--sync-test") {
      value(n);
      if (n < 1 || n > 60) {
        std::cerr << "bramko-sim: --sync-test takes 1-60 frames\n";
        return 1;
      }
      SyncTestFrames = static_cast<int>(n);
    } else if (a == "--versus") {
      options.versusMatch = true;
    } else if (a == "--replay" && i + 1 < argc) {
      options.replayFile = std::filesystem::absolute(argv[++i]).string();
    } else if (a == "--record" && i + 1 < argc) {
      options.recordFile = std::filesystem::absolute(argv[++i]).string();
    } else if (a == "--pictures") {
      for (const auto& p : platform::ListPictures()) std::cout << p.name << " " << p.width << " " << p.height << "\n";
      return 0;
    } else if (a == "--export-pictures" && i + 1 < argc) {
      std::string dir = argv[++i];
      std::filesystem::create_directories(dir, ec);
      int failed = 0;
      for (const auto& p : platform::ListPictures()) {
        platform::Bitmap b;
        if (!platform::LoadPicture(p.name, b) || !b.SavePng(dir + "/" + p.name + ".png")) ++failed;
      }
      return failed ? 1 : 0;
    } else if (a == "--help" || a == "-h") {
      std::cout << kUsage;
      return 0;
    } else {
      std::cerr << "bramko-sim: unknown option " << a << "\n" << kUsage;
      return 1;
    }
  }
  // Online, the simulator plays one match and ends (or ends when the link does).
  const bool online = options.onlineHost || !options.onlineJoin.empty();
  if (online && OnlineMatchLimit == 0) OnlineMatchLimit = 1;
  if (roundSeconds) options.afterCreate = [roundSeconds] { RoundSeconds = roundSeconds; };
  // A match runs to its end unless told otherwise (three full rounds take under 4 minutes
  // at the default speed). A replay always ends by itself, however long it is, so it runs
  // without a limit unless one is given.
  const bool replay = !options.replayFile.empty();
  if ((options.matchRecord >= 0 || options.versusMatch || online) && options.start.untilMs < 0)
    options.start.untilMs = 600000;
  if (replay && options.start.untilMs < 0) options.start.untilMs = std::numeric_limits<int64_t>::max();
  int status = RunGame(options);
  // The window closed at --until while the replay still ran: its result is not the match's.
  if (replay && status == 0 && platform::headless::Now() >= options.start.untilMs) {
    std::cerr << "bramko-sim: the replay was cut at --until " << options.start.untilMs << " ms, before its end\n";
    status = 1;
  }
  if (SyncTestFrames > 0) {
    const SyncTestResult& sync = SyncTestOutcome();
    std::cerr << SyncTestSummary() << "\n";
    if (!sync.failure.empty() || sync.frames == 0) {
      std::cerr << "bramko-sim: sync test failed: " << (sync.failure.empty() ? "no frame was played" : sync.failure)
                << "\n";
      status = 1;
    }
  }
  std::cout << Report(platform::headless::Now()) << std::endl;
  return status;
}
