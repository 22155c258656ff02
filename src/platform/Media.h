// platform: the media device for effects (".wav") and music (".mid"), opened under aliases.
// Real sound goes through SDL2_mixer (MIDI through FluidSynth and a General MIDI soundfont);
// with no audio device, or headless, sounds "play" silently for their real length.
#pragma once
#include <string>

namespace platform {

// Opens a file under an alias; false when the file is missing or cannot be read.
bool MediaOpen(const std::string& file, const std::string& alias);
// Plays the alias from its beginning (a playing alias restarts). False if not open.
bool MediaPlay(const std::string& alias);
void MediaStop(const std::string& alias);
// True while the alias is playing; a failed or finished play reads as stopped.
bool MediaPlaying(const std::string& alias);
void MediaCloseAll();

}  // namespace platform
