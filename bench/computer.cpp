// Tournament of every computer opponent against a scripted human, headless, with fixed
// seeds. Prints each opponent's win rate and its average energy lead at the end of the
// match (last round), with the average fang hits per match (last round) of the computer and
// of the human. Two humans: "random" (the default) only walks about and fires (or dodges)
// at random; "fair" plays as a fair person would (fair_human.h).
//   bench_computer [--human random|fair] [--react MS] [--records 0,1,17,...]
//                  [matches = 20] [first record] [last record]
// --react sets the fair human's quickest reaction to a new fang (default 100 ms).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "fair_human.h"

#include "actors/Comparas.h"
#include "actors/Complayer.h"
#include "app/GameApp.h"
#include "battle/MatchReport.h"
#include "shell/Random.h"

namespace {

// A small generator of its own, so the script does not disturb the game's.
struct Lcg {
  uint32_t s;
  int Next(int n) {
    s = s * 1103515245u + 12345u;
    return static_cast<int>((s >> 16) % static_cast<uint32_t>(n));
  }
};

// Player 1's keys: T G F H walk, X fires, Z dodges. Holds a random direction for a while,
// now and then taps fire, rarely the dodge.
std::string HumanScript(uint32_t seed, int64_t untilMs) {
  Lcg r{seed * 2654435761u + 7};
  const char* walk[] = {"T", "G", "F", "H"};
  std::string s;
  for (int64_t t = 100; t < untilMs; t += 100 + r.Next(400)) {
    const char* k = walk[r.Next(4)];
    int hold = 50 + r.Next(300);
    s += std::to_string(t) + " down " + k + "\n" + std::to_string(t + hold) + " up " + k + "\n";
    s += std::to_string(t + r.Next(80)) + " tap X\n";
    if (r.Next(25) == 0) s += std::to_string(t + 40) + " tap Z\n";
  }
  return s;
}

// The arena the record is met on in the story (extras and strays fight on the first).
int MapOf(int record) {
  switch (record) {
    case 3:
    case 5:
    case 7:
    case 8: return 2;
    case 6:
    case 13:
    case 14:
    case 15:
    case 16: return 3;
    default: return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  bool fair = false;
  int reactMs = fairhuman::kDefaultReactMs;
  std::vector<int> records, numbers;
  for (int a = 1; a < argc; ++a) {
    if (std::strcmp(argv[a], "--human") == 0 && a + 1 < argc) {
      fair = std::strcmp(argv[++a], "fair") == 0;
    } else if (std::strcmp(argv[a], "--react") == 0 && a + 1 < argc) {
      reactMs = std::atoi(argv[++a]);
    } else if (std::strcmp(argv[a], "--records") == 0 && a + 1 < argc) {
      std::stringstream list(argv[++a]);
      for (std::string r; std::getline(list, r, ',');) records.push_back(std::atoi(r.c_str()));
    } else {
      numbers.push_back(std::atoi(argv[a]));
    }
  }
  const int matches = numbers.size() > 0 ? numbers[0] : 20;
  if (records.empty()) {
    const int first = numbers.size() > 1 ? numbers[1] : 0;
    const int last = numbers.size() > 2 ? numbers[2] : OpponentTable::kRecords - 1;
    for (int rec = first; rec <= last; ++rec) records.push_back(rec);
  }
  namespace fs = std::filesystem;
  const fs::path runtime = fs::read_symlink("/proc/self/exe").parent_path().parent_path();
  // A folder of our own, so the progress the matches save lands nowhere that matters.
  const fs::path dir = fs::temp_directory_path() / "bramko-bench-computer";
  fs::create_directories(dir);
  for (const char* m : {"map1.txt", "map2.txt", "map3.txt"})
    fs::copy_file(runtime / m, dir / m, fs::copy_options::overwrite_existing);

  if (fair)
    std::printf("human: fair, reaction %d-%d ms\n", reactMs, reactMs + 120);
  else
    std::printf("human: random\n");
  std::printf("%-3s %5s %6s %8s %7s %6s %6s", "#", "wins", "rate", "lead", "rounds", "hits", "human");
  // The fair human's doings: own chips minus the opponent's it took (last round); per match,
  // all rounds: shots, emergency dodges, steps a fang turned aside.
  if (fair) std::printf(" %6s %6s %6s %6s", "chips", "shots", "dodges", "evade");
  std::printf("  %s\n", "opponent");
  for (int rec : records) {
    if (rec < 0 || rec >= OpponentTable::kRecords) continue;
    int wins = 0, roundsTaken = 0, ran = 0, humanItems = 0, humanHits = 0, comHits = 0, humanChips = 0;
    long lead = 0;
    for (int m = 0; m < matches; ++m) {
      const int64_t until = 600000;
      GameOptions o;
      o.start.kind = platform::BackendKind::Headless;
      o.start.scriptText = fair ? std::string() : HumanScript(1000 + m, until);
      if (fair) o.afterCreate = [m, reactMs] { fairhuman::Install(1000 + m, reactMs); };
      o.start.untilMs = until;
      o.singleInstance = false;
      o.dir = dir.string();
      o.haveSeed = true;
      o.seed = 1000 + m;
      o.matchRecord = rec;
      o.matchMap = MapOf(rec);
      ResetComPlayerRunState();  // every match stands for a fresh start of the game
      RunGame(o);
      if (!LastMatch.valid) continue;
      ++ran;
      wins += LastMatch.fighters[1].roundsWon == 2;
      roundsTaken += LastMatch.fighters[1].roundsWon;
      lead += LastMatch.fighters[1].energy - LastMatch.fighters[0].energy;
      humanItems += LastMatch.fighters[0].itemsTaken;
      humanHits += LastMatch.fighters[0].fangHits;
      humanChips += LastMatch.fighters[0].chipCount;
      comHits += LastMatch.fighters[1].fangHits;
    }
    const fairhuman::Tally did = fairhuman::TakeTally();
    const char* name = Opponents()[rec].name.c_str();
    if (ran == 0) {
      std::printf("%-3d %s: no match ran (no match loop in this build?)\n", rec, name);
      continue;
    }
    std::printf("%-3d %2d/%-2d %5.0f%% %8.1f %7.2f %6.1f %6.1f", rec, wins, ran, 100.0 * wins / ran,
                static_cast<double>(lead) / ran, static_cast<double>(roundsTaken) / ran,
                static_cast<double>(comHits) / ran, static_cast<double>(humanHits) / ran);
    if (fair)
      std::printf(" %6.1f %6.1f %6.1f %6.1f", static_cast<double>(humanChips) / ran,
                  static_cast<double>(did.shots) / ran, static_cast<double>(did.dodges) / ran,
                  static_cast<double>(did.evasions) / ran);
    std::printf("  %s\n", name);
    std::fflush(stdout);
  }
  return 0;
}
