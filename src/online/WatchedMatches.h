// online: a spectator's store of what the host tells: the versus screen's state, and each
// match's start and confirmed tape as they come. A match is kept until it has been watched;
// a spectator so far behind that matches pile up stops watching.
#pragma once
#include <cstdint>
#include <map>
#include <optional>

#include "online/NetMessage.h"

// The most matches kept at once: the one being watched and those begun since.
inline constexpr size_t kKeptMatches = 3;
// The most tape entries one match may have (a long three-round match has some thousands).
inline constexpr size_t kMostTapeEntries = 1 << 20;

struct WatchedMatch {
  NetStart start;
  Replay replay;       // its tape as it came (the setup is filled in when it is watched)
  uint32_t whole = 0;  // every entry of the frames below it has come
  bool final = false;  // the tape is whole to its end
};

class WatchedMatches {
 public:
  std::optional<NetSides> sides;

  // False when it cannot be kept: too many matches waiting to be watched.
  bool Start(const NetStart& start);
  // False for a tape that does not follow on what came of its match (a host gone wrong).
  bool Add(const NetTape& tape);
  // The first match kept from number round on, or null.
  WatchedMatch* From(uint16_t round);
  // Matches before number round are of no more use.
  void Forget(uint16_t round);
  // How far the tape of the latest match has come, for the host.
  NetWatching Progress() const;

 private:
  std::map<uint16_t, WatchedMatch> matches_;
};
