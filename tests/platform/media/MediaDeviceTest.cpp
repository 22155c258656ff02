// The headless media device through the platform calls: sounds play for their real length
// in virtual time.
#include <gtest/gtest.h>

#include "support/SoundFiles.h"
#include "platform/media/Media.h"
#include "platform/Platform.h"
#include "support/Headless.h"

using namespace media_test;

namespace {

class HeadlessMedia : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::MediaCloseAll();
    dir_ = testing_support::FreshDir("media-device");
    WriteBytes(Path("long.wav"), Wave(8000, 1, 16, 4000));  // 500 ms
    WriteBytes(Path("short.wav"), Wave(8000, 1, 16, 800));  // 100 ms
    MidiTrack t;
    t.Note(0, 60, 960).End();
    WriteBytes(Path("tune.mid"), Midi(0, 480, {t}));  // 1000 ms
    WriteBytes(Path("other.mid"), Midi(0, 480, {t}));
    WriteBytes(Path("empty.wav"), {});
    Bytes corrupt = Midi(0, 480, {t});
    corrupt.resize(corrupt.size() - 3);
    WriteBytes(Path("corrupt.mid"), corrupt);
    WriteBytes(Path("noise.wav"), Bytes(300, 0x55));
  }
  void TearDown() override { platform::MediaCloseAll(); }

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  void Open(const std::string& name, const std::string& alias) {
    ASSERT_TRUE(platform::MediaOpen(Path(name), alias)) << name;
  }
  static bool Playing(const std::string& alias) { return platform::MediaPlaying(alias); }

  testing_support::HeadlessPlatform platform_;
  std::string dir_;
};

}  // namespace

TEST_F(HeadlessMedia, PlaysForItsLengthInVirtualTime) {
  Open("long.wav", "long");
  EXPECT_EQ(platform::MediaDeviceName(), "headless");
  EXPECT_FALSE(Playing("long"));  // opened, not yet played
  uint32_t t0 = platform::TickCount();
  ASSERT_TRUE(platform::MediaPlay("long"));
  EXPECT_TRUE(Playing("long"));
  platform::SleepMs(499);
  EXPECT_TRUE(Playing("long"));
  platform::SleepMs(1);
  EXPECT_FALSE(Playing("long"));
  EXPECT_EQ(platform::TickCount() - t0, 500u);  // only the waits moved the clock

  // A second play of a playing alias starts it again from the beginning.
  platform::MediaPlay("long");
  platform::SleepMs(300);
  platform::MediaPlay("long");
  platform::SleepMs(499);
  EXPECT_TRUE(Playing("long"));
  platform::SleepMs(1);
  EXPECT_FALSE(Playing("long"));

  // Stop ends it at once; it can be played again afterwards.
  platform::MediaPlay("long");
  platform::MediaStop("long");
  EXPECT_FALSE(Playing("long"));
  EXPECT_TRUE(platform::MediaPlay("long"));
  EXPECT_TRUE(Playing("long"));
}

TEST_F(HeadlessMedia, EffectsOverlapButThereIsOneTune) {
  Open("long.wav", "long");
  Open("short.wav", "short");
  Open("tune.mid", "tune");
  Open("other.mid", "other");
  platform::MediaPlay("long");
  platform::MediaPlay("short");
  EXPECT_TRUE(Playing("long"));
  EXPECT_TRUE(Playing("short"));
  platform::SleepMs(100);
  EXPECT_TRUE(Playing("long"));
  EXPECT_FALSE(Playing("short"));

  platform::MediaPlay("tune");
  platform::SleepMs(999);
  EXPECT_TRUE(Playing("tune"));
  platform::MediaPlay("other");  // takes the music slot
  EXPECT_FALSE(Playing("tune"));
  EXPECT_TRUE(Playing("other"));
  platform::SleepMs(1000);
  EXPECT_FALSE(Playing("other"));
}

TEST_F(HeadlessMedia, FailedOpensPlayNothing) {
  for (const char* name : {"missing.wav", "empty.wav", "corrupt.mid", "noise.wav"}) {
    EXPECT_FALSE(platform::MediaOpen(Path(name), "bad")) << name;
    EXPECT_FALSE(platform::MediaPlay("bad")) << name;
    EXPECT_FALSE(Playing("bad")) << name;
  }
  // Reopening an alias with a bad file leaves it closed, not with its old sound.
  Open("long.wav", "x");
  EXPECT_FALSE(platform::MediaOpen(Path("empty.wav"), "x"));
  EXPECT_FALSE(platform::MediaPlay("x"));
}

TEST_F(HeadlessMedia, CloseOneOrAll) {
  Open("long.wav", "long");
  Open("tune.mid", "tune");
  platform::MediaPlay("long");
  platform::MediaPlay("tune");
  platform::MediaClose("tune");
  EXPECT_FALSE(Playing("tune"));
  EXPECT_FALSE(platform::MediaPlay("tune"));
  EXPECT_TRUE(Playing("long"));

  platform::MediaCloseAll();
  EXPECT_FALSE(Playing("long"));
  EXPECT_FALSE(platform::MediaPlay("long"));
  EXPECT_EQ(platform::MediaDeviceName(), "");
  Open("long.wav", "long");  // the device opens again on demand
  EXPECT_TRUE(platform::MediaPlay("long"));
}
