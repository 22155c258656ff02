// The tune slot: a tune rendered ahead plays with the very samples the synthesizer gives as
// it plays (a play goes over to them without a seam), and a damaged cache entry is refused
// and rendered anew.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "support/SoundFiles.h"
#include "platform/media/MidiLength.h"
#include "platform/media/TunePlayer.h"
#include "support/Headless.h"

using namespace media_test;
using platform::media::Samples;
using platform::media::TuneCache;
using platform::media::TunePlayer;

namespace {

constexpr int kRate = 22050;
constexpr int kBlock = 1024;  // what the audio thread asks for at a time
constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// A few notes with a chord, so the reverb and several voices are in the samples.
std::vector<uint8_t> Tune() {
  MidiTrack t;
  t.Note(0, 60, 240).Note(0, 64, 240).Note(0, 67, 480).Note(120, 72, 360).End();
  return Midi(0, 480, {t});
}

// Fills blocks until `blocks` were taken or the tune is over.
Samples Take(TunePlayer& p, int blocks) {
  Samples out;
  int16_t block[kBlock * 2];
  for (int i = 0; i < blocks && !p.Over(); ++i) {
    p.Fill(block, kBlock);
    out.insert(out.end(), block, block + kBlock * 2);
  }
  return out;
}

std::vector<std::filesystem::path> Entries(const std::string& dir) {
  std::vector<std::filesystem::path> files;
  for (const auto& e : std::filesystem::directory_iterator(dir)) files.push_back(e.path());
  return files;
}

// Waits (up to 20 s) for the preparer to finish.
bool Prepared(TunePlayer& p) {
  for (int i = 0; i < 2000 && p.Preparing(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return !p.Preparing();
}

class TunePlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kSoundFont)) GTEST_SKIP() << "no General MIDI soundfont";
    cache_ = testing_support::FreshDir("tune-cache") + "/tunes";
    midi_ = Tune();
    length_ = platform::media::MidiLengthMs(midi_);
    ASSERT_TRUE(length_);
    // What the synthesizer gives, with no cache at all.
    TunePlayer live(kRate, 0.6f, kSoundFont, TuneCache(""));
    ASSERT_TRUE(live.Play(midi_, length_));
    reference_ = Take(live, 1000);
    ASSERT_TRUE(live.Over());
    int loud = 0;
    for (int16_t v : reference_) loud = std::max(loud, std::abs(static_cast<int>(v)));
    ASSERT_GT(loud, 1000) << "the synthesizer gave silence";
  }
  std::unique_ptr<TunePlayer> Player() {
    return std::make_unique<TunePlayer>(kRate, 0.6f, kSoundFont, TuneCache(cache_), false);
  }
  std::string cache_;
  std::vector<uint8_t> midi_;
  std::optional<uint32_t> length_;
  Samples reference_;
};

TEST_F(TunePlayerTest, APlayGoesOverToTheRenderedTuneWhereItStandsAndTheNextRunFindsIt) {
  auto first = Player();
  ASSERT_TRUE(first->Play(midi_, length_));
  Samples heard = Take(*first, 3);
  ASSERT_TRUE(Prepared(*first));
  EXPECT_FALSE(first->Rendering()) << "still on the synthesizer after the tune was rendered";
  Samples rest = Take(*first, 1000);
  heard.insert(heard.end(), rest.begin(), rest.end());
  EXPECT_EQ(heard, reference_);
  first.reset();

  ASSERT_EQ(Entries(cache_).size(), 1u);
  auto second = Player();
  ASSERT_TRUE(second->Play(midi_, length_));
  EXPECT_FALSE(second->Rendering());
  EXPECT_EQ(Take(*second, 1000), reference_);

  // Another tune is another entry; opening it renders it ahead.
  auto other = Tune();
  ASSERT_EQ(other[other.size() - 12], 0x90);
  other[other.size() - 10] = 80;  // the last note played softer
  second->Prepare(other, length_);
  ASSERT_TRUE(Prepared(*second));
  EXPECT_EQ(Entries(cache_).size(), 2u);
  ASSERT_TRUE(second->Play(other, length_));
  EXPECT_FALSE(second->Rendering());
  EXPECT_NE(Take(*second, 1000), reference_);
}

TEST_F(TunePlayerTest, DamagedEntryIsRefusedAndRenderedAgain) {
  {
    auto p = Player();
    p->Prepare(midi_, length_);
    ASSERT_TRUE(Prepared(*p));
  }
  auto entries = Entries(cache_);
  ASSERT_EQ(entries.size(), 1u);
  const auto path = entries[0];
  const auto size = std::filesystem::file_size(path);

  for (int damage = 0; damage < 2; ++damage) {
    if (damage == 0) {
      std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
      f.seekp(static_cast<std::streamoff>(size / 2));
      f.put('\x55');  // a flipped sample in the middle
    } else {
      std::filesystem::resize_file(path, size - 100);  // cut short
    }
    auto p = Player();
    ASSERT_TRUE(p->Play(midi_, length_));
    EXPECT_TRUE(p->Rendering()) << "damage " << damage;
    ASSERT_TRUE(Prepared(*p));
    EXPECT_EQ(Take(*p, 1000), reference_) << "damage " << damage;
    ASSERT_EQ(std::filesystem::file_size(path), size) << "the entry was not written anew";
  }
}

}  // namespace
