// online: the host's spectators' seats and what goes to them.
#include "online/SpectatorSeats.h"

#include <algorithm>

#include "online/OnlineSession.h"
#include "platform/net/NetLink.h"

bool SpectatorSeats::Seat(uint32_t id, uint64_t now) {
  clock_ = now;
  if (seats_.size() >= kMaxSpectators || Has(id)) return false;
  link_.Watch(id);
  seats_.push_back({});
  seats_.back().id = id;
  seats_.back().heardAt = now;
  Spectator& seat = seats_.back();
  if (sides_) Send(seat, *sides_);
  // In the middle of a match: its start now, the tape so far with the next sending.
  if (start_) {
    Send(seat, *start_);
    seat.said.round = start_->round;
  }
  return true;
}

bool SpectatorSeats::Has(uint32_t id) const {
  return std::any_of(seats_.begin(), seats_.end(), [&](const Spectator& s) { return s.id == id; });
}

void SpectatorSeats::Heard(uint32_t id, const NetMessage& message, uint64_t now) {
  for (Spectator& seat : seats_) {
    if (seat.id != id) continue;
    seat.heardAt = now;
    if (const auto* w = std::get_if<NetWatching>(&message)) seat.said = *w;
  }
}

void SpectatorSeats::Send(Spectator& seat, const NetMessage& message) {
  link_.SendTo(seat.id, EncodeNetMessage(message), true);
  seat.sentAt = clock_;
}

void SpectatorSeats::Sides(const NetSides& sides) {
  if (sides_ && *sides_ == sides) return;
  sides_ = sides;
  for (Spectator& seat : seats_) Send(seat, sides);
}

void SpectatorSeats::MatchStarted(const NetStart& start) {
  start_ = start;
  tape_.clear();
  whole_ = 0;
  for (Spectator& seat : seats_) {
    seat.sent = 0;
    seat.sentWhole = 0;
    Send(seat, start);
  }
}

void SpectatorSeats::Tape(uint16_t round, const std::vector<TapeEntry>& tape, uint32_t whole, uint64_t now) {
  if (!start_ || start_->round != round || tape.size() < tape_.size()) return;
  tape_.insert(tape_.end(), tape.begin() + static_cast<std::ptrdiff_t>(tape_.size()), tape.end());
  whole_ = whole;
  clock_ = now;
  if (whole != kTapeFinal && now - flushedAt_ < kTapeEveryMs) return;
  flushedAt_ = now;
  Flush();
  if (whole == kTapeFinal) start_.reset();  // a spectator coming now waits for the next match
}

void SpectatorSeats::Flush() {
  for (Spectator& seat : seats_) {
    while (seat.sent < tape_.size() || seat.sentWhole != whole_) {
      NetTape t;
      t.round = start_->round;
      t.first = static_cast<uint32_t>(seat.sent);
      const size_t n = std::min<size_t>(tape_.size() - seat.sent, kMaxTapePerMessage);
      t.entries.assign(tape_.begin() + static_cast<std::ptrdiff_t>(seat.sent),
                       tape_.begin() + static_cast<std::ptrdiff_t>(seat.sent + n));
      seat.sent += n;
      // The whole mark holds for what was sent only once all of it is.
      t.whole = seat.sent == tape_.size() ? whole_ : seat.sentWhole;
      seat.sentWhole = t.whole;
      Send(seat, t);
    }
  }
}

void SpectatorSeats::Service(uint64_t now, int framePeriodMs) {
  clock_ = now;
  // What came since the last sending (a wait's end, between frames) goes within kTapeEveryMs.
  if (start_ && now - flushedAt_ >= kTapeEveryMs) {
    flushedAt_ = now;
    Flush();
  }
  const std::vector<uint32_t> connected = link_.Watchers();
  std::erase_if(seats_, [&](const Spectator& s) {
    return std::find(connected.begin(), connected.end(), s.id) == connected.end();
  });
  const uint32_t mostBehind = kMostBehindMs / static_cast<uint32_t>(std::max(framePeriodMs, 1));
  std::erase_if(seats_, [&](Spectator& s) {
    bool behind = false;
    if (start_ && whole_ != kTapeFinal) {
      const uint32_t theirs = s.said.round == start_->round ? s.said.whole : 0;
      behind = theirs != kTapeFinal && whole_ > theirs && whole_ - theirs > mostBehind;
    }
    if (!behind) s.behindSince.reset();
    if (behind && !s.behindSince) s.behindSince = now;
    const bool silent = now - s.heardAt >= kSilenceLimitMs;
    if (!silent && !(s.behindSince && now - *s.behindSince >= kBehindForMs)) return false;
    link_.SendAway(s.id, platform::net::kBehindCode);
    return true;
  });
  for (Spectator& seat : seats_)
    if (now - seat.sentAt >= kAliveEveryMs) Send(seat, NetAlive{});
}
