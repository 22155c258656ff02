// settings: the value formats of the settings file "BRAMKO.INI".
#pragma once
#include <string>
#include <vector>

// A number as the file holds it: decimal, "$" or "0x" hexadecimal (32 bits); def for
// anything else, a number out of the int range included.
int ParseSettingsInteger(const std::string& text, int def);
// A key list: codes separated by commas or blanks, items may be quoted; empty items, items
// that are no number and the code 0 are skipped.
std::vector<int> ParseKeyList(const std::string& text);
// Each code followed by a comma ("71,86,66,"; "" for none).
std::string FormatKeyList(const std::vector<int>& codes);
// Section of a player's key lists (player 1 or 2) and the key of a function (0..5).
std::string KeyListSection(int player);
std::string KeyListKey(int function);
