// shell: sound effects and music by alias: one current music (kept looping by the scenes)
// and one current effect. Files are opened once at start-up.
#pragma once
#include <string>

extern std::string CurrentMusic, CurrentSound;
extern bool MusicPlaying, SoundPlaying;
extern bool MusicKeeperOff;  // while set, WaitPress does not restart ended music
// While set, effects (sounds and the pads' hit pulse) are not played. A rollback sets it
// while it plays frames again: an effect is heard once, when its frame is first played, and
// a frame played again is silent.
extern bool EffectsSilenced;

int OpenMedia(const std::string& file, const std::string& alias);  // 0 ok, 1 failed (after its message)
void PlaySound(const std::string& alias);
void StopSound(const std::string& alias);
void PlayMusic(const std::string& alias);
void StopMusic();
void WaitMusicStarted();
void WaitMusicEnd();
void WaitSoundEnd();
bool SoundFinished();
void KeepMusicLooping();
// How long until KeepMusicLooping has something to do (UINT32_MAX: nothing plays).
uint32_t MsUntilMusicLoops();
void InitMedia();
void ShutdownMedia();
void ResetMediaState();
