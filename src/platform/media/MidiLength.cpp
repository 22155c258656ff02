// platform/media: Standard MIDI File length: walk every track's events for the tempo changes,
// then walk all tracks together in time order and add up the time between events.
#include "platform/media/MidiLength.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <queue>

namespace platform::media {

namespace {

constexpr uint32_t kDefaultTempo = 500000;  // microseconds per quarter note (120 bpm)
// A stretch in which no track has any event counts for at most this long. Real tunes have
// something every few seconds; a delta of 2^28 ticks at the slowest tempo would otherwise
// claim years, and a start-up waiting for that tune would never end.
constexpr double kMaxQuietUs = 10e6;

struct TempoChange {
  uint64_t tick;
  uint32_t usPerQuarter;
};

uint32_t Be32(const uint8_t* p) { return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3]; }
uint16_t Be16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

class Reader {
 public:
  Reader(const uint8_t* p, size_t n) : p_(p), n_(n) {}
  bool AtEnd() const { return pos_ >= n_; }
  bool Byte(uint8_t& b) {
    if (pos_ >= n_) return false;
    b = p_[pos_++];
    return true;
  }
  // Variable-length quantity: at most four bytes of seven bits.
  bool VarLen(uint32_t& v) {
    v = 0;
    for (int i = 0; i < 4; ++i) {
      uint8_t b;
      if (!Byte(b)) return false;
      v = (v << 7) | (b & 0x7F);
      if (!(b & 0x80)) return true;
    }
    return false;
  }
  bool Skip(uint32_t count) {
    if (count > n_ - pos_) return false;
    pos_ += count;
    return true;
  }
  const uint8_t* Here() const { return p_ + pos_; }

 private:
  const uint8_t* p_;
  size_t n_;
  size_t pos_ = 0;
};

// Data bytes that follow a channel status byte.
int ChannelDataBytes(uint8_t status) {
  uint8_t kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

enum class Step { Event, End, Broken };

// One track's events in order. tick is the time of the event just read; at End it is the
// track's end (its end-of-track event, or its last event when that is missing).
class TrackWalker {
 public:
  TrackWalker(const uint8_t* data, size_t size) : r_(data, size) {}

  // Reads the next event; *tempo receives a tempo change's value, else 0.
  Step Next(uint32_t* tempo) {
    *tempo = 0;
    if (r_.AtEnd()) return Step::End;
    uint32_t delta;
    if (!r_.VarLen(delta)) return Step::Broken;
    tick += delta;
    uint8_t status;
    if (!r_.Byte(status)) return Step::Broken;
    if (status < 0x80) {
      // Running status: this byte is already the first data byte.
      if (!running_ || !r_.Skip(ChannelDataBytes(running_) - 1)) return Step::Broken;
    } else if (status < 0xF0) {
      running_ = status;
      if (!r_.Skip(ChannelDataBytes(status))) return Step::Broken;
    } else if (status == 0xF0 || status == 0xF7) {
      uint32_t len;
      if (!r_.VarLen(len) || !r_.Skip(len)) return Step::Broken;
    } else if (status == 0xFF) {
      uint8_t type;
      uint32_t len;
      if (!r_.Byte(type) || !r_.VarLen(len)) return Step::Broken;
      const uint8_t* body = r_.Here();
      if (!r_.Skip(len)) return Step::Broken;
      if (type == 0x51 && len == 3) *tempo = (body[0] << 16) | (body[1] << 8) | body[2];
      if (type == 0x2F) return Step::End;  // end of track: anything after it is not played
    } else {
      return Step::Broken;  // system real-time and common bytes do not belong in a file
    }
    return Step::Event;
  }

  uint64_t tick = 0;

 private:
  Reader r_;
  uint8_t running_ = 0;
};

struct TrackSpan {
  const uint8_t* data;
  size_t size;
};

// Checks a track and collects its tempo changes.
bool ScanTrack(const TrackSpan& span, std::vector<TempoChange>& tempos) {
  TrackWalker w(span.data, span.size);
  for (;;) {
    uint32_t tempo;
    Step s = w.Next(&tempo);
    if (s == Step::Broken) return false;
    if (tempo > 0) tempos.push_back({w.tick, tempo});
    if (s == Step::End) return true;
  }
}

// Ticks to microseconds under a tempo map sorted by tick, for ticks asked in rising order.
class TempoClock {
 public:
  TempoClock(const std::vector<TempoChange>& tempos, uint16_t division) : tempos_(tempos), division_(division) {}

  double Us(uint64_t tick) {
    if (division_ & 0x8000) {
      // SMPTE time: frames per second and ticks per frame, tempo does not matter.
      int fps = -static_cast<int8_t>(division_ >> 8);
      double realFps = fps == 29 ? 29.97 : fps;
      return static_cast<double>(tick) * 1e6 / (realFps * (division_ & 0xFF));
    }
    while (next_ < tempos_.size() && tempos_[next_].tick <= tick) {
      us_ += static_cast<double>(tempos_[next_].tick - at_) * tempo_ / division_;
      at_ = tempos_[next_].tick;
      tempo_ = tempos_[next_].usPerQuarter;
      ++next_;
    }
    return us_ + static_cast<double>(tick - at_) * tempo_ / division_;
  }

 private:
  const std::vector<TempoChange>& tempos_;
  uint16_t division_;
  size_t next_ = 0;
  uint64_t at_ = 0;
  double us_ = 0;
  uint32_t tempo_ = kDefaultTempo;
};

// Playing time of tracks that run side by side on one tempo map: every event of every
// track in time order, each quiet stretch between two of them counted up to its limit.
double PlayingUs(const std::vector<TrackSpan>& tracks, const std::vector<TempoChange>& tempos, uint16_t division) {
  std::vector<TrackWalker> walkers;
  walkers.reserve(tracks.size());
  using Due = std::pair<uint64_t, size_t>;  // tick of a track's pending event, track
  std::priority_queue<Due, std::vector<Due>, std::greater<Due>> due;
  std::vector<bool> ended(tracks.size(), false);
  uint32_t tempo;
  for (size_t i = 0; i < tracks.size(); ++i) {
    walkers.emplace_back(tracks[i].data, tracks[i].size);
    ended[i] = walkers[i].Next(&tempo) != Step::Event;  // the tracks were checked before
    due.push({walkers[i].tick, i});
  }
  TempoClock clock(tempos, division);
  // Only what quiet stretches have beyond the limit is taken off, so a tune without such a
  // stretch ends exactly at its longest track's end.
  double last = 0, cut = 0;
  while (!due.empty()) {
    auto [tick, i] = due.top();
    due.pop();
    const double now = clock.Us(tick);
    cut += std::max(0.0, now - last - kMaxQuietUs);
    last = now;
    if (ended[i]) continue;
    ended[i] = walkers[i].Next(&tempo) != Step::Event;
    due.push({walkers[i].tick, i});
  }
  return last - cut;
}

void SortByTick(std::vector<TempoChange>& tempos) {
  std::stable_sort(tempos.begin(), tempos.end(),
                   [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
}

}  // namespace

std::optional<uint32_t> MidiLengthMs(const std::vector<uint8_t>& bytes) {
  const uint8_t* p = bytes.data();
  const size_t size = bytes.size();
  if (size < 14 || std::memcmp(p, "MThd", 4) != 0) return std::nullopt;
  uint32_t headerLen = Be32(p + 4);
  if (headerLen < 6 || headerLen > size - 8) return std::nullopt;
  uint16_t format = Be16(p + 8), trackCount = Be16(p + 10), division = Be16(p + 12);
  if (format > 2 || trackCount == 0) return std::nullopt;
  if (division & 0x8000) {
    int fps = -static_cast<int8_t>(division >> 8);
    if ((fps != 24 && fps != 25 && fps != 29 && fps != 30) || (division & 0xFF) == 0) return std::nullopt;
  } else if (division == 0) {
    return std::nullopt;
  }

  std::vector<TrackSpan> tracks;
  std::vector<std::vector<TempoChange>> trackTempos;
  size_t pos = 8 + headerLen;
  while (tracks.size() < trackCount && pos + 8 <= size) {
    uint32_t len = Be32(p + pos + 4);
    size_t body = pos + 8;
    if (len > size - body) return std::nullopt;  // cut-off file
    if (std::memcmp(p + pos, "MTrk", 4) == 0) {
      tracks.push_back({p + body, len});
      trackTempos.emplace_back();
      if (!ScanTrack(tracks.back(), trackTempos.back())) return std::nullopt;
    }
    pos = body + len;  // other chunk kinds are skipped
  }
  if (tracks.size() < trackCount) return std::nullopt;

  double us = 0;
  if (format == 2) {
    // Independent patterns played one after another, each with its own tempo.
    for (size_t i = 0; i < tracks.size(); ++i) {
      SortByTick(trackTempos[i]);
      us += PlayingUs({tracks[i]}, trackTempos[i], division);
    }
  } else {
    // One timeline: a tempo change in any track sets the tempo of all of them.
    std::vector<TempoChange> tempos;
    for (const auto& t : trackTempos) tempos.insert(tempos.end(), t.begin(), t.end());
    SortByTick(tempos);
    us = PlayingUs(tracks, tempos, division);
  }
  double ms = std::ceil(us / 1000.0 - 1e-9);
  if (ms > 4294967295.0) ms = 4294967295.0;  // not reachable through the quiet limit, but never wrap
  return static_cast<uint32_t>(ms);
}

}  // namespace platform::media
