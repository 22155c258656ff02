// Battle tests: recording a match through the harness and playing its replay back in a
// fresh headless game, with what the playback left behind.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "BattleHarness.h"
#include "battle/ReplayFormat.h"
#include "battle/ReplayPlayer.h"

namespace replay_test {

// Plays the run's match and returns the replay it was kept as (empty when none was kept).
std::vector<uint8_t> Record(battle_test::MatchRun& run);
Replay Decode(const std::vector<uint8_t>& bytes);

struct Playback {
  ReplayOutcome outcome = ReplayOutcome::Refused;
  MatchReport report;
  int64_t took = -1;  // virtual ms the playback took
  std::vector<std::string> messages;
};
// Plays the replay in a new game on the headless window. script: the viewer's keys;
// before runs first (with the window up), after once the playback is over.
Playback PlayBack(const Replay& replay, const std::string& script = "", const std::function<void()>& before = nullptr,
                  const std::function<void()>& after = nullptr);
// The same for a replay file, through WatchReplayFile (which tells its refusals).
Playback WatchFile(const std::string& path);

// Whether the tape holds an entry of op (and, when given, with this a and b).
bool TapeHas(const Replay& r, TapeOp op, int a = -1, int b = -1);

}  // namespace replay_test
