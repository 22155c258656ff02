// battle: the replay file. A replay holds what shaped a match when it began and the tape of
// all that passed the match's door, in the order it passed, each entry with the battle frame
// it came in; then the match's result. Encoding and reading are pure functions over bytes:
// the reader refuses anything it cannot vouch for, whatever the bytes.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "battle/MatchReport.h"

// The layout of the file written; a replay of another layout is refused, except format 1
// (the same without the time of the match), which is still read.
inline constexpr uint16_t kReplayFormat = 2;
// Raised with every change of the game that alters a battle (the regression replays show
// it): a replay recorded under other rules would show another fight, so it is refused.
inline constexpr uint16_t kBattleRulesVersion = 1;
// Longer files are refused unread: a three-round match takes a few kilobytes.
inline constexpr size_t kMaxReplayBytes = 1 << 22;

// What shapes the battle, as it stood when the match began.
struct ReplaySetup {
  std::string gameVersion;  // of the game that recorded it, for the messages
  uint32_t seed = 0;        // the random generator's state
  uint8_t chipOwner = 0;    // the owner of the last chip, which alternates over a whole run
  uint32_t switchCounter = 0;
  uint8_t switchPattern = 0;  // the switching opponent's state, also kept over a run
  uint8_t mode = 0;           // mmVersus or mmStory
  uint8_t mapId = 0;          // the map the fight was chosen on (it picks the arena)
  int opponent = -1;          // the opponent's place in the opponent table; -1: versus
  uint8_t opponentCharacter = 0;
  uint16_t fangPower[2] = {160, 160};  // the human sides' fang power and fang set
  uint8_t fangSet[2] = {0, 0};
  uint8_t framePeriodMs = 15;  // the game speed
  uint16_t roundSeconds = 60;
  uint16_t chipInterval = 4;
};

enum class TapeOp : uint8_t { Bits, Stop, Pause, Wait, Checksum, Closing };
struct TapeEntry {
  uint32_t frame = 0;  // battle frames begun before it
  TapeOp op = TapeOp::Bits;
  uint8_t a = 0;       // Bits: the side; Stop: the RoundStop; Wait: the WaitKind
  uint8_t b = 0;       // Bits: what the side reads from now on; Wait: its TWaitResult
  uint32_t value = 0;  // Wait: how long it took (ms); Checksum: the checksum
  bool operator==(const TapeEntry&) const = default;
};

struct Replay {
  int64_t startedAt = 0;  // when the match began, seconds since 1970; 0: not known (format 1)
  ReplaySetup setup;
  std::vector<TapeEntry> tape;
  MatchReport result;  // what the recorded match left behind
};

std::vector<uint8_t> EncodeReplay(const Replay& replay);

enum class ReplayError { None, NotAReplay, OtherVersion, Damaged };
struct ReplayReading {
  std::optional<Replay> replay;
  ReplayError error = ReplayError::None;
  std::string recordedBy;  // the game version named in a replay of other rules, when known
};
ReplayReading ReadReplay(std::span<const uint8_t> bytes);

// 32-bit FNV-1a over bytes, continuing from hash: the file's own checksum (and the battle's).
inline constexpr uint32_t kFnvStart = 2166136261u;
uint32_t Fnv1a(std::string_view bytes, uint32_t hash = kFnvStart);
