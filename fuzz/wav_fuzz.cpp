// fuzz: the header reader of the ".wav" effects.
#include <vector>

#include "FuzzInput.h"
#include "platform/media/WavInfo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto info = platform::media::ReadWavInfo(std::vector<uint8_t>(data, data + size));
  if (!info) return 0;
  FUZZ_CHECK(info->dataBytes <= size);
  FUZZ_CHECK(info->channels > 0 && info->sampleRate > 0 && info->blockAlign > 0);
  return 0;
}
