// platform/media: reading media files and judging their length.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstring>

#include "platform/files/InputFile.h"
#include "platform/Platform.h"
#include "platform/media/MediaDevice.h"
#include "platform/media/MidiLength.h"
#include "platform/media/WavInfo.h"

namespace platform::media {

namespace {
constexpr size_t kMaxMediaBytes = 64 << 20;
}

bool IsMusicFile(const std::string& file) {
  auto dot = file.rfind('.');
  if (dot == std::string::npos) return false;
  std::string ext = file.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext == "mid" || ext == "midi";
}

bool ReadMediaFile(const std::string& file, std::vector<uint8_t>& bytes) {
  return ReadFile(file, kMaxMediaBytes, bytes) == FileRead::Whole && !bytes.empty();
}

std::optional<uint32_t> PlayingLengthMs(const std::vector<uint8_t>& bytes) {
  if (bytes.size() >= 4 && std::memcmp(bytes.data(), "MThd", 4) == 0) return MidiLengthMs(bytes);
  if (auto wav = ReadWavInfo(bytes)) return wav->lengthMs;
  return std::nullopt;
}

uint32_t ClockMs() {
  if (platform::Started()) return platform::TickCount();
  using namespace std::chrono;
  static const auto start = steady_clock::now();
  return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now() - start).count());
}

}  // namespace platform::media
