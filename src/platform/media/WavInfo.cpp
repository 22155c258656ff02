// platform/media: ".wav" header reader.
#include "platform/media/WavInfo.h"

#include <cstring>

namespace platform::media {

namespace {

uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

constexpr int kPcm = 1, kFloat = 3, kALaw = 6, kMuLaw = 7, kExtensible = 0xFFFE;

}  // namespace

std::optional<WavInfo> ReadWavInfo(const std::vector<uint8_t>& bytes) {
  const size_t size = bytes.size();
  if (size < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
    return std::nullopt;
  WavInfo info;
  bool haveFormat = false, haveData = false;
  // The RIFF size field is often wrong in files written by streaming tools: walk the
  // chunks up to the real end of the file instead.
  size_t pos = 12;
  while (pos + 8 <= size) {
    const uint8_t* chunk = bytes.data() + pos;
    uint64_t chunkSize = Le32(chunk + 4);
    size_t body = pos + 8;
    uint64_t available = size - body;
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (chunkSize < 16 || available < 16) return std::nullopt;
      info.formatTag = Le16(chunk + 8);
      info.channels = Le16(chunk + 10);
      info.sampleRate = Le32(chunk + 12);
      info.byteRate = Le32(chunk + 16);
      info.blockAlign = Le16(chunk + 20);
      info.bitsPerSample = Le16(chunk + 22);
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0 && !haveData) {
      // A data chunk cut short (or of "unknown" size 0xFFFFFFFF) plays what is there.
      info.dataBytes = static_cast<uint32_t>(chunkSize < available ? chunkSize : available);
      haveData = true;
    }
    pos = body + chunkSize + (chunkSize & 1);  // chunks are padded to an even size
    if (pos > size) break;
  }
  if (!haveFormat || !haveData || info.channels == 0 || info.sampleRate == 0 || info.blockAlign == 0)
    return std::nullopt;

  uint64_t ms;
  const bool sampled = info.formatTag == kPcm || info.formatTag == kFloat || info.formatTag == kALaw ||
                       info.formatTag == kMuLaw || info.formatTag == kExtensible;
  if (sampled) {
    uint64_t frames = info.dataBytes / static_cast<uint32_t>(info.blockAlign);
    ms = (frames * 1000 + info.sampleRate - 1) / info.sampleRate;
  } else {
    // Compressed blocks hold many samples each: only the average byte rate tells the time.
    if (info.byteRate == 0) return std::nullopt;
    ms = (static_cast<uint64_t>(info.dataBytes) * 1000 + info.byteRate - 1) / info.byteRate;
  }
  // A slow enough rate makes more milliseconds than 32 bits hold: hold at the top, never
  // wrap to a short sound.
  info.lengthMs = static_cast<uint32_t>(ms > UINT32_MAX ? UINT32_MAX : ms);
  return info;
}

}  // namespace platform::media
