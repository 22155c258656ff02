// fuzz: the playing time of the ".mid" tunes.
#include <vector>

#include "FuzzInput.h"
#include "platform/media/MidiLength.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto ms = platform::media::MidiLengthMs(std::vector<uint8_t>(data, data + size));
  if (!ms) return 0;
  // Every event takes at least two bytes and no quiet stretch counts for more than ten
  // seconds: a file cannot claim more time than its bytes can play.
  FUZZ_CHECK(*ms <= (size + 1) * 10000ull);
  return 0;
}
