// field: the chip-map background and the arena map loader.
#include "field/Fieldxchip.h"

#include "field/ChipMapText.h"
#include "platform/files/InputFile.h"

namespace {

// No arena file comes near this; a larger file is refused before it is read.
constexpr size_t kMaxMapFileBytes = 32 << 20;

// The file's bytes, or false when there is no readable file of that name.
bool ReadWholeFile(const std::string& name, std::string& out) {
  return platform::ReadFile(name, kMaxMapFileBytes, out) == platform::FileRead::Whole;
}

}  // namespace

LFieldXChip::LFieldXChip(platform::Canvas& target, int size) : LField(target), chipSize(size > 0 ? size : 16) {}

LFieldXChip::~LFieldXChip() = default;

int LFieldXChip::LoadMap(const std::string& fileName) {
  std::string text;
  ChipMapText map;
  // A missing file, an empty one, or one that is not a map leaves the arena as it was.
  if (!ReadWholeFile(fileName, text) || !ParseChipMap(text, map)) return 1;
  if (static_cast<int64_t>(map.columns) * chipSize > INT32_MAX / 2 ||
      static_cast<int64_t>(map.rows) * chipSize > INT32_MAX / 2)
    return 1;
  chips = std::move(map.chips);
  columns = map.columns;
  rows = map.rows;
  DropDirtyFlags();
  SetSize(columns * chipSize, rows * chipSize);
  AllocateDirtyFlags();
  return 0;
}

int LFieldXChip::ChipAt(int column, int row) const {
  if (column < 0 || row < 0 || column >= columns || row >= rows) return 0;
  return chips[static_cast<size_t>(row) * columns + column];
}

void LFieldXChip::DrawCell(platform::Canvas& canvas, int cellX, int cellY) {
  const int n = ChipAt(8 * cellX / chipSize, 8 * cellY / chipSize);
  const int sx = 8 * cellX % chipSize + chipSize * n, sy = 8 * cellY % chipSize;
  // A chip number the sheet has no picture for (negative, or past its end) shows black,
  // not whatever the scratch cell held before.
  if (sx < 0 || sy < 0 || sx + 8 > chipSheet.Width() || sy + 8 > chipSheet.Height()) {
    canvas.brush = platform::Brush{platform::kBlack};
    canvas.FillRect({0, 0, 8, 8});
  }
  canvas.copyMode = platform::CopyMode::Copy;
  canvas.CopyRect({0, 0, 8, 8}, chipSheet, {sx, sy, sx + 8, sy + 8});
}
