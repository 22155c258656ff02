// The tune slot: a tune rendered once plays again from the cache with the very samples the
// synthesizer gave, and a damaged cache entry is refused and rendered anew.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "SoundFiles.h"
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

class TunePlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(kSoundFont)) GTEST_SKIP() << "no General MIDI soundfont";
    cache_ = testing_support::FreshDir("tune-cache") + "/tunes";
    midi_ = Tune();
    length_ = platform::media::MidiLengthMs(midi_);
    ASSERT_TRUE(length_);
  }
  std::unique_ptr<TunePlayer> Player() {
    return std::make_unique<TunePlayer>(kRate, 0.6f, kSoundFont, TuneCache(cache_));
  }
  std::string cache_;
  std::vector<uint8_t> midi_;
  std::optional<uint32_t> length_;
};

TEST_F(TunePlayerTest, RenderedOnceThenPlayedFromTheCacheSampleForSample) {
  auto first = Player();
  ASSERT_TRUE(first->Play(midi_, length_));
  EXPECT_TRUE(first->Rendering());
  // The game starts the tune again once its length has passed, before the synthesizer is
  // through with the last notes' release.
  const int blocksInLength = static_cast<int>(*length_ * kRate / 1000 / kBlock) + 1;
  Samples live = Take(*first, blocksInLength);
  ASSERT_FALSE(first->Over());
  int loud = 0;
  for (int16_t v : live) loud = std::max(loud, std::abs(static_cast<int>(v)));
  ASSERT_GT(loud, 1000) << "the synthesizer gave silence";

  // The next round of the loop is the kept recording, not the synthesizer; the release of the
  // last notes is rendered beside it.
  ASSERT_TRUE(first->Play(midi_, length_));
  EXPECT_FALSE(first->Rendering());
  first->Flush();
  Samples again = Take(*first, 1000);
  ASSERT_GE(again.size(), live.size());
  EXPECT_TRUE(std::equal(live.begin(), live.end(), again.begin()));
  first->Stop();
  first.reset();  // waits for the entry to be written

  // Another run finds it on the disk.
  ASSERT_EQ(Entries(cache_).size(), 1u);
  auto second = Player();
  ASSERT_TRUE(second->Play(midi_, length_));
  EXPECT_FALSE(second->Rendering());
  EXPECT_EQ(Take(*second, 1000), again);

  // Another tune is another entry.
  auto other = Tune();
  other[other.size() - 6] ^= 1;  // the last note a semitone away
  ASSERT_TRUE(second->Play(other, length_));
  EXPECT_TRUE(second->Rendering());
}

TEST_F(TunePlayerTest, DamagedEntryIsRefusedAndRenderedAgain) {
  Samples whole;
  {
    auto p = Player();
    ASSERT_TRUE(p->Play(midi_, length_));
    whole = Take(*p, 1000);  // to the synthesizer's own end
    ASSERT_TRUE(p->Over());
    p->Collect();
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
    EXPECT_EQ(Take(*p, 1000), whole) << "damage " << damage;
    p->Collect();
    p.reset();
    ASSERT_EQ(std::filesystem::file_size(path), size) << "the entry was not written anew";
  }
}

}  // namespace
