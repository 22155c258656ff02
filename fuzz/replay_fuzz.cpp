// fuzz: the replay file. Once as the bytes come, and once with their last four bytes made
// the right checksum, so that the fuzzer gets past it into the setup and the tape.
#include <vector>

#include "FuzzInput.h"
#include "battle/ReplayFormat.h"

namespace {

void Read(const std::vector<uint8_t>& bytes) {
  const ReplayReading r = ReadReplay(bytes);
  FUZZ_CHECK(r.replay.has_value() == (r.error == ReplayError::None));
  if (!r.replay) return;
  // A replay that was read writes back to the very same bytes: nothing was taken on trust.
  // An older format is written as the current one, which must read back as it was written.
  const std::vector<uint8_t> again = EncodeReplay(*r.replay);
  const bool current = bytes.size() >= 6 && (bytes[4] | bytes[5] << 8) == kReplayFormat;
  if (current) {
    FUZZ_CHECK(again == bytes);
  } else {
    const ReplayReading back = ReadReplay(again);
    FUZZ_CHECK(back.replay.has_value() && EncodeReplay(*back.replay) == again);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  Read(bytes);
  if (size >= 4) {
    const uint32_t sum = Fnv1a(std::string_view(reinterpret_cast<const char*>(data), size - 4));
    for (int k = 0; k < 4; ++k) bytes[size - 4 + k] = static_cast<uint8_t>(sum >> (8 * k));
    Read(bytes);
  }
  return 0;
}
