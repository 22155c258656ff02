// fuzz: the help file "BRAMKO.HLP".
#include "FuzzInput.h"
#include "platform/ui/help/HelpText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (const platform::HelpSection& s : platform::ParseHelpText(FuzzText(data, size))) {
    FUZZ_CHECK(s.keyword.find('\n') == std::string::npos);
    FUZZ_CHECK(s.body.empty() || s.body.back() == '\n');
  }
  return 0;
}
