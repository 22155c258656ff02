// Minimal Standard MIDI File reader for checking the built tunes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct MidiEvent {
  uint32_t tick = 0;          // absolute, in the file's ticks
  uint8_t status = 0;         // 0x80..0xEF channel message, 0xF0/0xF7 sysex, 0xFF meta
  uint8_t metaType = 0;       // for meta events
  std::vector<uint8_t> data;  // channel data bytes, sysex bytes or meta payload

  int channel() const { return status & 0x0F; }  // 0-based; 9 is the GM drum channel
  bool isNoteOn() const { return (status & 0xF0) == 0x90 && data.size() == 2 && data[1] > 0; }
  bool isNoteOff() const {
    return (status & 0xF0) == 0x80 || ((status & 0xF0) == 0x90 && data.size() == 2 && data[1] == 0);
  }
};

struct MidiFile {
  int format = 0;
  int division = 0;  // ticks per quarter note
  std::vector<std::vector<MidiEvent>> tracks;

  // Every event of every track in tick order.
  std::vector<MidiEvent> merged() const;
  // Ticks to seconds through the tempo map (120 bpm until the first tempo event).
  double seconds(uint32_t tick) const;
  // The latest end-of-track tick over all tracks.
  uint32_t endTick() const;
  int noteOnCount() const;
  // Ticks per bar from the first time signature (4/4 if there is none).
  uint32_t barTicks() const;
};

// Throws std::runtime_error with the reason when the file is missing or malformed:
// bad chunk headers, truncated events, data bytes with the top bit set, a track that does
// not end with its end-of-track event.
MidiFile readMidi(const std::string& path);
