// settings: the settings file "BRAMKO.INI" and its apply step. The settings dialog edits
// the same values; at start-up they are read and applied without showing it.
#pragma once
#include <string>
#include <vector>

#include "platform/Display.h"

// What the dialog shows: radio-group items (-1: none selected), combo items (-1: none).
struct StoredSettings {
  int speed = 2;      // "ゲームスピード": 遅い, ゆっくり, ふつう, 速い
  int fangPower = 0;  // "ファングパワー": ふつう, やや強い, 強い, 最強
  int joystick1 = 0;  // "JOYSTICK1": NONE, PLAYER 1, PLAYER 2
  int joystick2 = 0;
  int resolution = 0;  // "解像度の変更": しない, する
  bool extras = false;  // "おまけ"
};

// The file's values with the defaults for what is missing (loadIniFile without the keys).
StoredSettings ReadStoredSettings(const std::string& path);
// Refills the key table: the defaults, or the file's lists with the default for a missing
// one (loadKeyFile).
void LoadKeyLists(const std::string& path, bool defaults);
// Copies the settings into the running game: frame period, fang power, joysticks and the
// resolution request (doApply). ExtrasUnlocked is read with the file, not here.
void ApplySettings(const StoredSettings& settings);
// Writes every value except "おまけ", in the dialog's order; on the first value that cannot
// be written returns false with the message to show in *error.
bool WriteStoredSettings(const std::string& path, const StoredSettings& settings, std::string* error);

// How the window shows the game: "解像度の変更" (now: start in fullscreen) and our own
// section [Linux] with ScaleMode (0 whole-number, 1 fill 4:3), WindowWidth, WindowHeight.
platform::DisplayPrefs ReadDisplayPrefs(const std::string& path);
// Writes the values of now that differ from before (what the file held at start-up).
void WriteDisplayPrefs(const std::string& path, const platform::DisplayPrefs& before,
                       const platform::DisplayPrefs& now);

// The start-up loader: read everything, keys included, and apply.
void LoadAndApplySettings();

// Value formats of the file.
int ParseSettingsInteger(const std::string& text, int def);
std::vector<int> ParseKeyList(const std::string& text);
std::string FormatKeyList(const std::vector<int>& codes);
// Section of a player's key lists (player 1 or 2) and the key of a function (0..5).
std::string KeyListSection(int player);
std::string KeyListKey(int function);
