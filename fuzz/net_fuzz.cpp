// fuzz: the online versus messages, as any datagram from the network may come.
#include <vector>

#include "FuzzInput.h"
#include "online/NetMessage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::optional<NetMessage> m = ReadNetMessage(std::span<const uint8_t>(data, size));
  // A message that was read writes back to the very same bytes: nothing was taken on trust.
  if (m) {
    const std::string again = EncodeNetMessage(*m);
    FUZZ_CHECK(again == std::string(reinterpret_cast<const char*>(data), size));
  }
  return 0;
}
