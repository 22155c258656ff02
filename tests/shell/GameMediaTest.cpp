// The game's sound rules (one current tune and effect, waits, the keeper, start-up with
// the GM reset tune) on the headless device.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/SoundFiles.h"
#include "platform/media/Media.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessControl.h"
#include "shell/GameMedia.h"
#include "support/Headless.h"

using namespace media_test;

namespace {

Bytes TuneOf(uint32_t ticks) {  // 480 ticks a quarter at 120 bpm: ticks * 500 / 480 ms
  MidiTrack t;
  t.Note(0, 60, ticks).End();
  return Midi(0, 480, {t});
}

class GameMedia : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::MediaCloseAll();
    ResetMediaState();
    home_ = std::filesystem::current_path();
    dir_ = testing_support::FreshDir("game-media");
    std::filesystem::current_path(dir_);              // media file names are relative, as in the game
    WriteBytes("long.wav", Wave(8000, 1, 16, 4000));  // 500 ms
    WriteBytes("short.wav", Wave(8000, 1, 16, 800));  // 100 ms
    WriteBytes("tune.mid", TuneOf(960));              // 1000 ms
    WriteBytes("other.mid", TuneOf(480));             // 500 ms
    WriteBytes("silence.mid", TuneOf(0));             // 0 ms
  }
  void TearDown() override {
    ShutdownMedia();
    ResetMediaState();
    std::filesystem::current_path(home_);
  }
  void OpenAll() {
    for (const char* e : {"long", "short"}) ASSERT_EQ(OpenMedia(std::string(e) + ".wav", e), 0);
    for (const char* m : {"tune", "other", "silence"}) ASSERT_EQ(OpenMedia(std::string(m) + ".mid", m), 0);
  }
  static uint32_t Now() { return platform::TickCount(); }

  testing_support::HeadlessPlatform platform_;
  std::filesystem::path home_;
  std::string dir_;
};

}  // namespace

TEST_F(GameMedia, StartUpWithoutTheResetTuneShowsOneMessageAndGoesOn) {
  size_t before = platform::headless::Messages().size();
  uint32_t t0 = Now();
  InitMedia();
  const auto& messages = platform::headless::Messages();
  ASSERT_EQ(messages.size(), before + 1);
  EXPECT_NE(messages.back().find(": Fail to open file! Gmreset.mid"), std::string::npos) << messages.back();
  EXPECT_EQ(Now(), t0);  // nothing to wait for
  EXPECT_FALSE(MusicPlaying);

  OpenAll();
  EXPECT_EQ(platform::headless::Messages().size(), before + 1);
  PlayMusic("tune");
  EXPECT_TRUE(MusicPlaying);
  EXPECT_TRUE(platform::MediaPlaying("tune"));
}

TEST_F(GameMedia, StartUpPlaysTheResetTuneToItsEndAndClosesIt) {
  WriteBytes("Gmreset.mid", TuneOf(288));  // 300 ms
  size_t before = platform::headless::Messages().size();
  uint32_t t0 = Now();
  InitMedia();
  EXPECT_EQ(Now() - t0, 300u);
  EXPECT_EQ(platform::headless::Messages().size(), before);
  EXPECT_FALSE(platform::MediaPlay("gmreset"));  // closed again
  // Its alias stays the current tune; the keeper finds nothing to restart.
  EXPECT_EQ(CurrentMusic, "gmreset");
  KeepMusicLooping();
  EXPECT_FALSE(platform::MediaPlaying("gmreset"));
}

TEST_F(GameMedia, PlayMusicStartsOverAndReplacesTheTune) {
  OpenAll();
  PlayMusic("tune");
  platform::SleepMs(600);
  PlayMusic("tune");  // from the beginning, not carrying on
  platform::SleepMs(600);
  EXPECT_TRUE(platform::MediaPlaying("tune"));
  platform::SleepMs(400);
  EXPECT_FALSE(platform::MediaPlaying("tune"));

  PlayMusic("tune");
  PlayMusic("other");
  EXPECT_EQ(CurrentMusic, "other");
  EXPECT_FALSE(platform::MediaPlaying("tune"));
  EXPECT_TRUE(platform::MediaPlaying("other"));

  StopMusic();
  EXPECT_TRUE(CurrentMusic.empty());
  EXPECT_FALSE(MusicPlaying);
  EXPECT_FALSE(platform::MediaPlaying("other"));
}

TEST_F(GameMedia, WaitsForMusic) {
  OpenAll();
  // A play that failed: the wait for its start returns at once.
  PlayMusic("nosuch");
  EXPECT_FALSE(MusicPlaying);
  uint32_t t0 = Now();
  WaitMusicStarted();
  WaitMusicEnd();
  EXPECT_EQ(Now(), t0);

  PlayMusic("tune");
  WaitMusicStarted();
  EXPECT_EQ(Now(), t0);
  EXPECT_TRUE(platform::MediaPlaying("tune"));
  WaitMusicEnd();
  EXPECT_EQ(Now() - t0, 1000u);

  // A tune that is over as soon as it starts does not hold the game for long.
  PlayMusic("silence");
  EXPECT_TRUE(MusicPlaying);
  t0 = Now();
  WaitMusicStarted();
  EXPECT_LE(Now() - t0, 500u);
}

TEST_F(GameMedia, KeeperRestartsOnlyAnEndedTune) {
  OpenAll();
  PlayMusic("other");  // 500 ms
  platform::SleepMs(300);
  KeepMusicLooping();  // still playing: left alone
  platform::SleepMs(200);
  EXPECT_FALSE(platform::MediaPlaying("other"));
  KeepMusicLooping();  // ended: starts again
  EXPECT_TRUE(platform::MediaPlaying("other"));
  platform::SleepMs(499);
  EXPECT_TRUE(platform::MediaPlaying("other"));

  // After a failed play nothing is restarted, not even the tune that played before.
  PlayMusic("nosuch");
  platform::SleepMs(500);
  KeepMusicLooping();
  EXPECT_FALSE(platform::MediaPlaying("other"));
}

TEST_F(GameMedia, EffectsAndSoundFinished) {
  OpenAll();
  EXPECT_TRUE(SoundFinished());  // nothing played yet
  PlaySound("long");
  EXPECT_FALSE(SoundFinished());
  platform::SleepMs(499);
  EXPECT_FALSE(SoundFinished());
  platform::SleepMs(1);
  EXPECT_TRUE(SoundFinished());

  // A different effect does not cut the one playing; the finished test follows the newest.
  PlaySound("long");
  platform::SleepMs(50);
  PlaySound("short");
  EXPECT_TRUE(platform::MediaPlaying("long"));
  uint32_t t0 = Now();
  WaitSoundEnd();
  EXPECT_EQ(Now() - t0, 100u);
  EXPECT_TRUE(SoundFinished());
  EXPECT_TRUE(platform::MediaPlaying("long"));

  StopSound("long");
  EXPECT_FALSE(platform::MediaPlaying("long"));
  EXPECT_TRUE(CurrentSound.empty());
  EXPECT_TRUE(SoundFinished());

  PlaySound("nosuch");
  EXPECT_FALSE(SoundPlaying);
  EXPECT_TRUE(SoundFinished());
  t0 = Now();
  WaitSoundEnd();
  EXPECT_EQ(Now(), t0);
}
