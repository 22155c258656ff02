// input: key table storage and the default lists of both players.
#include "input/KeyTable.h"

#include <algorithm>

namespace KeyTable {

namespace {

std::vector<int> g_lists[kKeyPlayerRows][kKeyFunctionCount];

bool Valid(int row, int function) {
  return row >= 0 && row < kKeyPlayerRows && function >= 0 && function < kKeyFunctionCount;
}

}  // namespace

int KeyCount(int row, int function) {
  return Valid(row, function) ? static_cast<int>(g_lists[row][function].size()) : 0;
}

int KeyAt(int row, int function, int position) {
  if (!Valid(row, function) || position < 0 || position >= KeyCount(row, function)) return 0;
  return g_lists[row][function][static_cast<size_t>(position)];
}

void AddKey(int row, int function, int code) {
  if (Valid(row, function)) g_lists[row][function].push_back(code);
}

void RemoveKey(int row, int function, int code) {
  if (!Valid(row, function)) return;
  auto& l = g_lists[row][function];
  auto it = std::find(l.begin(), l.end(), code);
  if (it != l.end()) l.erase(it);
}

void ClearKeys() {
  for (auto& row : g_lists)
    for (auto& l : row) l.clear();
}

const std::vector<int>& Keys(int row, int function) {
  static const std::vector<int> none;
  return Valid(row, function) ? g_lists[row][function] : none;
}

const std::vector<int>& DefaultKeys(int row, int function) {
  static const std::vector<int> defaults[kKeyPlayerRows][kKeyFunctionCount] = {
      {{84}, {71, 86, 66}, {70}, {72}, {88}, {90}},                             // T, G V B, F, H, X, Z
      {{104, 38}, {98, 40}, {100, 37}, {102, 39}, {13, 190, 226}, {188, 191}},  // keypad and arrows
  };
  static const std::vector<int> none;
  return Valid(row, function) ? defaults[row][function] : none;
}

}  // namespace KeyTable
