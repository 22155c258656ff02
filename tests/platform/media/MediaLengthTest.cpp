// Playing times read from wave and MIDI files, and what the readers refuse.
#include <gtest/gtest.h>

#include <random>

#include "support/SoundFiles.h"
#include "platform/media/MidiLength.h"
#include "platform/media/WavInfo.h"

using namespace media_test;
using platform::media::MidiLengthMs;
using platform::media::ReadWavInfo;

namespace {

Bytes Cut(const Bytes& b, size_t n) { return Bytes(b.begin(), b.begin() + static_cast<long>(n)); }

// Format 0, one track: default tempo (120 bpm), four quarter notes at 480 ticks each.
Bytes FourQuarters() {
  MidiTrack t;
  for (int i = 0; i < 4; ++i) t.Note(0, 60, 480);
  t.End();
  return Midi(0, 480, {t});
}

}  // namespace

TEST(WavInfo, LengthFromFormatAndData) {
  auto mono = ReadWavInfo(Wave(44100, 1, 16, 22050));
  ASSERT_TRUE(mono);
  EXPECT_EQ(mono->lengthMs, 500u);
  EXPECT_EQ(mono->channels, 1);
  EXPECT_EQ(mono->dataBytes, 44100u);

  auto stereo8 = ReadWavInfo(Wave(11025, 2, 8, 11025));
  ASSERT_TRUE(stereo8);
  EXPECT_EQ(stereo8->lengthMs, 1000u);
  EXPECT_EQ(stereo8->blockAlign, 2);

  // A single frame still plays for a millisecond.
  EXPECT_EQ(ReadWavInfo(Wave(44100, 1, 16, 1))->lengthMs, 1u);
}

TEST(WavInfo, WalksOddChunksAndForgivesWrongSizes) {
  Bytes w = Wave(8000, 1, 16, 4000);  // 500 ms
  // An odd-sized LIST chunk (with its pad byte) before the format chunk.
  Bytes list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  w.insert(w.begin() + 12, list.begin(), list.end());
  // A RIFF size that lies must not matter.
  w[4] = w[5] = w[6] = w[7] = 0;
  auto info = ReadWavInfo(w);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->lengthMs, 500u);

  // A data chunk claiming more than the file holds plays what is there.
  Bytes cut = Cut(Wave(8000, 1, 16, 4000), 44 + 1600);  // 800 frames = 100 ms
  auto short_ = ReadWavInfo(cut);
  ASSERT_TRUE(short_);
  EXPECT_EQ(short_->dataBytes, 1600u);
  EXPECT_EQ(short_->lengthMs, 100u);
}

TEST(WavInfo, RefusesWhatIsNoWave) {
  EXPECT_FALSE(ReadWavInfo({}));
  EXPECT_FALSE(ReadWavInfo(FourQuarters()));
  Bytes w = Wave(8000, 1, 16, 100);
  Bytes notWave = w;
  notWave[8] = 'X';
  EXPECT_FALSE(ReadWavInfo(notWave));
  Bytes noChannels = w;
  noChannels[22] = 0;
  EXPECT_FALSE(ReadWavInfo(noChannels));
  Bytes noBlock = w;
  noBlock[32] = 0;
  EXPECT_FALSE(ReadWavInfo(noBlock));
  // Every cut that loses the data chunk's header is refused; later cuts only shorten it.
  for (size_t n = 0; n < w.size(); ++n) {
    auto info = ReadWavInfo(Cut(w, n));
    if (n < 44) {
      EXPECT_FALSE(info) << "cut at " << n;
    } else {
      ASSERT_TRUE(info) << "cut at " << n;
      EXPECT_EQ(info->dataBytes, n - 44);
    }
  }
}

TEST(MidiLength, DefaultTempoAndTempoChanges) {
  EXPECT_EQ(MidiLengthMs(FourQuarters()), 2000u);

  // 480 ticks at 120 bpm (500 ms), then 60 bpm for 960 ticks (2000 ms), then 240 bpm
  // for 480 ticks (250 ms).
  MidiTrack t;
  t.Note(0, 60, 480).Tempo(0, 1000000).Note(0, 62, 960).Tempo(0, 250000).Note(0, 64, 480).End();
  EXPECT_EQ(MidiLengthMs(Midi(0, 480, {t})), 2750u);

  // A tempo change after the last note does not count; the end-of-track delta does.
  MidiTrack late;
  late.Note(0, 60, 480).Tempo(0, 1000000).End(480);
  EXPECT_EQ(MidiLengthMs(Midi(0, 480, {late})), 1500u);

  // Fractions of a millisecond round up: 1 tick of 500000/480 us.
  MidiTrack tick;
  tick.End(1);
  EXPECT_EQ(MidiLengthMs(Midi(0, 480, {tick})), 2u);
}

TEST(MidiLength, TracksShareTheTempoMapAndTheLongestEnds) {
  // Format 1: tempo map in the conductor track, notes in two others of different length.
  MidiTrack conductor, a, b;
  conductor.Tempo(0, 250000).Tempo(960, 500000).End();
  a.Note(0, 60, 960).End();                   // 960 ticks at 240 bpm = 500 ms
  b.Note(0, 60, 960).Note(0, 62, 960).End();  // + 960 ticks at 120 bpm = 1000 ms more
  EXPECT_EQ(MidiLengthMs(Midi(1, 480, {conductor, a, b})), 1500u);

  // Running status, a sysex and a text event with a two-byte length along the way.
  MidiTrack r;
  r.Event(0, {0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7});
  r.Event(0, {0xFF, 0x01, 0x81, 0x00});
  r.body.insert(r.body.end(), 128, 'x');
  r.Event(0, {0x90, 60, 100}).Event(240, {62, 100}).Event(240, {60, 0}).Event(0, {62, 0}).Event(0, {0xC0, 5});
  r.End();
  EXPECT_EQ(MidiLengthMs(Midi(0, 480, {r})), 500u);

  // Format 2: patterns one after another, each with its own tempo.
  MidiTrack p1, p2;
  p1.Note(0, 60, 480).End();                    // 500 ms
  p2.Tempo(0, 1000000).Note(0, 60, 480).End();  // 1000 ms
  EXPECT_EQ(MidiLengthMs(Midi(2, 480, {p1, p2})), 1500u);
}

TEST(MidiLength, SmpteTime) {
  // 25 frames per second, 40 ticks per frame: a tick is a millisecond whatever the tempo.
  MidiTrack t;
  t.Tempo(0, 1000000).Note(0, 60, 3000).End();
  uint16_t division = static_cast<uint16_t>((static_cast<uint8_t>(-25) << 8) | 40);
  EXPECT_EQ(MidiLengthMs(Midi(0, division, {t})), 3000u);
}

TEST(MediaLength, DamagedFilesCannotClaimEndlessTime) {
  // A few bytes of MIDI: the slowest tempo at one tick per quarter, then a delta of 2^28
  // ticks before the end, years at face value. A quiet stretch counts for ten seconds.
  MidiTrack endless;
  endless.Tempo(0, 0xFFFFFF).Event(0, {0x90, 60, 100}).End(0x0FFFFFFF);
  EXPECT_EQ(MidiLengthMs(Midi(0, 1, {endless})), 10000u);
  // A long note below that limit keeps its whole length, also with other tracks ending
  // early and one that starts late.
  MidiTrack conductor, held, late;
  conductor.Tempo(0, 1000000).End();
  held.Note(0, 60, 9).End();  // 9 s
  late.Note(8, 64, 9).End();  // from 8 s to 17 s
  EXPECT_EQ(MidiLengthMs(Midi(1, 1, {conductor, held, late})), 17000u);

  // A wave at one frame a second long enough to pass 2^32 ms holds there, not wrapping
  // to some minutes.
  auto slow = ReadWavInfo(Wave(1, 1, 8, 4300000, 0));
  ASSERT_TRUE(slow);
  EXPECT_EQ(slow->lengthMs, UINT32_MAX);
}

TEST(MidiLength, RefusesCorruptFiles) {
  Bytes good = FourQuarters();
  // Any cut of the file leaves a track shorter than its chunk says.
  for (size_t n = 0; n < good.size(); ++n) EXPECT_FALSE(MidiLengthMs(Cut(good, n))) << "cut at " << n;

  auto patched = [&](size_t at, uint8_t v) {
    Bytes b = good;
    b[at] = v;
    return MidiLengthMs(b);
  };
  EXPECT_FALSE(patched(0, 'X'));  // not "MThd"
  EXPECT_FALSE(patched(9, 3));    // format 3
  EXPECT_FALSE(patched(11, 0));   // no tracks
  EXPECT_FALSE(patched(11, 2));   // more tracks promised than present
  Bytes noDivision = good;
  noDivision[12] = noDivision[13] = 0;
  EXPECT_FALSE(MidiLengthMs(noDivision));
  EXPECT_FALSE(patched(12, 0xE5));  // SMPTE time at 27 frames per second
  EXPECT_FALSE(patched(23, 0x40));  // first status byte replaced by a data byte: no running status
  EXPECT_FALSE(patched(23, 0xF8));  // a real-time byte inside a file

  MidiTrack longDelta;
  longDelta.body = {0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x2F, 0x00};  // five-byte delta
  EXPECT_FALSE(MidiLengthMs(Midi(0, 480, {longDelta})));
  MidiTrack longMeta;
  longMeta.Event(0, {0xFF, 0x01, 0x7F, 'a'});  // text longer than the track
  EXPECT_FALSE(MidiLengthMs(Midi(0, 480, {longMeta})));

  EXPECT_FALSE(MidiLengthMs(Wave(8000, 1, 16, 100)));
}

TEST(MediaReaders, SurviveRandomDamage) {
  // Flipped bytes anywhere: never a crash, and whatever is accepted stays within reason.
  std::mt19937 rng(7);
  MidiTrack conductor, notes;
  conductor.Tempo(0, 400000).Tempo(480, 600000).End();
  for (int i = 0; i < 16; ++i) notes.Note(10, static_cast<uint8_t>(60 + i), 110);
  notes.End();
  const Bytes midi = Midi(1, 96, {conductor, notes});
  const Bytes wave = Wave(22050, 2, 16, 2000);
  int midiAccepted = 0;
  for (int round = 0; round < 3000; ++round) {
    Bytes m = midi, w = wave;
    for (int k = 0; k < 3; ++k) {
      m[rng() % m.size()] = static_cast<uint8_t>(rng());
      w[rng() % 60] = static_cast<uint8_t>(rng());
    }
    if (MidiLengthMs(m)) ++midiAccepted;
    if (auto info = ReadWavInfo(w)) {
      EXPECT_LE(info->dataBytes, w.size());
    }
  }
  // Damage to note data goes unnoticed, damage to the structure does not.
  EXPECT_GT(midiAccepted, 0);
  EXPECT_LT(midiAccepted, 3000);
}
