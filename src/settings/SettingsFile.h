// settings: the settings file "BRAMKO.INI" and its apply step. The settings dialog edits
// the same values; at start-up they are read and applied without showing it.
#pragma once
#include <string>
#include <vector>

#include "platform/files/IniFile.h"
#include "settings/SettingsText.h"
#include "platform/Display.h"

// What the dialog shows: radio-group items (-1: none selected), combo items (-1: none).
// The defaults are a fresh install's: the first pad plays player 1, the second player 2.
struct StoredSettings {
  int speed = 2;      // "ゲームスピード": 遅い, ゆっくり, ふつう, 速い
  int fangPower = 0;  // "ファングパワー": ふつう, やや強い, 強い, 最強
  int joystick1 = 1;  // "JOYSTICK1": NONE, PLAYER 1, PLAYER 2
  int joystick2 = 2;
  int resolution = 0;   // "解像度の変更": しない, する
  bool extras = false;  // "おまけ"
  // Section "Linux", our own: the pads' east button decides and the south one cancels;
  // the pads shake when the player's fighter is hit.
  bool padSwapButtons = false;  // "PadSwapButtons"
  bool padRumble = false;       // "PadRumble"
  int scaleMode = 0;            // "ScaleMode": whole multiples with bars, or filling at 4:3
};

// The file's values with the defaults for what is missing (loadIniFile without the keys).
// A load that also refills the key table reads the file once and passes the document.
StoredSettings ReadStoredSettings(const std::string& path);
StoredSettings ReadStoredSettings(const platform::IniDocument& ini);
// Refills the key table: the defaults, or the file's lists with the default for a missing
// one (loadKeyFile).
void LoadKeyLists(const std::string& path, bool defaults);
void LoadKeyLists(const platform::IniDocument& ini, bool defaults);
// Copies the settings into the running game: frame period, fang power, joysticks and the
// resolution request (doApply). ExtrasUnlocked is read with the file, not here.
void ApplySettings(const StoredSettings& settings);
// Writes every value except "おまけ" with one replace of the whole file (the settings dialog's
// OK and Standard); when it cannot be written nothing changes and *error holds the message
// to show.
bool WriteStoredSettings(const std::string& path, const StoredSettings& settings, std::string* error);

// How the window shows the game: "解像度の変更" (now: start in fullscreen) and our own
// section [Linux] with ScaleMode (0 whole-number, 1 fill 4:3), WindowWidth, WindowHeight.
platform::DisplayPrefs ReadDisplayPrefs(const std::string& path);
// Writes the values of now that differ from before (what the file held at start-up).
void WriteDisplayPrefs(const std::string& path, const platform::DisplayPrefs& before,
                       const platform::DisplayPrefs& now);

// The start-up loader: read everything, keys included, and apply.
void LoadAndApplySettings();
// Start-up: the pad mappings of a "gamecontrollerdb.txt" beside the settings file, if any.
void LoadPadMappings(const std::string& settingsPath);
