// settings: reading, writing and applying the settings file.
#include "settings/SettingsFile.h"

#include <cstdint>

#include "platform/IniFile.h"
#include "settings/Ginput.h"
#include "settings/KeyTable.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "shell/Unit1.h"

namespace {

constexpr int kFramePeriods[] = {30, 21, 15, 12};
constexpr int kFangPowers[] = {160, 201, 254, 320};
constexpr int kDefaultSpeed = 2, kDefaultFangPower = 0;
// Values are read through a buffer of 2048 bytes.
constexpr size_t kValueLimit = 2047;

const char* const kGameSection = "難易度調整";
const char* const kKeySection = "キーカスタマイズ";
const char* const kOtherSection = "その他";
const char* const kLinuxSection = "Linux";  // our own settings, ASCII keys

std::string ReadValue(const std::string& path, const std::string& section, const std::string& key,
                      const std::string& def) {
  std::string v = platform::IniReadString(path, section, key, def);
  if (v.size() > kValueLimit) v.resize(kValueLimit);
  return v;
}

int ReadInteger(const std::string& path, const std::string& section, const std::string& key, int def) {
  const std::string missing(1, '\x01');
  std::string v = ReadValue(path, section, key, missing);
  return v == missing ? def : ParseSettingsInteger(v, def);
}

// A radio group brings its value into range: past the last item selects the last one, a
// negative value selects none.
int RadioItem(int value, int items) { return value >= items ? items - 1 : (value < 0 ? -1 : value); }
// A drop-down list selects nothing for a value it has no item for.
int ComboItem(int value, int items) { return value >= 0 && value < items ? value : -1; }

bool IsHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int HexValue(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }

// A number in the form library's text form: optional sign, then decimal digits, or "$" and
// hexadecimal digits (32 bits, wrapping). Nothing else may follow.
bool ToInteger(const std::string& text, int* out) {
  size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  bool neg = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) neg = text[i++] == '-';
  if (i >= text.size()) return false;
  if (text[i] == '$') {
    ++i;
    if (i >= text.size() || text.size() - i > 8) return false;
    uint32_t v = 0;
    for (; i < text.size(); ++i) {
      if (!IsHex(text[i])) return false;
      v = v * 16 + static_cast<uint32_t>(HexValue(text[i]));
    }
    *out = static_cast<int>(neg ? 0u - v : v);
    return true;
  }
  int64_t v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
    if (v > 2147483648LL) return false;
  }
  if (neg) v = -v;
  if (v > INT32_MAX || v < INT32_MIN) return false;
  *out = static_cast<int>(v);
  return true;
}

// The form library's comma text: items end at a comma or at a space or control character,
// an item may be quoted ("" inside quotes is one quote).
std::vector<std::string> SplitCommaText(const std::string& text) {
  std::vector<std::string> items;
  auto blank = [&](size_t i) { return i < text.size() && text[i] != '\0' && static_cast<unsigned char>(text[i]) <= ' '; };
  size_t p = 0;
  while (blank(p)) ++p;
  while (p < text.size() && text[p] != '\0') {
    std::string item;
    if (text[p] == '"') {
      ++p;
      while (p < text.size()) {
        if (text[p] == '"') {
          if (p + 1 < text.size() && text[p + 1] == '"') {
            item += '"';
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        item += text[p++];
      }
    } else {
      size_t from = p;
      while (p < text.size() && static_cast<unsigned char>(text[p]) > ' ' && text[p] != ',') ++p;
      item = text.substr(from, p - from);
    }
    items.push_back(item);
    while (blank(p)) ++p;
    if (p < text.size() && text[p] == ',') {
      do ++p;
      while (blank(p));
    }
  }
  return items;
}

}  // namespace

int ParseSettingsInteger(const std::string& text, int def) {
  std::string t = text;
  if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) t = "$" + t.substr(2);
  int v = 0;
  return ToInteger(t, &v) ? v : def;
}

std::vector<int> ParseKeyList(const std::string& text) {
  std::vector<int> codes;
  for (const std::string& item : SplitCommaText(text)) {
    if (item.empty()) continue;
    int code = 0;
    // An item that is no number is skipped: the keys after it still count, which is
    // kinder to a hand-edited file than stopping there.
    if (!ToInteger(item, &code) || code == 0) continue;
    codes.push_back(code);
  }
  return codes;
}

std::string FormatKeyList(const std::vector<int>& codes) {
  std::string s;
  for (int c : codes) s += std::to_string(c) + ",";
  return s;
}

std::string KeyListSection(int player) { return "キーカスタマイズ　PLAYER" + std::to_string(player); }
std::string KeyListKey(int function) { return "KEY_FUNC" + std::to_string(function + 1); }

StoredSettings ReadStoredSettings(const std::string& path) {
  StoredSettings s;
  s.speed = RadioItem(ReadInteger(path, kGameSection, "ゲームスピード", 2), 4);
  s.fangPower = RadioItem(ReadInteger(path, kGameSection, "ファングパワー", 0), 4);
  s.joystick1 = ComboItem(ReadInteger(path, kKeySection, "JOYSTICK1", 0), 3);
  s.joystick2 = ComboItem(ReadInteger(path, kKeySection, "JOYSTICK2", 0), 3);
  s.resolution = RadioItem(ReadInteger(path, kOtherSection, "解像度の変更", 0), 2);
  s.extras = ReadInteger(path, kOtherSection, "おまけ", 0) != 0;
  return s;
}

void LoadKeyLists(const std::string& path, bool defaults) {
  KeyTable::ClearKeys();
  for (int row = 0; row < kKeyPlayerRows; ++row) {
    for (int f = 0; f < kKeyFunctionCount; ++f) {
      std::string def = FormatKeyList(KeyTable::DefaultKeys(row, f));
      std::string text = defaults ? def : ReadValue(path, KeyListSection(row + 1), KeyListKey(f), def);
      for (int code : ParseKeyList(text)) KeyTable::AddKey(row, f, code);
    }
  }
}

void ApplySettings(const StoredSettings& s) {
  // No selection (a negative value in the file) plays at the default item.
  FramePeriodMs = kFramePeriods[s.speed >= 0 && s.speed < 4 ? s.speed : kDefaultSpeed];
  FangPowerByMode[0][mmStory] = kFangPowers[s.fangPower >= 0 && s.fangPower < 4 ? s.fangPower : kDefaultFangPower];
  JoystickPollerP1 = JoystickPollerP2 = nullptr;
  // When both name the same player, joystick 2 is the one that counts.
  if (s.joystick1 == 1) JoystickPollerP1 = JoystickPoller1;
  if (s.joystick1 == 2) JoystickPollerP2 = JoystickPoller1;
  if (s.joystick2 == 1) JoystickPollerP1 = JoystickPoller2;
  if (s.joystick2 == 2) JoystickPollerP2 = JoystickPoller2;
  ResolutionChangeRequested = s.resolution == 1;
  // The window follows at once: "する" is fullscreen.
  platform::DisplayPrefs display = platform::CurrentDisplayPrefs();
  if (display.fullscreen != ResolutionChangeRequested) {
    display.fullscreen = ResolutionChangeRequested;
    platform::SetDisplayPrefs(display);
  }
}

platform::DisplayPrefs ReadDisplayPrefs(const std::string& path) {
  platform::DisplayPrefs p;
  p.fullscreen = ReadInteger(path, kOtherSection, "解像度の変更", 0) == 1;
  p.mode = ReadInteger(path, kLinuxSection, "ScaleMode", 0) == 1 ? platform::ScaleMode::Fill : platform::ScaleMode::Integer;
  const int w = ReadInteger(path, kLinuxSection, "WindowWidth", 0), h = ReadInteger(path, kLinuxSection, "WindowHeight", 0);
  // A size no desktop has is a damaged value: the window picks its own.
  if (w >= 160 && h >= 120 && w <= 16384 && h <= 16384) {
    p.windowWidth = w;
    p.windowHeight = h;
  }
  return p;
}

void WriteDisplayPrefs(const std::string& path, const platform::DisplayPrefs& before,
                       const platform::DisplayPrefs& now) {
  if (now.fullscreen != before.fullscreen)
    platform::IniWriteString(path, kOtherSection, "解像度の変更", now.fullscreen ? "1" : "0");
  if (now.mode != before.mode)
    platform::IniWriteString(path, kLinuxSection, "ScaleMode", now.mode == platform::ScaleMode::Fill ? "1" : "0");
  if (now.windowWidth > 0 && (now.windowWidth != before.windowWidth || now.windowHeight != before.windowHeight)) {
    platform::IniWriteString(path, kLinuxSection, "WindowWidth", std::to_string(now.windowWidth));
    platform::IniWriteString(path, kLinuxSection, "WindowHeight", std::to_string(now.windowHeight));
  }
}

bool WriteStoredSettings(const std::string& path, const StoredSettings& s, std::string* error) {
  struct Value {
    std::string section, key, text;
  };
  std::vector<Value> values = {
      {kGameSection, "ゲームスピード", std::to_string(s.speed)},
      {kGameSection, "ファングパワー", std::to_string(s.fangPower)},
      {kKeySection, "JOYSTICK1", std::to_string(s.joystick1)},
      {kKeySection, "JOYSTICK2", std::to_string(s.joystick2)},
  };
  for (int row = 0; row < kKeyPlayerRows; ++row)
    for (int f = 0; f < kKeyFunctionCount; ++f)
      values.push_back({KeyListSection(row + 1), KeyListKey(f), FormatKeyList(KeyTable::Keys(row, f))});
  values.push_back({kOtherSection, "解像度の変更", std::to_string(s.resolution)});
  for (const auto& v : values) {
    if (!platform::IniWriteString(path, v.section, v.key, v.text)) {
      if (error) *error = path + " に書き込めません";
      return false;
    }
  }
  return true;
}

void LoadAndApplySettings() {
  const std::string path = SettingsFilePath();
  StoredSettings s = ReadStoredSettings(path);
  ExtrasUnlocked = s.extras;
  LoadKeyLists(path, false);
  ApplySettings(s);
}
