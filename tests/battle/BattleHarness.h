// Battle tests: a match run headless in-process with a fixed seed, a timed script and a
// "lever" that decides how each round ends (the energies and a perfect or a time-up) just
// before its first frame, so the round results can be checked exactly. The lever also
// watches the battle canvas for the glyph announcements.
#pragma once
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "battle/MatchReport.h"

struct OpponentRecord;

namespace battle_test {

enum class End { Perfect, TimeUp };
struct RoundPlan {
  int leftEnergy = 0, rightEnergy = 0;
  End end = End::TimeUp;
};
// Shorthands: the left or right side wins by a perfect, or by time with this lead.
RoundPlan LeftPerfect(int lead = 1200);
RoundPlan RightPerfect(int lead = 1200);
RoundPlan LeftByTime(int lead = 100);
RoundPlan RightByTime(int lead = 100);
RoundPlan DrawByTime();

struct MatchRun {
  // What to play.
  std::vector<RoundPlan> plan;  // one per round; rounds after the plan run by themselves
  std::string script;           // further timed events (keys, focus, close)
  int64_t untilMs = 400000;
  uint32_t seed = 7;
  const OpponentRecord* right = nullptr;  // null: two humans (versus)
  std::string dir;                        // the executable's folder; empty: the build's
  std::function<void()> before;           // once the window exists, before the match
  std::function<void()> after;            // once the match is over, before the window closes
  std::function<void()> onLever;          // every lever turn (20 ms of virtual time)

  // What happened.
  int result = -1;
  MatchReport report;
  std::set<std::string> seen;    // announcements seen on the battle canvas
  int64_t matchEndedAt = -1;     // virtual time when RunMatch returned
  int64_t runEndedAt = -1;       // virtual time when the whole run ended
  bool windowGivenBack = false;  // menu, picture control and cursor back, paint filter off
  int arenaSpritesAfter = -1;    // sprites left on the arena when the match is over
};

// Runs the match; fills the results of run.
void Play(MatchRun& run);

// True when the text's display glyphs stand at (x, y) of the canvas (drawing them again
// would change nothing).
bool ShowsGlyphText(int x, int y, const std::string& text);

inline bool Seen(const MatchRun& run, const char* text) { return run.seen.count(text) != 0; }

// Virtual time now.
int64_t Now();

// Random key presses of player 1 (and player 2 when both) from..to: mostly steps, now and
// then a shot, rarely a dodge; the same seed gives the same script.
std::string RandomPlayScript(uint32_t seed, bool bothPlayers, int64_t from = 3000, int64_t to = 200000);

// Runtime folder copy with the arena maps only, for runs that write the save file.
std::string FolderWithMaps(const std::string& name);

}  // namespace battle_test
