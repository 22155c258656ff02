// Benchmark: one arena with 2 fighters, 5 items, 5 chips and 6 fangs stepped and flushed for
// 10,000 frames through the dirty-cell engine, against repainting the whole 640 x 480
// screen every frame the simple way (background, every chip, every sprite).
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "field/Fieldxchip.h"
#include "field/Lchar.h"
#include "platform/files/Files.h"

namespace {

constexpr int kFrames = 10000;

// A sprite that moves by a fixed step every few frames and bounces off the arena's edges,
// as fighters, fangs, items and chips do.
class Mover : public LCharcter {
 public:
  Mover(LField* f, const platform::Bitmap* sheet, const platform::Bitmap* mask, platform::Rect src, int x0, int y0,
        int dx, int dy, int period)
      : LCharcter(f, sheet, mask, src), dx_(dx), dy_(dy), period_(period), countdown_(period) {
    MoveTo(x0, y0);
  }
  int Step() override {
    if (countdown_-- > 0) return 1;
    countdown_ = period_;
    int nx = x + dx_, ny = y + dy_;
    if (nx < 0 || nx > 560) dx_ = -dx_, nx = x + dx_;
    if (ny < 0 || ny > 288) dy_ = -dy_, ny = y + dy_;
    MoveTo(nx, ny);
    return 0;
  }

 private:
  int dx_, dy_, period_, countdown_;
};

// The arena, counting the cells it composes.
class CountingArena : public LFieldXChip {
 public:
  using LFieldXChip::LFieldXChip;
  void DrawCell(platform::Canvas& canvas, int cx, int cy) override {
    ++cells;
    LFieldXChip::DrawCell(canvas, cx, cy);
  }
  long long cells = 0;
};

std::string ArenaMapFile() {
  const std::string beside = platform::ExecutableDir() + "../map1.txt";
  if (std::ifstream(beside)) return beside;
  const std::string made = "/tmp/bench_field_map.txt";
  std::ofstream out(made);
  for (int r = 0; r < 20; ++r) {
    for (int c = 0; c < 37; ++c) out << (c ? "," : "") << ((r + c) & 1);
    out << "\n";
  }
  return made;
}

void MakeSheets(platform::Bitmap& sheet, platform::Bitmap& mask) {
  sheet.SetSize(640, 1152);
  mask.SetSize(640, 96, platform::kWhite);
  for (int y = 0; y < 1152; ++y)
    for (int x = 0; x < 640; ++x) sheet.Row(y)[x] = platform::Rgb(x * 7, y * 3, (x ^ y) * 5);
  // Round silhouettes: black inside a circle of each 32 x 32 cell, white around it.
  for (int y = 0; y < 96; ++y)
    for (int x = 0; x < 640; ++x) {
      const int cx = x % 32 - 16, cy = y % 32 - 16;
      if (cx * cx + cy * cy < 196) mask.Row(y)[x] = platform::kBlack;
    }
}

}  // namespace

int main() {
  platform::Bitmap screen(640, 480), sheet, mask;
  MakeSheets(sheet, mask);

  CountingArena arena(screen.GetCanvas(), 16);
  arena.ChipSheet().SetSize(64, 16);
  arena.ChipSheet().GetCanvas().CopyRect({0, 0, 64, 16}, sheet, {448, 448, 512, 464});
  arena.SetOrigin(24, 136);
  if (arena.LoadMap(ArenaMapFile()) != 0) {
    std::fprintf(stderr, "no arena map\n");
    return 1;
  }

  std::vector<Mover*> sprites;
  auto add = [&](platform::Rect src, int x, int y, int dx, int dy, int period) {
    sprites.push_back(new Mover(&arena, &sheet, &mask, src, x, y, dx, dy, period));
  };
  add({0, 0, 32, 32}, 144, 160, 16, 16, 2);  // fighters: a 16-pixel step every third frame
  add({0, 64, 32, 96}, 416, 160, -16, 16, 2);
  for (int i = 0; i < 5; ++i) add({256, 64, 288, 96}, 40 + 100 * i, 20 + 50 * i, 8, 8, 1);       // items
  for (int i = 0; i < 5; ++i) add({256, 0, 272, 16}, 300, 30 + 50 * i, i % 2 ? 16 : -16, 0, 4);  // chips
  for (int i = 0; i < 6; ++i) add({64, 32, 96, 64}, 60 + 80 * i, 250 - 30 * i, 16, -8, 1);       // fangs

  using Clock = std::chrono::steady_clock;
  arena.RedrawAll();
  arena.cells = 0;
  auto t0 = Clock::now();
  for (int f = 0; f < kFrames; ++f) arena.StepAll();
  const double fieldUs = std::chrono::duration<double, std::micro>(Clock::now() - t0).count() / kFrames;

  // The simple way: every frame the battle frame picture, all 740 chips and every sprite.
  platform::Canvas& c = screen.GetCanvas();
  t0 = Clock::now();
  for (int f = 0; f < kFrames; ++f) {
    for (Mover* s : sprites) s->Step();
    c.copyMode = platform::CopyMode::Copy;
    c.CopyRect({0, 0, 640, 480}, sheet, {0, 672, 640, 1152});
    for (int r = 0; r < 20; ++r)
      for (int col = 0; col < 37; ++col) {
        const int n = arena.ChipAt(col, r);
        c.CopyRect({24 + 16 * col, 136 + 16 * r, 40 + 16 * col, 152 + 16 * r}, arena.ChipSheet(),
                   {16 * n, 0, 16 * n + 16, 16});
      }
    for (size_t i = sprites.size(); i-- > 0;) {
      Mover* s = sprites[i];
      const platform::Rect d{24 + s->x, 136 + s->y, 24 + s->x + s->width, 136 + s->y + s->height};
      c.copyMode = platform::CopyMode::And;
      c.CopyRect(d, mask, {s->source.left, s->source.top % 96, s->source.right, s->source.top % 96 + s->height});
      c.copyMode = platform::CopyMode::Or;
      c.CopyRect(d, sheet, s->source);
    }
    c.copyMode = platform::CopyMode::Copy;
  }
  const double fullUs = std::chrono::duration<double, std::micro>(Clock::now() - t0).count() / kFrames;

  std::printf("arena 592x320, %zu sprites, %d frames\n", sprites.size(), kFrames);
  std::printf("dirty-cell step+flush: %8.2f us/frame (%.0f of 2960 cells repainted per frame)\n", fieldUs,
              static_cast<double>(arena.cells) / kFrames);
  std::printf("full 640x480 redraw:   %8.2f us/frame\n", fullUs);
  std::printf("ratio full/dirty:      %8.2f\n", fullUs / fieldUs);
  for (Mover* s : sprites) s->Release();
  return 0;
}
