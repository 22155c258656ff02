// input: the key functions, input bits and the key table of both players.
// The table is held by the input polling (shell/Game) and filled from the settings file.
#pragma once
#include <vector>

// Input bits of one player, as the polling and the joystick pollers report them.
using TInputBits = int;
enum : int { ibUp = 1, ibDown = 2, ibLeft = 4, ibRight = 8, ibDecide = 16, ibCancel = 32 };

enum TKeyFunction : int { kfUp = 0, kfDown = 1, kfLeft = 2, kfRight = 3, kfDecide = 4, kfCancel = 5 };
constexpr int kKeyFunctionCount = 6;
constexpr int kKeyPlayerRows = 2;

// Two rows (PLAYER 1, PLAYER 2) of six ordered lists of virtual-key codes.
namespace KeyTable {

int KeyCount(int row, int function);
int KeyAt(int row, int function, int position);
void AddKey(int row, int function, int code);
void RemoveKey(int row, int function, int code);
void ClearKeys();
// The whole list of one function (read-only view for the polling).
const std::vector<int>& Keys(int row, int function);
// The default codes of one list, used when the settings file has none and by "標準".
const std::vector<int>& DefaultKeys(int row, int function);

}  // namespace KeyTable
