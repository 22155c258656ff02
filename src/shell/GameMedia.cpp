// shell: sound and music through the platform's media device.
#include "shell/GameMedia.h"

#include "platform/Dialogs.h"
#include "platform/Media.h"
#include "platform/Platform.h"
#include "settings/KeyTable.h"

std::string CurrentMusic, CurrentSound;
bool MusicPlaying = false, SoundPlaying = false;
bool MusicKeeperOff = false;

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
  // The device reports "playing" once the tune has really begun; what follows is timed from there.
  if (!MusicPlaying) return;
  uint32_t start = platform::TickCount();
  while (!platform::MediaPlaying(CurrentMusic)) {
    // A play that never starts (the device gave up) must not hang the game.
    if (platform::TickCount() - start > 2000) return;
    platform::SpinTurn(0);
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
  if (MusicPlaying && !CurrentMusic.empty() && !platform::MediaPlaying(CurrentMusic))
    platform::MediaPlay(CurrentMusic);
}

void InitMedia() {
  KeyTable::ClearKeys();
  platform::MediaCloseAll();
  bool opened = OpenMedia("Gmreset.mid", "gmreset") == 0;
  PlayMusic("gmreset");
  WaitMusicEnd();
  if (opened) platform::MediaStop("gmreset");
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
