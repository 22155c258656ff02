// platform/media (internal): how the game renders its tunes. The tunes' sources are levelled
// against exactly these settings (assets/ART.md, "Loudness"), so a change here moves every
// tune's loudness and peaks and needs the levelling test run again.
#pragma once

namespace platform::media {

inline constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// Every effect is recorded at 22.05 kHz and the General MIDI soundfont's samples are no finer:
// mixing at that rate plays them as they are, and halves what the synthesizer costs (it
// renders every sample of a tune; at 44.1 kHz it alone took about 2 % of a core).
inline constexpr int kMixRate = 22050;

// FluidSynth's gain. Each tune's own expression level (CC 11 in its source) trims it to the
// common loudness; this only sets the headroom those trims work in.
inline constexpr float kMusicGain = 1.0f;

}  // namespace platform::media
