// Every tune rendered offline through the soundfont the game plays MIDI with: it must be
// audible, about as loud as the others and last as long as its scene needs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "audio_catalogue.h"
#include "midi_file.h"
#include "wav_file.h"

namespace {

const char* const kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr int kRate = 22050;  // low rate: enough to judge level and length, quick to render

WavFile render(const std::string& name) {
  const std::filesystem::path dir = std::filesystem::path(BRAMKO_BINARY_DIR) / "content_audio_renders";
  std::filesystem::create_directories(dir);
  const std::string out = (dir / (name + ".wav")).string();
  std::filesystem::remove(out);
  const std::string cmd = "fluidsynth -ni -F '" + out + "' -r " + std::to_string(kRate) + " -O s16 -T wav '" +
                          kSoundFont + "' '" + runtimeFile(name) + "' > /dev/null 2>&1";
  if (std::system(cmd.c_str()) != 0) throw std::runtime_error("fluidsynth failed: " + cmd);
  return readWav(out);
}

class TuneRender : public ::testing::TestWithParam<TuneShape> {};

}  // namespace

TEST_P(TuneRender, IsAudibleForItsIntendedLength) {
  const TuneShape& want = GetParam();
  ASSERT_TRUE(std::filesystem::exists(kSoundFont));
  WavFile w;
  ASSERT_NO_THROW(w = render(want.name + ".mid"));
  ASSERT_EQ(w.bitsPerSample, 16);
  const auto [first, last] = soundingSpan(w, -60);
  ASSERT_LT(first, last) << "silent";
  EXPECT_LT(double(first) / w.sampleRate, 0.1) << "dead air before the first note";
  const double heard = double(last) / w.sampleRate;
  EXPECT_GE(heard, want.minSeconds);
  EXPECT_LE(heard, want.maxSeconds + 3.0);  // release and reverb tails ring on briefly
  // The sound ends with the file: no long silent stretch left after the notes.
  const MidiFile m = readMidi(runtimeFile(want.name + ".mid"));
  EXPECT_NEAR(heard, m.seconds(m.endTick()) + 1.0, 2.0);
  // All tunes sit in one loudness band, so switching scenes does not jump in volume.
  const double level = rmsDb(w, first, last);
  EXPECT_GE(level, -34.0);
  EXPECT_LE(level, -22.0);
}

INSTANTIATE_TEST_SUITE_P(AllTunes, TuneRender, ::testing::ValuesIn(tuneCatalogue()),
                         [](const ::testing::TestParamInfo<TuneShape>& info) { return info.param.name; });

TEST(ResetRender, PlaysNothingAudible) {
  ASSERT_TRUE(std::filesystem::exists(kSoundFont));
  WavFile w;
  ASSERT_NO_THROW(w = render("Gmreset.mid"));
  const auto [first, last] = soundingSpan(w, -80);
  EXPECT_EQ(first, last);
}
