// platform/media: ALSA's own error lines. Where there is no sound card, ALSA writes a
// line to standard error for every configuration it tries while SDL looks for a device;
// the game answers that by playing silently, so the lines tell the player nothing.
#pragma once

namespace platform::media {

// From now on ALSA's library reports its errors to nobody (they still fail the calls).
// Does nothing where ALSA is not there.
void QuietAlsaErrors();

}  // namespace platform::media
