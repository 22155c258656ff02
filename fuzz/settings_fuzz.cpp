// fuzz: the settings file "BRAMKO.INI": the INI reader and writer, the integer values and
// the key lists, through the same calls the game makes.
#include <string>
#include <utility>
#include <vector>

#include "FuzzInput.h"
#include "platform/files/IniFile.h"
#include "settings/SettingsText.h"

namespace {

std::vector<std::pair<std::string, std::string>> GameKeys() {
  std::vector<std::pair<std::string, std::string>> keys = {
      {"難易度調整", "ゲームスピード"},  {"難易度調整", "ファングパワー"}, {"キーカスタマイズ", "JOYSTICK1"},
      {"キーカスタマイズ", "JOYSTICK2"}, {"その他", "解像度の変更"},       {"その他", "おまけ"}};
  for (int player = 1; player <= 2; ++player)
    for (int f = 0; f < 6; ++f) keys.push_back({KeyListSection(player), KeyListKey(f)});
  return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const auto keys = GameKeys();
  const std::string text = FuzzText(data, size);
  platform::IniDocument ini = platform::IniDocument::FromText(text);
  // Read and written back unchanged, byte for byte.
  FUZZ_CHECK(ini.Text() == text);

  std::vector<std::string> before;
  for (const auto& [section, key] : keys) {
    std::string v = ini.Get(section, key, "");
    before.push_back(v);
    ParseSettingsInteger(v, 0);
    ini.GetInt(section, key, 0);
    // A key list written back reads as the same codes.
    std::vector<int> codes = ParseKeyList(v);
    FUZZ_CHECK(ParseKeyList(FormatKeyList(codes)) == codes);
  }

  // Setting one value changes that value and no other.
  const size_t pick = size ? data[0] % keys.size() : 0;
  ini.Set(keys[pick].first, keys[pick].second, "71,86,");
  for (size_t i = 0; i < keys.size(); ++i)
    FUZZ_CHECK(ini.Get(keys[i].first, keys[i].second, "") == (i == pick ? "71,86," : before[i]));
  // And the text it writes reads back as the same document.
  const std::string written = ini.Text();
  FUZZ_CHECK(platform::IniDocument::FromText(written).Text() == written);
  return 0;
}
