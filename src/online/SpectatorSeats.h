// online: the host's spectators. Up to kMaxSpectators copies of the game watch a hosted game:
// each is sent the versus screen's state, the start of every match and its confirmed tape, and
// one that comes in the middle of a match gets the match so far. They never hold the players
// up: nothing waits for them, and one that falls too far behind is sent away.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

#include "online/NetMessage.h"

namespace platform::net {
class Link;
}

inline constexpr size_t kMaxSpectators = 8;
// The tape goes to the spectators at most this often (each sending carries what came since).
inline constexpr uint32_t kTapeEveryMs = 50;
// A spectator whose tape lags the match by more than this for kBehindForMs in a row is sent
// away: the link to it cannot carry the match (one that came late catches up in a moment).
inline constexpr uint32_t kMostBehindMs = 10000, kBehindForMs = 5000;

class SpectatorSeats {
 public:
  explicit SpectatorSeats(platform::net::Link& link) : link_(link) {}

  // A greeted candidate that came to watch takes a seat; false when all are taken.
  bool Seat(uint32_t id, uint64_t now);
  bool Has(uint32_t id) const;
  size_t Count() const { return seats_.size(); }
  // What a spectator said.
  void Heard(uint32_t id, const NetMessage& message, uint64_t now);

  // The versus screen's state; sent when it changed.
  void Sides(const NetSides& sides);
  // A match begins: its start goes to everyone, its tape follows.
  void MatchStarted(const NetStart& start);
  // The confirmed tape of the match in progress so far, whole below frame whole (kTapeFinal:
  // the match is over). What the spectators have not had goes now or within kTapeEveryMs.
  void Tape(uint16_t round, const std::vector<TapeEntry>& tape, uint32_t whole, uint64_t now);

  // Seats of spectators gone from the link are freed; those silent or too far behind are sent
  // away; those sent nothing for a while hear that the host is there.
  void Service(uint64_t now, int framePeriodMs);

 private:
  struct Spectator {
    uint32_t id = 0;
    uint64_t heardAt = 0;
    uint64_t sentAt = 0;
    size_t sent = 0;         // tape entries sent
    uint32_t sentWhole = 0;  // the whole mark last sent
    NetWatching said;        // how far it says it has the tape
    std::optional<uint64_t> behindSince;
  };
  void Send(Spectator& seat, const NetMessage& message);
  void Flush();

  platform::net::Link& link_;
  std::vector<Spectator> seats_;
  std::optional<NetSides> sides_;
  std::optional<NetStart> start_;  // of the match in progress
  std::vector<TapeEntry> tape_;    // its confirmed tape so far
  uint32_t whole_ = 0;
  uint64_t flushedAt_ = 0;
  uint64_t clock_ = 0;  // ms: the latest time told
};
