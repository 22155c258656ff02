#include "MidiFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace {

struct Reader {
  const std::vector<unsigned char>& b;
  size_t at;
  size_t end;
  std::string where;

  void need(size_t n) const {
    if (at + n > end) throw std::runtime_error(where + ": truncated");
  }
  uint8_t byte() {
    need(1);
    return b[at++];
  }
  uint32_t be(int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = v << 8 | byte();
    return v;
  }
  uint32_t varLen() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      const uint8_t c = byte();
      v = v << 7 | (c & 0x7F);
      if (!(c & 0x80)) return v;
    }
    throw std::runtime_error(where + ": variable-length number longer than 4 bytes");
  }
  std::vector<uint8_t> bytes(size_t n) {
    need(n);
    std::vector<uint8_t> v(b.begin() + long(at), b.begin() + long(at + n));
    at += n;
    return v;
  }
  uint8_t dataByte() {
    const uint8_t c = byte();
    if (c & 0x80) throw std::runtime_error(where + ": status byte where a data byte belongs");
    return c;
  }
};

std::vector<MidiEvent> readTrack(Reader r) {
  std::vector<MidiEvent> events;
  uint32_t tick = 0;
  uint8_t running = 0;
  while (r.at < r.end) {
    MidiEvent e;
    tick += r.varLen();
    e.tick = tick;
    uint8_t status = r.byte();
    if (status < 0x80) {  // running status: reuse the last channel status
      if (!running) throw std::runtime_error(r.where + ": data byte without a status");
      --r.at;
      status = running;
    }
    e.status = status;
    if (status == 0xFF) {
      e.metaType = r.byte();
      e.data = r.bytes(r.varLen());
      events.push_back(e);
      if (e.metaType == 0x2F) {
        if (r.at != r.end) throw std::runtime_error(r.where + ": events after end of track");
        return events;
      }
      continue;
    }
    if (status == 0xF0 || status == 0xF7) {
      e.data = r.bytes(r.varLen());
      running = 0;
    } else if (status >= 0xF0) {
      throw std::runtime_error(r.where + ": system message not allowed in a file");
    } else {
      running = status;
      const int count = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
      for (int i = 0; i < count; ++i) e.data.push_back(r.dataByte());
    }
    events.push_back(e);
  }
  throw std::runtime_error(r.where + ": no end-of-track event");
}

}  // namespace

MidiFile readMidi(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  const std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Reader r{b, 0, b.size(), path};
  if (r.bytes(4) != std::vector<uint8_t>{'M', 'T', 'h', 'd'} || r.be(4) != 6)
    throw std::runtime_error(path + ": no MThd header");
  MidiFile m;
  m.format = int(r.be(2));
  const uint32_t trackCount = r.be(2);
  m.division = int(r.be(2));
  if (m.format > 2 || trackCount == 0 || m.division <= 0 || (m.division & 0x8000))
    throw std::runtime_error(path + ": unsupported header values");
  if (m.format == 0 && trackCount != 1) throw std::runtime_error(path + ": format 0 with several tracks");
  for (uint32_t t = 0; t < trackCount; ++t) {
    if (r.bytes(4) != std::vector<uint8_t>{'M', 'T', 'r', 'k'})
      throw std::runtime_error(path + ": track " + std::to_string(t) + " has no MTrk header");
    const uint32_t size = r.be(4);
    r.need(size);
    m.tracks.push_back(readTrack(Reader{b, r.at, r.at + size, path + " track " + std::to_string(t)}));
    r.at += size;
  }
  return m;
}

std::vector<MidiEvent> MidiFile::merged() const {
  std::vector<MidiEvent> all;
  for (const auto& t : tracks) all.insert(all.end(), t.begin(), t.end());
  std::stable_sort(all.begin(), all.end(), [](const MidiEvent& a, const MidiEvent& b) { return a.tick < b.tick; });
  return all;
}

double MidiFile::seconds(uint32_t tick) const {
  double secs = 0, usPerQuarter = 500000;
  uint32_t from = 0;
  for (const auto& e : merged()) {
    if (e.tick >= tick) break;
    if (e.status == 0xFF && e.metaType == 0x51 && e.data.size() == 3) {
      secs += double(e.tick - from) * usPerQuarter / 1e6 / division;
      from = e.tick;
      usPerQuarter = double(uint32_t(e.data[0]) << 16 | uint32_t(e.data[1]) << 8 | e.data[2]);
    }
  }
  return secs + double(tick - from) * usPerQuarter / 1e6 / division;
}

uint32_t MidiFile::endTick() const {
  uint32_t end = 0;
  for (const auto& t : tracks)
    if (!t.empty()) end = std::max(end, t.back().tick);
  return end;
}

int MidiFile::noteOnCount() const {
  int n = 0;
  for (const auto& t : tracks)
    for (const auto& e : t) n += e.isNoteOn();
  return n;
}

uint32_t MidiFile::barTicks() const {
  for (const auto& e : merged())
    if (e.status == 0xFF && e.metaType == 0x58 && e.data.size() >= 2)
      return uint32_t(division) * 4 * e.data[0] >> e.data[1];
  return uint32_t(division) * 4;
}
