// shell: sound and music through the platform's media device. One current tune and one
// current effect are remembered by alias; the device itself lets effects overlap.
#include "shell/GameMedia.h"

#include <cstdint>

#include "platform/Dialogs.h"
#include "platform/media/Media.h"
#include "platform/Platform.h"
#include "shell/Game.h"

std::string CurrentMusic, CurrentSound;
bool MusicPlaying = false, SoundPlaying = false;
bool MusicKeeperOff = false;
bool EffectsSilenced = false;

namespace {

// A play the device accepted reads "playing" at once, so this many milliseconds of
// "stopped" only happen with a tune that has already ended (an empty one).
constexpr uint32_t kStartGraceMs = 500;
// The reset tune lasts a fraction of a second; a damaged one must not hold up the start.
constexpr uint32_t kResetWaitLimitMs = 3000;
// A tune whose length only the synthesizer knows is checked this often for its end.
constexpr uint32_t kUntimedMusicLookMs = 50;

// Queries every 10 ms, sleeping between, until the alias has stopped, limitMs have passed
// or the window is closing (which also keeps it alive and answers its close box).
void WaitStopped(const std::string& alias, uint32_t limitMs) {
  const uint32_t start = platform::TickCount();
  while (!QuitRequested && platform::TickCount() - start < limitMs && platform::MediaPlaying(alias)) {
    PumpMessages();
    platform::SleepMs(10);
  }
}

}  // namespace

int OpenMedia(const std::string& file, const std::string& alias) {
  if (platform::MediaOpen(file, alias)) return 0;
  platform::ShowMessage("Bramko2 for Windows", "Fail to open file! " + file);
  return 1;
}

void PlaySound(const std::string& alias) {
  if (EffectsSilenced) return;
  CurrentSound = alias;
  SoundPlaying = platform::MediaPlay(alias);
}

void StopSound(const std::string& alias) {
  platform::MediaStop(alias);
  CurrentSound.clear();
  SoundPlaying = false;
}

void PlayMusic(const std::string& alias) {
  if (!CurrentMusic.empty()) platform::MediaStop(CurrentMusic);
  CurrentMusic = alias;
  MusicPlaying = platform::MediaPlay(alias);
}

void StopMusic() {
  if (!CurrentMusic.empty()) {
    platform::MediaStop(CurrentMusic);
    CurrentMusic.clear();
  }
  MusicPlaying = false;
}

void WaitMusicStarted() {
  // What follows is timed from the real start of the tune. Spins without pumping messages.
  if (!MusicPlaying) return;
  uint32_t start = platform::TickCount();
  while (!platform::MediaPlaying(CurrentMusic)) {
    if (platform::TickCount() - start >= kStartGraceMs) return;
    platform::SpinTurn(kStartGraceMs);
  }
}

void WaitMusicEnd() {
  if (MusicPlaying && !CurrentMusic.empty()) WaitStopped(CurrentMusic, UINT32_MAX);
}

void WaitSoundEnd() {
  if (SoundPlaying && !CurrentSound.empty()) WaitStopped(CurrentSound, UINT32_MAX);
}

bool SoundFinished() {
  if (!SoundPlaying || CurrentSound.empty()) return true;
  return !platform::MediaPlaying(CurrentSound);
}

void KeepMusicLooping() {
  // MusicPlaying stays as the first play left it; a replay that fails changes nothing.
  if (MusicPlaying && !CurrentMusic.empty() && !platform::MediaPlaying(CurrentMusic)) platform::MediaPlay(CurrentMusic);
}

uint32_t MsUntilMusicLoops() {
  if (!MusicPlaying || CurrentMusic.empty()) return UINT32_MAX;
  // A tune only the synthesizer can time is looked at now and then.
  return platform::MediaMsLeft(CurrentMusic).value_or(kUntimedMusicLookMs);
}

void InitMedia() {
  platform::MediaCloseAll();
  // The reset tune puts the synthesizer in its General MIDI start state.
  bool opened = OpenMedia("Gmreset.mid", "gmreset") == 0;
  PlayMusic("gmreset");
  if (MusicPlaying) WaitStopped("gmreset", kResetWaitLimitMs);
  if (opened) platform::MediaClose("gmreset");
}

void ShutdownMedia() {
  platform::MediaCloseAll();
}

void ResetMediaState() {
  CurrentMusic.clear();
  CurrentSound.clear();
  MusicPlaying = SoundPlaying = MusicKeeperOff = EffectsSilenced = false;
}
