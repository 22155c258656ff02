// Test helpers: small wave and MIDI files made on the spot.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace media_test {

using Bytes = std::vector<uint8_t>;

// A sine tone of the given length (PCM, little-endian); amplitude 0 gives silence.
Bytes Wave(uint32_t rate, int channels, int bits, uint32_t frames, double amplitude = 0.5);

// One MTrk chunk being written.
class MidiTrack {
 public:
  MidiTrack& Event(uint32_t delta, std::initializer_list<uint8_t> bytes);
  MidiTrack& Tempo(uint32_t delta, uint32_t usPerQuarter);
  MidiTrack& Note(uint32_t delta, uint8_t key, uint32_t length);  // on, then off after length
  MidiTrack& End(uint32_t delta = 0);
  Bytes body;
};
void PutVarLen(Bytes& out, uint32_t v);
Bytes Midi(uint16_t format, uint16_t division, const std::vector<MidiTrack>& tracks);

void WriteBytes(const std::string& path, const Bytes& bytes);

}  // namespace media_test
