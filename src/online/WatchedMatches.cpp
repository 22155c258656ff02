// online: the spectator's store of matches.
#include "online/WatchedMatches.h"

#include <algorithm>

bool WatchedMatches::Start(const NetStart& start) {
  if (matches_.count(start.round)) return true;
  if (matches_.size() >= kKeptMatches) return false;
  matches_[start.round].start = start;
  return true;
}

bool WatchedMatches::Add(const NetTape& t) {
  const auto it = matches_.find(t.round);
  if (it == matches_.end()) return false;
  WatchedMatch& m = it->second;
  if (m.final || t.first != m.replay.tape.size() || m.replay.tape.size() + t.entries.size() > kMostTapeEntries)
    return false;
  for (const TapeEntry& e : t.entries) {
    if (!m.replay.tape.empty() && e.frame < m.replay.tape.back().frame) return false;
    m.replay.tape.push_back(e);
  }
  if (t.whole == kTapeFinal)
    m.final = true;
  else
    m.whole = std::max(m.whole, t.whole);
  return true;
}

WatchedMatch* WatchedMatches::From(uint16_t round) {
  const auto it = matches_.lower_bound(round);
  return it == matches_.end() ? nullptr : &it->second;
}

void WatchedMatches::Forget(uint16_t round) { matches_.erase(matches_.begin(), matches_.lower_bound(round)); }

NetWatching WatchedMatches::Progress() const {
  if (matches_.empty()) return {};
  const auto& [round, m] = *matches_.rbegin();
  return {round, m.final ? kTapeFinal : m.whole};
}
