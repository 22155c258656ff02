// platform/media: the media device for effects (".wav") and music (".mid"), opened under aliases.
// Real sound goes through SDL2_mixer (MIDI through FluidSynth and a General MIDI soundfont);
// with no audio device, or headless, sounds "play" silently for their real length (headless
// on the virtual clock).
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// Opens a file under an alias (replacing what the alias had); false when the file is
// missing, empty or not a sound the device can play. The first open opens the device.
bool MediaOpen(const std::string& file, const std::string& alias);
// Plays the alias from its beginning (a playing alias restarts). False if not open.
// Effects play side by side; there is one tune at a time.
bool MediaPlay(const std::string& alias);
void MediaStop(const std::string& alias);
// True while the alias is playing; a failed, stopped or finished play reads as stopped.
bool MediaPlaying(const std::string& alias);
// Time until a playing alias reads stopped; nothing when it is not playing or the device
// cannot tell (a tune only the synthesizer can time).
std::optional<uint32_t> MediaMsLeft(const std::string& alias);
void MediaClose(const std::string& alias);
// The device is still rendering tunes ahead of their first play (once per user and
// soundfont, on the lowest priority).
bool MediaPreparing();
// Closes every alias and the audio device itself.
void MediaCloseAll();
// Which device serves the media ("headless", "silent", "sdl-mixer/<driver>"), or "" while
// none is open.
std::string MediaDeviceName();

}  // namespace platform
