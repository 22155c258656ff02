// Test helpers: small wave and MIDI files.
#include "support/SoundFiles.h"

#include <cmath>
#include <fstream>

namespace media_test {

namespace {
void Le(Bytes& out, uint32_t v, int n) {
  for (int i = 0; i < n; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Be(Bytes& out, uint32_t v, int n) {
  for (int i = n - 1; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Tag(Bytes& out, const char* t) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(t[i]));
}
}  // namespace

Bytes Wave(uint32_t rate, int channels, int bits, uint32_t frames, double amplitude) {
  const int bytesPerSample = bits / 8;
  const uint32_t block = channels * bytesPerSample;
  Bytes out;
  Tag(out, "RIFF");
  Le(out, 36 + frames * block, 4);
  Tag(out, "WAVE");
  Tag(out, "fmt ");
  Le(out, 16, 4);
  Le(out, 1, 2);
  Le(out, channels, 2);
  Le(out, rate, 4);
  Le(out, rate * block, 4);
  Le(out, block, 2);
  Le(out, bits, 2);
  Tag(out, "data");
  Le(out, frames * block, 4);
  for (uint32_t f = 0; f < frames; ++f) {
    double s = amplitude * std::sin(2 * M_PI * 440.0 * f / rate);
    for (int c = 0; c < channels; ++c) {
      if (bits == 8)
        out.push_back(static_cast<uint8_t>(128 + std::lround(s * 127)));
      else
        Le(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(s * 32767))), 2);
    }
  }
  return out;
}

void PutVarLen(Bytes& out, uint32_t v) {
  uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = v & 0x7F;
    v >>= 7;
  } while (v);
  while (n--) out.push_back(static_cast<uint8_t>(groups[n] | (n ? 0x80 : 0)));
}

MidiTrack& MidiTrack::Event(uint32_t delta, std::initializer_list<uint8_t> bytes) {
  PutVarLen(body, delta);
  body.insert(body.end(), bytes);
  return *this;
}
MidiTrack& MidiTrack::Tempo(uint32_t delta, uint32_t us) {
  return Event(delta, {0xFF, 0x51, 0x03, static_cast<uint8_t>(us >> 16), static_cast<uint8_t>(us >> 8),
                       static_cast<uint8_t>(us)});
}
MidiTrack& MidiTrack::Note(uint32_t delta, uint8_t key, uint32_t length) {
  Event(delta, {0x90, key, 100});
  return Event(length, {0x80, key, 0});
}
MidiTrack& MidiTrack::End(uint32_t delta) { return Event(delta, {0xFF, 0x2F, 0x00}); }

Bytes Midi(uint16_t format, uint16_t division, const std::vector<MidiTrack>& tracks) {
  Bytes out;
  Tag(out, "MThd");
  Be(out, 6, 4);
  Be(out, format, 2);
  Be(out, static_cast<uint32_t>(tracks.size()), 2);
  Be(out, division, 2);
  for (const MidiTrack& t : tracks) {
    Tag(out, "MTrk");
    Be(out, static_cast<uint32_t>(t.body.size()), 4);
    out.insert(out.end(), t.body.begin(), t.body.end());
  }
  return out;
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace media_test
