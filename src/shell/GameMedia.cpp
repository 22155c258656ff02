// shell: sound and music through the platform's media device. One current tune and one
// current effect are remembered by alias; the device itself lets effects overlap.
#include "shell/GameMedia.h"

#include "platform/Dialogs.h"
#include "platform/Media.h"
#include "platform/Platform.h"
#include "settings/KeyTable.h"

std::string CurrentMusic, CurrentSound;
bool MusicPlaying = false, SoundPlaying = false;
bool MusicKeeperOff = false;

namespace {

// A play the device accepted reads "playing" at once, so this many milliseconds of
// "stopped" only happen with a tune that has already ended (an empty one).
constexpr uint32_t kStartGraceMs = 500;

}  // namespace

int OpenMedia(const std::string& file, const std::string& alias) {
  if (platform::MediaOpen(file, alias)) return 0;
  platform::ShowMessage("Bramko2 for Windows", "Fail to open file! " + file);
  return 1;
}

void PlaySound(const std::string& alias) {
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
  if (!MusicPlaying || CurrentMusic.empty()) return;
  while (platform::MediaPlaying(CurrentMusic)) platform::SleepMs(10);
}

void WaitSoundEnd() {
  if (!SoundPlaying || CurrentSound.empty()) return;
  while (platform::MediaPlaying(CurrentSound)) platform::SleepMs(10);
}

bool SoundFinished() {
  if (!SoundPlaying || CurrentSound.empty()) return true;
  return !platform::MediaPlaying(CurrentSound);
}

void KeepMusicLooping() {
  // MusicPlaying stays as the first play left it; a replay that fails changes nothing.
  if (MusicPlaying && !CurrentMusic.empty() && !platform::MediaPlaying(CurrentMusic))
    platform::MediaPlay(CurrentMusic);
}

void InitMedia() {
  KeyTable::ClearKeys();
  platform::MediaCloseAll();
  // The reset tune puts the synthesizer in its General MIDI start state.
  bool opened = OpenMedia("Gmreset.mid", "gmreset") == 0;
  PlayMusic("gmreset");
  WaitMusicEnd();
  if (opened) platform::MediaClose("gmreset");
}

void ShutdownMedia() {
  platform::MediaCloseAll();
  KeyTable::ClearKeys();
}

void ResetMediaState() {
  CurrentMusic.clear();
  CurrentSound.clear();
  MusicPlaying = SoundPlaying = MusicKeeperOff = false;
}
