// platform: Standard MIDI File length: walk every track's events for the tempo changes and
// the last tick, then turn ticks into time through the tempo map.
#include "platform/media/MidiLength.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform::media {

namespace {

constexpr uint32_t kDefaultTempo = 500000;  // microseconds per quarter note (120 bpm)

struct TempoChange {
  uint64_t tick;
  uint32_t usPerQuarter;
};

struct Track {
  uint64_t endTick = 0;
  std::vector<TempoChange> tempos;
};

uint32_t Be32(const uint8_t* p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}
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

bool ReadTrack(const uint8_t* data, size_t size, Track& track) {
  Reader r(data, size);
  uint64_t tick = 0;
  uint8_t running = 0;
  while (!r.AtEnd()) {
    uint32_t delta;
    if (!r.VarLen(delta)) return false;
    tick += delta;
    uint8_t status;
    if (!r.Byte(status)) return false;
    if (status < 0x80) {
      // Running status: this byte is already the first data byte.
      if (!running) return false;
      if (!r.Skip(ChannelDataBytes(running) - 1)) return false;
    } else if (status < 0xF0) {
      running = status;
      if (!r.Skip(ChannelDataBytes(status))) return false;
    } else if (status == 0xF0 || status == 0xF7) {
      uint32_t len;
      if (!r.VarLen(len) || !r.Skip(len)) return false;
    } else if (status == 0xFF) {
      uint8_t type;
      uint32_t len;
      if (!r.Byte(type) || !r.VarLen(len)) return false;
      const uint8_t* body = r.Here();
      if (!r.Skip(len)) return false;
      if (type == 0x51 && len == 3) {
        uint32_t tempo = (body[0] << 16) | (body[1] << 8) | body[2];
        if (tempo > 0) track.tempos.push_back({tick, tempo});
      } else if (type == 0x2F) {
        break;  // end of track: anything after it is not played
      }
    } else {
      return false;  // system real-time and common bytes do not belong in a file
    }
  }
  track.endTick = tick;
  return true;
}

// Microseconds from tick 0 to endTick under a tempo map sorted by tick.
double TicksToUs(const std::vector<TempoChange>& tempos, uint64_t endTick, uint16_t division) {
  if (division & 0x8000) {
    // SMPTE time: frames per second and ticks per frame, tempo does not matter.
    int fps = -static_cast<int8_t>(division >> 8);
    double realFps = fps == 29 ? 29.97 : fps;
    return static_cast<double>(endTick) * 1e6 / (realFps * (division & 0xFF));
  }
  double us = 0;
  uint64_t at = 0;
  uint32_t tempo = kDefaultTempo;
  for (const TempoChange& t : tempos) {
    if (t.tick >= endTick) break;
    us += static_cast<double>(t.tick - at) * tempo / division;
    at = t.tick;
    tempo = t.usPerQuarter;
  }
  us += static_cast<double>(endTick - at) * tempo / division;
  return us;
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

  std::vector<Track> tracks;
  size_t pos = 8 + headerLen;
  while (tracks.size() < trackCount && pos + 8 <= size) {
    uint32_t len = Be32(p + pos + 4);
    size_t body = pos + 8;
    if (len > size - body) return std::nullopt;  // cut-off file
    if (std::memcmp(p + pos, "MTrk", 4) == 0) {
      Track t;
      if (!ReadTrack(p + body, len, t)) return std::nullopt;
      tracks.push_back(std::move(t));
    }
    pos = body + len;  // other chunk kinds are skipped
  }
  if (tracks.size() < trackCount) return std::nullopt;

  double us = 0;
  if (format == 2) {
    // Independent patterns played one after another, each with its own tempo.
    for (Track& t : tracks) {
      std::stable_sort(t.tempos.begin(), t.tempos.end(),
                       [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
      us += TicksToUs(t.tempos, t.endTick, division);
    }
  } else {
    // One timeline: a tempo change in any track sets the tempo of all of them.
    std::vector<TempoChange> tempos;
    uint64_t end = 0;
    for (const Track& t : tracks) {
      tempos.insert(tempos.end(), t.tempos.begin(), t.tempos.end());
      end = std::max(end, t.endTick);
    }
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    us = TicksToUs(tempos, end, division);
  }
  double ms = std::ceil(us / 1000.0 - 1e-9);
  if (ms > 4294967295.0) ms = 4294967295.0;  // over seven weeks: a broken file, but no overflow
  return static_cast<uint32_t>(ms);
}

}  // namespace platform::media
