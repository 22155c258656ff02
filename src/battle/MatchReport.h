// battle: what the last match left behind, for the simulator's report and the tests.
#pragma once

struct FighterReport {
  int energy = 0, score = 0, roundsWon = 0, chipCount = 0, itemsTaken = 0, fangHits = 0;
  bool operator==(const FighterReport&) const = default;
};
struct MatchReport {
  bool valid = false;  // a match has run
  int result = 0;      // what RunMatch returned
  FighterReport fighters[2];
  bool operator==(const MatchReport&) const = default;
};

extern MatchReport LastMatch;
