// fuzz: the arena map files "map1.txt" .. "map3.txt".
#include "FuzzInput.h"
#include "field/ChipMapText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ChipMapText map;
  if (!ParseChipMap(FuzzText(data, size), map)) return 0;
  FUZZ_CHECK(map.columns > 0 && map.rows > 0);
  FUZZ_CHECK(map.chips.size() == static_cast<size_t>(map.columns) * static_cast<size_t>(map.rows));
  FUZZ_CHECK(map.chips.size() <= (size_t{1} << 22));
  return 0;
}
