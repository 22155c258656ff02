// online: the messages two copies of the game exchange in an online versus match, and their
// bytes. Each message is one datagram: a kind byte, then fixed little-endian fields (texts
// with a length byte). Encoding and reading are pure; the reader refuses any byte string that
// is not exactly one well-formed message, whatever came over the wire.
#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "battle/ReplayFormat.h"

// Raised with every change of these messages: copies with another number refuse each other.
inline constexpr uint16_t kNetProtocol = 6;
// The most frame inputs one Inputs message carries.
inline constexpr int kMaxInputsPerMessage = 64;
// The most input delay a side may play with.
inline constexpr int kChosenDelayMost = 4;
// The most tape entries one Tape message carries.
inline constexpr int kMaxTapePerMessage = 64;
// Tape whole to its end: the match is over.
inline constexpr uint32_t kTapeFinal = 0xffffffffu;

// Both sides say who they are as soon as they are connected.
struct NetHello {
  uint16_t protocol = kNetProtocol;
  uint16_t rules = 0;       // the battle rules version (kBattleRulesVersion)
  std::string gameVersion;  // for the message when the two cannot play (at most 40 bytes)
  uint8_t watch = 0;        // 1: the sender comes to watch, not to play
  bool operator==(const NetHello&) const = default;
};

// A side's state on the versus screen, sent whenever it changes.
struct NetChoice {
  uint16_t round = 0;   // how many matches were started before: older choices are stale
  uint8_t cursor = 0;   // 0-2 the fang type, 3 "exit"
  uint8_t power = 0;    // power level 0-7
  uint8_t decided = 0;  // 0 or 1
  uint8_t delay = 0;    // the sender's own input delay for the coming match (0 - kChosenDelayMost)
  bool operator==(const NetChoice&) const = default;
};

// The host starts a match: everything that shapes it.
struct NetStart {
  uint16_t round = 0;
  uint8_t delay = 0;  // the host's own input delay in frames for the match
  uint32_t seed = 0;
  uint8_t chipOwner = 0;
  uint32_t switchCounter = 0;
  uint8_t switchPattern = 0;
  uint8_t mapId = 0;
  uint16_t fangPower[2] = {160, 160};
  uint8_t fangSet[2] = {0, 0};
  uint8_t framePeriodMs = 15;
  uint16_t roundSeconds = 60;
  uint16_t chipInterval = 4;
  int64_t startedAt = 0;  // the host's clock, seconds since 1970: both replays name the same time
  bool operator==(const NetStart&) const = default;
};

// One side's inputs for the frames first .. first + inputs.size() - 1, and how far the
// sender has the other side's inputs without a gap (so it need not send them again).
// An input byte: bits 0-5 the fighter's keys, bit 6 pause, bit 7 give up.
struct NetInputs {
  uint16_t round = 0;
  uint32_t first = 0;
  uint32_t have = 0;
  std::vector<uint8_t> inputs;  // 1 .. kMaxInputsPerMessage
  bool operator==(const NetInputs&) const = default;
};

// The checksum of the battle at one of its clock seconds (counted from 1 over the match).
struct NetChecksum {
  uint16_t round = 0;
  uint32_t second = 0;
  uint32_t value = 0;
  bool operator==(const NetChecksum&) const = default;
};

// A wait for the players in a match: the guest tells how its own wait ended (ask), the host
// tells how the wait ends on both sides and how long it lasted (done).
struct NetWait {
  uint16_t round = 0;
  uint32_t seq = 0;    // waits counted from 1 over the match
  uint8_t done = 0;    // 0: the guest's ask, 1: the host's decision
  uint8_t result = 0;  // a TWaitResult: 0, 1, 2 or 6
  uint32_t ms = 0;
  bool operator==(const NetWait&) const = default;
};

// The sender left the match before its end.
enum class NetEndReason : uint8_t { Desync = 1, Closing = 2 };
struct NetEnd {
  uint16_t round = 0;
  NetEndReason reason = NetEndReason::Desync;
  bool operator==(const NetEnd&) const = default;
};

// To spectators: both players' state on the versus screen, sent whenever it changes.
struct NetSides {
  uint16_t round = 0;  // matches started before
  uint8_t cursor[2] = {0, 0};
  uint8_t power[2] = {0, 0};
  uint8_t decided[2] = {0, 0};
  bool operator==(const NetSides&) const = default;
};

// To spectators: the confirmed tape of match round, entries first .. first + entries.size() - 1
// (counted from 0 over the match), and how far it is whole: every entry of the frames below
// whole has been sent (kTapeFinal: the match is over and this is the tape's end).
struct NetTape {
  uint16_t round = 0;
  uint32_t first = 0;
  uint32_t whole = 0;
  std::vector<TapeEntry> entries;  // 0 .. kMaxTapePerMessage
  bool operator==(const NetTape&) const = default;
};

// From a spectator: how far it has the tape of match round (the whole of it received; it says
// so every kAliveEveryMs, and a spectator that falls too far behind is sent away).
struct NetWatching {
  uint16_t round = 0;
  uint32_t whole = 0;
  bool operator==(const NetWatching&) const = default;
};

// Nothing to say: sent when nothing else went for a while, since a side that sends no message
// at all is taken for gone.
struct NetAlive {
  bool operator==(const NetAlive&) const = default;
};

using NetMessage = std::variant<NetHello, NetChoice, NetStart, NetInputs, NetChecksum, NetWait, NetEnd, NetAlive,
                                NetSides, NetTape, NetWatching>;

std::string EncodeNetMessage(const NetMessage& message);
// Inputs go unreliably (the next one repeats a lost one); every other kind reliably, in order.
// Alive messages too: the transport stops its own pings while messages come, and their
// acknowledgements are what keeps the measured round trip (and so the input delay) current.
bool SentReliably(const NetMessage& message);
// The message, or nothing for bytes that are not exactly one well-formed message.
std::optional<NetMessage> ReadNetMessage(std::span<const uint8_t> bytes);
std::optional<NetMessage> ReadNetMessage(const std::string& bytes);

// What shapes the match a start describes, as a replay notes it.
ReplaySetup SetupOf(const NetStart& start);
