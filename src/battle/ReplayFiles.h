// battle: the replay files. The last match is always kept as "last.rpl" (and in memory);
// the player keeps others under names of their own. All live in the replay folder beside
// the save file (ReplayFolder). Every failure is told to the player in a message box.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "battle/ReplayFormat.h"
#include "battle/ReplayPlayer.h"

inline constexpr const char* kLastReplayName = "last";
inline constexpr const char* kReplayExtension = ".rpl";

// The last match's replay: kept in memory and written to "last.rpl" (a failed write only
// costs that file; the match is still kept in memory).
void KeepLastReplay(const Replay& replay);
const std::vector<uint8_t>& LastReplayBytes();  // this run's; empty before its first match
void ForgetLastReplay();                        // a new run in the same process
// The last match to keep under a name: this run's, else the "last.rpl" an earlier run left.
std::vector<uint8_t> LastReplayToKeep();

std::string ReplayPath(const std::string& name);

// A name the player may give a replay: the text with the characters no file name may hold
// taken out, trimmed, at most 64 bytes (whole characters); empty when nothing is left.
std::string ReplayFileName(const std::string& text);
// A name for the last replay: when its match was played and what was fought.
std::string SuggestedReplayName(const Replay& replay);

// Keeps the last replay under a name; false (after its message) when it could not.
bool SaveLastReplayAs(const std::string& name);

struct ReplayListing {
  std::string name;  // the file's name without its extension
  std::string path;
  std::string line;  // the name, then what it does not say of the fight, result and date
};
// The replays in the folder: the last match first, then the newest match first.
std::vector<ReplayListing> ListReplays();

// Reads and checks a replay file; none (after its message) when it cannot be played.
std::optional<Replay> LoadReplayFile(const std::string& path);
// The message for a reading that refused the bytes.
std::string ReplayRefusal(const ReplayReading& reading);

// Plays a replay file on the window; every refusal and a drift are told in a message.
// The outcome, or Refused when the file could not be read.
ReplayOutcome WatchReplayFile(const std::string& path);
