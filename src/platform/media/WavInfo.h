// platform/media: what the media device needs to know of a ".wav" file without decoding it:
// its sample format and how long it plays.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

namespace platform::media {

struct WavInfo {
  int formatTag = 0;
  int channels = 0;
  uint32_t sampleRate = 0;
  uint32_t byteRate = 0;
  int blockAlign = 0;
  int bitsPerSample = 0;
  uint32_t dataBytes = 0;  // sample bytes actually present in the file
  uint32_t lengthMs = 0;   // playing time, rounded up to the next millisecond
};

// Reads the RIFF/WAVE header and chunk list. Nothing when the bytes are not a wave file
// the device could play (no format or data chunk, a format that makes no sense).
std::optional<WavInfo> ReadWavInfo(const std::vector<uint8_t>& bytes);

}  // namespace platform::media
