// The built sound effects, tunes and reset file beside the executables: format, length,
// level and the shape each needs where the game plays it.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "AudioCatalogue.h"
#include "MidiFile.h"
#include "WavFile.h"

namespace {

// Coarse fingerprint of an effect: loudness envelope over ten slices and its brightness.
struct Fingerprint {
  double seconds;
  std::vector<double> envelopeDb;
  double crossingsPerSecond;
};

Fingerprint fingerprint(const WavFile& w) {
  Fingerprint f{w.seconds(), {}, 0};
  const size_t frames = w.frames();
  for (int i = 0; i < 10; ++i)
    f.envelopeDb.push_back(std::max(-60.0, rmsDb(w, frames * i / 10, frames * (i + 1) / 10)));
  int crossings = 0;
  for (size_t i = 1; i < frames; ++i)
    crossings += (w.samples[(i - 1) * w.channels] < 0) != (w.samples[i * w.channels] < 0);
  f.crossingsPerSecond = crossings / f.seconds;
  return f;
}

bool soundAlike(const Fingerprint& a, const Fingerprint& b) {
  if (std::fabs(a.seconds - b.seconds) > 0.15 * std::max(a.seconds, b.seconds)) return false;
  if (std::fabs(a.crossingsPerSecond - b.crossingsPerSecond) >
      0.15 * std::max(a.crossingsPerSecond, b.crossingsPerSecond))
    return false;
  for (size_t i = 0; i < a.envelopeDb.size(); ++i)
    if (std::fabs(a.envelopeDb[i] - b.envelopeDb[i]) > 3.0) return false;
  return true;
}

}  // namespace

TEST(AudioEffects, EachIsAShortLevelledPcmFileOfItsIntendedLength) {
  for (const auto& want : effectCatalogue()) {
    SCOPED_TRACE(want.name);
    WavFile w;
    ASSERT_NO_THROW(w = readWav(runtimeFile(want.name + ".wav")));
    EXPECT_EQ(w.formatTag, 1);
    EXPECT_EQ(w.bitsPerSample, 16);
    EXPECT_EQ(w.channels, 1);
    EXPECT_EQ(w.sampleRate, 22050);
    EXPECT_GE(w.seconds(), want.minSeconds);
    EXPECT_LE(w.seconds(), want.maxSeconds);
    // Levelled: the loudest 50 ms of every effect sits near one common loudness, and no
    // effect is clipped to full scale.
    EXPECT_GE(loudestWindowDb(w), -14.0);
    EXPECT_LE(loudestWindowDb(w), -10.0);
    EXPECT_LT(peakDb(w), -0.1);
    // Punchy: the sound starts at once.
    EXPECT_LT(soundingSpan(w, -40).first, size_t(w.sampleRate) / 50);
    // Ends on silence: the last sample is zero and the last 2 ms are below -50 dBFS, or
    // the speaker jumps back to rest with a click.
    ASSERT_FALSE(w.samples.empty());
    EXPECT_EQ(w.samples.back(), 0);
    const size_t tail = size_t(w.sampleRate) / 500;
    EXPECT_LE(soundingSpan(w, -50).second, w.frames() - tail) << "still sounding in the last 2 ms";
  }
}

TEST(AudioEffects, NoTwoSoundAlike) {
  std::map<std::string, Fingerprint> prints;
  for (const auto& want : effectCatalogue()) prints[want.name] = fingerprint(readWav(runtimeFile(want.name + ".wav")));
  for (auto a = prints.begin(); a != prints.end(); ++a)
    for (auto b = std::next(a); b != prints.end(); ++b)
      EXPECT_FALSE(soundAlike(a->second, b->second)) << a->first << " and " << b->first;
}

TEST(AudioTunes, EachIsGeneralMidiWithItsPartsAndLength) {
  for (const auto& want : tuneCatalogue()) {
    SCOPED_TRACE(want.name);
    MidiFile m;
    ASSERT_NO_THROW(m = readMidi(runtimeFile(want.name + ".mid")));
    EXPECT_GT(m.noteOnCount(), 0);
    std::set<int> voiced, programmed;
    bool programBeforeNotes = true;
    for (const auto& e : m.merged()) {
      if ((e.status & 0xF0) == 0xC0) programmed.insert(e.channel());
      if (e.isNoteOn()) {
        voiced.insert(e.channel());
        if (e.channel() != 9 && !programmed.count(e.channel())) programBeforeNotes = false;
      }
    }
    EXPECT_TRUE(programBeforeNotes) << "a part plays before choosing its instrument";
    EXPECT_EQ(voiced.count(9) == 1, want.drums);
    EXPECT_GE(voiced.size() - voiced.count(9), 3u) << "melody, harmony and bass";
    const double seconds = m.seconds(m.endTick());
    EXPECT_GE(seconds, want.minSeconds);
    EXPECT_LE(seconds, want.maxSeconds);
    // Played, not typed in: the tune (the first voice, on the first channel) swells and falls
    // with its phrases, so its bars' mean velocities lie far apart. A flat accent pattern
    // (127/116/104 on downbeat, beat and off-beat) keeps them within about 20.
    std::map<uint32_t, std::pair<int, int>> bars;  // bar -> velocity sum, notes
    for (const auto& e : m.merged())
      if (e.isNoteOn() && e.channel() == 0) {
        auto& [sum, count] = bars[e.tick / m.barTicks()];
        sum += e.data[1], ++count;
      }
    double quietest = 127, loudest = 0;
    for (const auto& [bar, vc] : bars) {
      quietest = std::min(quietest, double(vc.first) / vc.second);
      loudest = std::max(loudest, double(vc.first) / vc.second);
    }
    EXPECT_GE(loudest - quietest, 25.0) << "bar velocities from " << quietest << " to " << loudest;
  }
}

TEST(AudioTunes, LoopingTunesRunWholeBarsFromFirstNoteToLast) {
  for (const auto& want : tuneCatalogue()) {
    if (!want.loops) continue;
    SCOPED_TRACE(want.name);
    const MidiFile m = readMidi(runtimeFile(want.name + ".mid"));
    const uint32_t bar = m.barTicks();
    uint32_t firstOn = UINT32_MAX, lastOff = 0;
    for (const auto& e : m.merged()) {
      if (e.isNoteOn()) firstOn = std::min(firstOn, e.tick);
      if (e.isNoteOff()) lastOff = std::max(lastOff, e.tick);
    }
    // The keeper restarts the file the moment it stops, so the music has to fill the file:
    // it starts on the downbeat, sounds into the last beat and stops on a bar line.
    EXPECT_LT(firstOn, bar / 32);
    EXPECT_GT(lastOff + bar / 8, m.endTick());
    const uint32_t pastBarLine = m.endTick() % bar;
    EXPECT_LT(pastBarLine, bar / 32) << "end-of-track " << m.endTick() << " with bars of " << bar;
  }
}

TEST(AudioTunes, ResetFileHoldsOnlyTheGeneralMidiSystemOnMessage) {
  MidiFile m;
  ASSERT_NO_THROW(m = readMidi(runtimeFile("Gmreset.mid")));
  int sysex = 0, channelMessages = 0;
  for (const auto& e : m.merged()) {
    if (e.status == 0xF0) {
      ++sysex;
      EXPECT_EQ(e.data, (std::vector<uint8_t>{0x7E, 0x7F, 0x09, 0x01, 0xF7}));
      EXPECT_EQ(e.tick, 0u);
    }
    channelMessages += e.status < 0xF0;
  }
  EXPECT_EQ(sysex, 1);
  EXPECT_EQ(channelMessages, 0);
  EXPECT_LT(m.seconds(m.endTick()), 0.5);
}
