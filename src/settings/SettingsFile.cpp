// settings: reading, writing and applying the settings file.
#include "settings/SettingsFile.h"

#include "platform/files/IniFile.h"
#include "platform/Input.h"
#include "input/Ginput.h"
#include "input/KeyTable.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "shell/GameFiles.h"
#include "shell/PadRumble.h"
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

std::string ReadValue(const platform::IniDocument& ini, const std::string& section, const std::string& key,
                      const std::string& def) {
  std::string v = ini.Get(section, key, def);
  if (v.size() > kValueLimit) v.resize(kValueLimit);
  return v;
}

int ReadInteger(const platform::IniDocument& ini, const std::string& section, const std::string& key, int def) {
  return ini.Has(section, key) ? ParseSettingsInteger(ReadValue(ini, section, key, ""), def) : def;
}

// A radio group brings its value into range: past the last item selects the last one, a
// negative value selects none.
int RadioItem(int value, int items) { return value >= items ? items - 1 : (value < 0 ? -1 : value); }
// A drop-down list selects nothing for a value it has no item for.
int ComboItem(int value, int items) { return value >= 0 && value < items ? value : -1; }

}  // namespace

StoredSettings ReadStoredSettings(const std::string& path) {
  return ReadStoredSettings(platform::IniDocument::Load(path));
}

StoredSettings ReadStoredSettings(const platform::IniDocument& ini) {
  StoredSettings s;
  s.speed = RadioItem(ReadInteger(ini, kGameSection, "ゲームスピード", 2), 4);
  s.fangPower = RadioItem(ReadInteger(ini, kGameSection, "ファングパワー", 0), 4);
  // Until the player has chosen (the dialog's OK writes both), the pads play in the order
  // they were plugged in; once either value is stored, a missing one means NONE.
  const bool chosen = ini.Has(kKeySection, "JOYSTICK1") || ini.Has(kKeySection, "JOYSTICK2");
  const StoredSettings fresh;
  s.joystick1 = ComboItem(ReadInteger(ini, kKeySection, "JOYSTICK1", chosen ? 0 : fresh.joystick1), 3);
  s.joystick2 = ComboItem(ReadInteger(ini, kKeySection, "JOYSTICK2", chosen ? 0 : fresh.joystick2), 3);
  s.resolution = RadioItem(ReadInteger(ini, kOtherSection, "解像度の変更", 0), 2);
  s.extras = ReadInteger(ini, kOtherSection, "おまけ", 0) != 0;
  s.padSwapButtons = ReadInteger(ini, kLinuxSection, "PadSwapButtons", 0) != 0;
  s.padRumble = ReadInteger(ini, kLinuxSection, "PadRumble", 0) != 0;
  s.scaleMode = ReadInteger(ini, kLinuxSection, "ScaleMode", 0) == 1 ? 1 : 0;
  return s;
}

void LoadKeyLists(const std::string& path, bool defaults) {
  LoadKeyLists(defaults ? platform::IniDocument() : platform::IniDocument::Load(path), defaults);
}

void LoadKeyLists(const platform::IniDocument& ini, bool defaults) {
  KeyTable::ClearKeys();
  for (int row = 0; row < kKeyPlayerRows; ++row) {
    for (int f = 0; f < kKeyFunctionCount; ++f) {
      std::string def = FormatKeyList(KeyTable::DefaultKeys(row, f));
      std::string text = defaults ? def : ReadValue(ini, KeyListSection(row + 1), KeyListKey(f), def);
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
  JoystickSwapButtons = s.padSwapButtons;
  platform::SetPadButtonsSwapped(s.padSwapButtons);
  PadRumbleOnHit = s.padRumble;
  // The window follows at once: "する" is fullscreen.
  platform::DisplayPrefs display = platform::CurrentDisplayPrefs();
  const platform::ScaleMode mode = s.scaleMode == 1 ? platform::ScaleMode::Fill : platform::ScaleMode::Integer;
  if (display.fullscreen != ResolutionChangeRequested || display.mode != mode) {
    display.fullscreen = ResolutionChangeRequested;
    display.mode = mode;
    platform::SetDisplayPrefs(display);
  }
}

platform::DisplayPrefs ReadDisplayPrefs(const std::string& path) {
  const platform::IniDocument ini = platform::IniDocument::Load(path);
  platform::DisplayPrefs p;
  p.fullscreen = ReadInteger(ini, kOtherSection, "解像度の変更", 0) == 1;
  p.mode =
      ReadInteger(ini, kLinuxSection, "ScaleMode", 0) == 1 ? platform::ScaleMode::Fill : platform::ScaleMode::Integer;
  const int w = ReadInteger(ini, kLinuxSection, "WindowWidth", 0),
            h = ReadInteger(ini, kLinuxSection, "WindowHeight", 0);
  // A size no desktop has is a damaged value: the window picks its own.
  if (w >= 160 && h >= 120 && w <= 16384 && h <= 16384) {
    p.windowWidth = w;
    p.windowHeight = h;
  }
  return p;
}

void WriteDisplayPrefs(const std::string& path, const platform::DisplayPrefs& before,
                       const platform::DisplayPrefs& now) {
  const bool sized =
      now.windowWidth > 0 && (now.windowWidth != before.windowWidth || now.windowHeight != before.windowHeight);
  if (now.fullscreen == before.fullscreen && now.mode == before.mode && !sized) return;
  // One replace for all of them, like every other write of the file.
  platform::IniDocument ini = platform::IniDocument::Load(path);
  if (now.fullscreen != before.fullscreen) ini.Set(kOtherSection, "解像度の変更", now.fullscreen ? "1" : "0");
  if (now.mode != before.mode) ini.Set(kLinuxSection, "ScaleMode", now.mode == platform::ScaleMode::Fill ? "1" : "0");
  if (sized) {
    ini.Set(kLinuxSection, "WindowWidth", std::to_string(now.windowWidth));
    ini.Set(kLinuxSection, "WindowHeight", std::to_string(now.windowHeight));
  }
  if (MakeFolderFor(path)) ini.Save(path);
}

bool WriteStoredSettings(const std::string& path, const StoredSettings& s, std::string* error) {
  // Every value is changed in memory and the file replaced once: a crash or a full disk
  // leaves the old settings or the new ones, never the new speed with the old keys.
  platform::IniDocument ini = platform::IniDocument::Load(path);
  ini.Set(kGameSection, "ゲームスピード", std::to_string(s.speed));
  ini.Set(kGameSection, "ファングパワー", std::to_string(s.fangPower));
  ini.Set(kKeySection, "JOYSTICK1", std::to_string(s.joystick1));
  ini.Set(kKeySection, "JOYSTICK2", std::to_string(s.joystick2));
  for (int row = 0; row < kKeyPlayerRows; ++row)
    for (int f = 0; f < kKeyFunctionCount; ++f)
      ini.Set(KeyListSection(row + 1), KeyListKey(f), FormatKeyList(KeyTable::Keys(row, f)));
  ini.Set(kOtherSection, "解像度の変更", std::to_string(s.resolution));
  ini.Set(kLinuxSection, "PadSwapButtons", s.padSwapButtons ? "1" : "0");
  ini.Set(kLinuxSection, "PadRumble", s.padRumble ? "1" : "0");
  ini.Set(kLinuxSection, "ScaleMode", std::to_string(s.scaleMode));
  if (ini.Save(path)) return true;
  if (error) *error = path + " に書き込めません";
  return false;
}

void LoadAndApplySettings() {
  const platform::IniDocument ini = platform::IniDocument::Load(SettingsFilePath());
  StoredSettings s = ReadStoredSettings(ini);
  ExtrasUnlocked = s.extras;
  LoadKeyLists(ini, false);
  ApplySettings(s);
}

void LoadPadMappings(const std::string& settingsPath) {
  const size_t slash = settingsPath.rfind('/');
  const std::string dir = slash == std::string::npos ? "" : settingsPath.substr(0, slash + 1);
  platform::AddPadMappings(dir + "gamecontrollerdb.txt");
}
