// The real SDL2_mixer device. SDL's "disk" driver writes the mixed output into a file, which
// shows what a player would have heard. Skipped where SDL audio cannot open at all.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "support/SoundFiles.h"
#include "platform/media/Media.h"
#include "platform/Platform.h"
#include "support/Headless.h"

using namespace media_test;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRate = 22050;  // what the device asks for: 16-bit stereo at 22.05 kHz

long MsSince(Clock::time_point t) {
  return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count());
}

// Real time from a play until the alias reads stopped (or give up after limitMs).
long PlayingTimeMs(const std::string& alias, long limitMs = 5000) {
  auto t0 = Clock::now();
  while (platform::MediaPlaying(alias) && MsSince(t0) < limitMs)
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  return MsSince(t0);
}

struct Loudness {
  int peak = 0;
  long firstLoud = -1, lastLoud = -1;  // frame indexes
};

// Reads the disk driver's raw 16-bit stereo output.
Loudness Measure(const std::string& file, int threshold) {
  std::ifstream in(file, std::ios::binary);
  Loudness l;
  int16_t frame[2];
  for (long i = 0; in.read(reinterpret_cast<char*>(frame), sizeof frame); ++i) {
    int a = std::max(std::abs(frame[0]), std::abs(frame[1]));
    l.peak = std::max(l.peak, a);
    if (a >= threshold) {
      if (l.firstLoud < 0) l.firstLoud = i;
      l.lastLoud = i;
    }
  }
  return l;
}

class SdlAudio : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::Stop();  // no backend: the media calls use the real device
    platform::MediaCloseAll();
    dir_ = testing_support::FreshDir("sdl-audio");
    WriteBytes(Path("tone.wav"), Wave(22050, 1, 16, 6615, 0.5));  // 300 ms
    MidiTrack t;
    t.Note(0, 72, 480).End();  // 500 ms
    WriteBytes(Path("note.mid"), Midi(0, 480, {t}));
  }
  void TearDown() override {
    platform::MediaCloseAll();
    unsetenv("SDL_DISKAUDIOFILE");
  }
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  // Opens the device on the given SDL audio driver; the name of the device it got.
  std::string OpenOn(const char* driver) {
    setenv("SDL_AUDIODRIVER", driver, 1);
    setenv("SDL_DISKAUDIOFILE", Path("out.raw").c_str(), 1);
    bool ok = platform::MediaOpen(Path("tone.wav"), "tone") && platform::MediaOpen(Path("note.mid"), "note");
    return ok ? platform::MediaDeviceName() : "";
  }

  std::string dir_;
};

}  // namespace

TEST_F(SdlAudio, PlayedSoundsReachTheOutput) {
  std::string device = OpenOn("disk");
  if (device != "sdl-mixer/disk") GTEST_SKIP() << "no SDL disk audio here (device: '" << device << "')";

  ASSERT_TRUE(platform::MediaPlay("tone"));
  long effectMs = PlayingTimeMs("tone");
  EXPECT_GE(effectMs, 250);
  EXPECT_LE(effectMs, 700);

  // The tune reads stopped when its own length has passed, not after the reverb tail.
  ASSERT_TRUE(platform::MediaPlay("note"));
  long tuneMs = PlayingTimeMs("note");
  EXPECT_GE(tuneMs, 480);
  EXPECT_LE(tuneMs, 800);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  platform::MediaCloseAll();  // closes the output file

  // The effect is in the output at its full length, once; the tune after it.
  Loudness tone = Measure(Path("out.raw"), 4000);
  ASSERT_GE(tone.firstLoud, 0) << "the output is silent";
  EXPECT_GE(tone.peak, 12000);
  Loudness any = Measure(Path("out.raw"), 300);
  long effectEnd = tone.firstLoud + kRate * 300 / 1000;
  EXPECT_GT(any.lastLoud, effectEnd + kRate / 10) << "nothing audible from the tune";
  // Only the loud tone counts for its length: the piano note is quieter than half scale.
  Loudness toneOnly = Measure(Path("out.raw"), 12000);
  long toneMs = (toneOnly.lastLoud - toneOnly.firstLoud) * 1000 / kRate;
  EXPECT_NEAR(toneMs, 300, 20);
  std::printf("effect read playing %ld ms, tune %ld ms; tone heard %ld ms, peak %d\n", effectMs, tuneMs, toneMs,
              tone.peak);
}

TEST_F(SdlAudio, RestartsAndStops) {
  std::string device = OpenOn("disk");
  if (device != "sdl-mixer/disk") GTEST_SKIP() << "no SDL disk audio here (device: '" << device << "')";

  // A second play of the tune while it plays starts it over.
  ASSERT_TRUE(platform::MediaPlay("note"));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_TRUE(platform::MediaPlaying("note"));
  ASSERT_TRUE(platform::MediaPlay("note"));
  long again = PlayingTimeMs("note");
  EXPECT_GE(again, 480);

  // An effect over another one leaves the first playing; stop ends it at once.
  ASSERT_TRUE(platform::MediaOpen(Path("tone.wav"), "tone2"));
  ASSERT_TRUE(platform::MediaPlay("tone"));
  ASSERT_TRUE(platform::MediaPlay("tone2"));
  EXPECT_TRUE(platform::MediaPlaying("tone"));
  EXPECT_TRUE(platform::MediaPlaying("tone2"));
  platform::MediaStop("tone");
  EXPECT_FALSE(platform::MediaPlaying("tone"));
  EXPECT_TRUE(platform::MediaPlaying("tone2"));
  platform::MediaPlay("note");
  platform::MediaStop("note");
  EXPECT_FALSE(platform::MediaPlaying("note"));
}

TEST_F(SdlAudio, UnknownDriverFallsBackToTheDummyOne) {
  std::string device = OpenOn("nosuchdriver");
  if (device.empty()) GTEST_SKIP() << "SDL audio cannot open at all";
  // Either the dummy driver or, where even that fails, the silent timed device.
  EXPECT_TRUE(device == "sdl-mixer/dummy" || device == "silent") << device;
  ASSERT_TRUE(platform::MediaPlay("tone"));
  long ms = PlayingTimeMs("tone");
  EXPECT_GE(ms, 250);
  EXPECT_LE(ms, 700);
}
