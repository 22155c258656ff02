// Tournament of every computer opponent against a scripted human that only walks about and
// fires (or dodges) at random, headless, with fixed seeds. Prints each opponent's win rate
// and its average energy lead at the end of the match (last round), with the average fang
// hits per match (last round) of the computer and of the human.
//   bench_computer [matches per opponent = 20] [first record] [last record]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "actors/Comparas.h"
#include "actors/Complayer.h"
#include "app/GameApp.h"
#include "shell/MatchReport.h"
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
    case 3: case 5: case 7: case 8: return 2;
    case 6: case 13: case 14: case 15: case 16: return 3;
    default: return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int matches = argc > 1 ? std::atoi(argv[1]) : 20;
  const int first = argc > 2 ? std::atoi(argv[2]) : 0;
  const int last = argc > 3 ? std::atoi(argv[3]) : OpponentTable::kRecords - 1;
  namespace fs = std::filesystem;
  const fs::path runtime = fs::read_symlink("/proc/self/exe").parent_path().parent_path();
  // A folder of our own, so the progress the matches save lands nowhere that matters.
  const fs::path dir = fs::temp_directory_path() / "bramko-bench-computer";
  fs::create_directories(dir);
  for (const char* m : {"map1.txt", "map2.txt", "map3.txt"})
    fs::copy_file(runtime / m, dir / m, fs::copy_options::overwrite_existing);

  std::printf("%-3s %5s %6s %8s %7s %6s %6s  %s\n", "#", "wins", "rate", "lead", "rounds", "hits", "human", "opponent");
  for (int rec = first; rec <= last; ++rec) {
    int wins = 0, roundsTaken = 0, ran = 0, humanItems = 0, humanHits = 0, comHits = 0;
    long lead = 0;
    for (int m = 0; m < matches; ++m) {
      const int64_t until = 600000;
      GameOptions o;
      o.start.kind = platform::BackendKind::Headless;
      o.start.scriptText = HumanScript(1000 + m, until);
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
      comHits += LastMatch.fighters[1].fangHits;
    }
    const char* name = Opponents()[rec].name.c_str();
    if (ran == 0) {
      std::printf("%-3d %s: no match ran (no match loop in this build?)\n", rec, name);
      continue;
    }
    std::printf("%-3d %2d/%-2d %5.0f%% %8.1f %7.2f %6.1f %6.1f  %s\n", rec, wins, ran, 100.0 * wins / ran,
                static_cast<double>(lead) / ran, static_cast<double>(roundsTaken) / ran,
                static_cast<double>(comHits) / ran, static_cast<double>(humanHits) / ran, name);
    std::fflush(stdout);
  }
  return 0;
}
