// field: the block-dissolve transitions every scene fades pictures in and out with.
#include "field/Field.h"
#include "shell/Game.h"

void BlockDissolveFill(platform::Canvas& canvas, int x, int y, int width, int height, bool paced) {
  const int b = DissolveBlockSize(width, height, paced);
  canvas.brush = platform::Brush{platform::kBlack};
  ForEachDissolveBlock(width, height, paced, [&](int column, int row, int64_t p) {
    canvas.FillRect({x + b * column, y + b * row, x + b * (column + 1), y + b * (row + 1)});
    if (paced && (p & 255) == 0) PumpMessages();
  });
}

void BlockDissolveCopy(platform::Canvas& source, int sourceX, int sourceY, platform::Canvas& destination, int destX,
                       int destY, int width, int height, bool paced) {
  const int b = DissolveBlockSize(width, height, paced);
  destination.copyMode = platform::CopyMode::Copy;
  const platform::Bitmap& from = source.Target();
  ForEachDissolveBlock(width, height, paced, [&](int column, int row, int64_t p) {
    const int ox = b * column, oy = b * row;
    destination.CopyRect({destX + ox, destY + oy, destX + ox + b, destY + oy + b}, from,
                         {sourceX + ox, sourceY + oy, sourceX + ox + b, sourceY + oy + b});
    if (paced && (p & 255) == 0) PumpMessages();
  });
}
