// platform/media: the playing time of a Standard MIDI File, from its tempo map and the end of
// its longest track. The synthesizer's reverb rings on after that; the tune is over here.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

namespace platform::media {

// Milliseconds, rounded up. Nothing when the bytes are not a well-formed MIDI file (wrong
// header, a track running past the end of the file, a malformed event).
std::optional<uint32_t> MidiLengthMs(const std::vector<uint8_t>& bytes);

}  // namespace platform::media
