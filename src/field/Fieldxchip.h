// field: a field whose background is a chip map (module Fieldxchip): square chips of one
// sheet laid out by a text file. The battle arena is one.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "field/Field.h"

class LFieldXChip : public LField {
 public:
  // The chip sheet starts empty; the owner fills it (all chips side by side in one row).
  LFieldXChip(platform::Canvas& target, int chipSize);
  ~LFieldXChip() override;
  void DrawCell(platform::Canvas& canvas, int cellX, int cellY) override;

  // 0 when the map was read; 1 when the file is missing or is not a map (nothing changes).
  int LoadMap(const std::string& fileName);
  // Chip number at (column, row); 0 outside the map.
  int ChipAt(int column, int row) const;
  int GetChipSize() const { return chipSize; }
  int GetColumns() const { return columns; }
  int GetRows() const { return rows; }
  platform::Bitmap& ChipSheet() { return chipSheet; }

 protected:
  std::vector<int8_t> chips;  // columns x rows, row by row; each a signed 8-bit number
  int columns = 0, rows = 0;
  int chipSize;
  platform::Bitmap chipSheet;  // chip n at (n * size, 0)-(n * size + size, size)
};
