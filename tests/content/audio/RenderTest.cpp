// Every tune rendered as the game renders it (its FluidSynth settings, soundfont, rate and
// gain): audible for as long as its scene needs, at one loudness, never clipped. Each case
// renders one tune, so ctest spreads them over its jobs (all twelve: about 8 CPU seconds).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "AudioCatalogue.h"
#include "MidiFile.h"
#include "platform/media/MusicSettings.h"
#include "platform/media/TuneSynth.h"
#include "WavFile.h"

namespace {

namespace media = platform::media;

// The common loudness: the loudest 3-second window's RMS over both channels, in dBFS.
constexpr double kLoudnessTarget = -18.0, kLoudnessTolerance = 2.0;
constexpr double kLoudnessWindowSeconds = 3.0;
constexpr double kPeakCeilingDb = -1.0;

WavFile renderAsTheGameDoes(const std::string& file) {
  std::ifstream in(runtimeFile(file), std::ios::binary);
  const std::vector<uint8_t> midi((std::istreambuf_iterator<char>(in)), {});
  auto synth = media::TuneSynth::Start(midi, media::kMixRate, media::kMusicGain, media::kSoundFont);
  if (!synth) throw std::runtime_error("the synthesizer refused " + file);
  WavFile w;
  w.formatTag = 1, w.channels = 2, w.sampleRate = media::kMixRate, w.bitsPerSample = 16;
  if (!synth->RenderToEnd(w.samples, size_t(media::kMixRate) * 2 * 300)) throw std::runtime_error(file + " never ends");
  return w;
}

class TuneRender : public ::testing::TestWithParam<TuneShape> {};

}  // namespace

TEST_P(TuneRender, IsAudibleForItsLengthAtTheCommonLoudness) {
  const TuneShape& want = GetParam();
  ASSERT_TRUE(std::filesystem::exists(media::kSoundFont));
  WavFile w;
  ASSERT_NO_THROW(w = renderAsTheGameDoes(want.name + ".mid"));
  const auto [first, last] = soundingSpan(w, -60);
  ASSERT_LT(first, last) << "silent";
  EXPECT_LT(double(first) / w.sampleRate, 0.1) << "dead air before the first note";
  const double heard = double(last) / w.sampleRate;
  EXPECT_GE(heard, want.minSeconds);
  EXPECT_LE(heard, want.maxSeconds + 3.0);  // release and reverb tails ring on briefly
  // The sound ends with the file: no long silent stretch left after the notes.
  const MidiFile m = readMidi(runtimeFile(want.name + ".mid"));
  EXPECT_NEAR(heard, m.seconds(m.endTick()) + 1.0, 2.0);
  // One loudness for every tune, so switching scenes does not jump in volume, and headroom
  // below full scale, so the loudest chord is not clipped.
  EXPECT_NEAR(loudestWindowDb(w, kLoudnessWindowSeconds), kLoudnessTarget, kLoudnessTolerance);
  EXPECT_LE(peakDb(w), kPeakCeilingDb);
}

INSTANTIATE_TEST_SUITE_P(AllTunes, TuneRender, ::testing::ValuesIn(tuneCatalogue()),
                         [](const ::testing::TestParamInfo<TuneShape>& info) { return info.param.name; });

TEST(ResetRender, PlaysNothingAudible) {
  ASSERT_TRUE(std::filesystem::exists(media::kSoundFont));
  WavFile w;
  ASSERT_NO_THROW(w = renderAsTheGameDoes("Gmreset.mid"));
  const auto [first, last] = soundingSpan(w, -80);
  EXPECT_EQ(first, last);
}
