// fuzz: the progress file "BRAMKO.DAT".
#include "FuzzInput.h"
#include "shell/SaveRecord.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SaveRecord record;
  DecodeSaveRecord(FuzzText(data, size), record);
  // Whatever was read saves as 19 bytes that read back as the same progress.
  const std::string bytes = EncodeSaveRecord(record);
  FUZZ_CHECK(bytes.size() == static_cast<size_t>(kSaveFileSize));
  SaveRecord again;
  DecodeSaveRecord(bytes, again);
  FUZZ_CHECK(EncodeSaveRecord(again) == bytes);
  return 0;
}
