// field: the dirty-cell layer engine. A field is a rectangle of a target canvas cut into
// 8 x 8 cells; a subclass paints the background cell by cell and sprites stand on top.
// Moving a sprite marks the cells under its old and new rectangles; a flush repaints only
// those cells, each composed in an 8 x 8 scratch bitmap and copied to the target.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/Bitmap.h"

class LCharcter;

class LField {
 public:
  explicit LField(platform::Canvas& target);
  LField(const LField&) = delete;
  LField& operator=(const LField&) = delete;

  // Virtual operations, in this order.
  virtual void Invalidate(int left, int top, int right, int bottom);
  virtual void RedrawAll();
  virtual ~LField();
  // Paints the background of cell (cellX, cellY) into the 8 x 8 canvas at (0, 0).
  virtual void DrawCell(platform::Canvas& canvas, int cellX, int cellY) = 0;

  void SetSize(int width, int height);
  int GetWidth() const { return width; }
  int GetHeight() const { return height; }
  void SetOrigin(int x, int y);
  int GetOriginX() const { return originX; }
  int GetOriginY() const { return originY; }
  platform::Canvas& GetTargetCanvas() { return *targetCanvas; }

  // The sprite list keeps the order of adding; it does not own the sprites.
  void AddSprite(LCharcter* sprite);
  void RemoveSprite(LCharcter* sprite);
  int GetSpriteCount() const { return static_cast<int>(sprites.size()); }
  LCharcter* GetSprite(int index) const;

  // Repaint the dirty cells that the canvas shows (RedrawAll marks those first); cells
  // off the canvas keep their marks.
  void Flush();
  void FlushTo(platform::Canvas& canvas);
  void RedrawAllTo(platform::Canvas& canvas);
  // Steps every sprite in list order, then flushes: the per-frame call of every scene.
  void StepAll();

  void DissolveOut();
  void DissolveIn();

  // True when the cell is waiting to be repainted (false outside the field).
  bool IsDirty(int cellX, int cellY) const;

 protected:
  // A subclass that learns its size gets a fresh, clean flag array for it.
  void AllocateDirtyFlags();
  void DropDirtyFlags();

  int width = 0, height = 0;
  std::vector<LCharcter*> sprites;
  platform::Bitmap cellScratch;
  std::vector<uint8_t> dirtyFlags;  // one per 8 x 8 cell; empty = the field has no size yet
  int flagColumns = 0, flagRows = 0;
  int originX = 0, originY = 0;
  platform::Canvas* targetCanvas;

 private:
  struct CellRange {
    int left = 0, top = 0, right = 0, bottom = 0;  // cells, right and bottom exclusive
  };
  CellRange ShownCells(platform::Canvas& canvas) const;

  // While a flush draws a row of cells: the sprites reaching into it (kept from row to row
  // and frame to frame, so a flush allocates nothing once it has seen the most sprites).
  struct RowSprite {
    LCharcter* sprite;
    int left, right;
  };
  std::vector<RowSprite> rowSprites_;

  // While StepAll runs: the sprites still to be stepped this frame (removed ones are nulled).
  std::vector<LCharcter*>* stepping_ = nullptr;
  std::vector<LCharcter*> stepBuffer_;
};

// Block-dissolve transitions. Blocks are 8 x 8 when paced and the area is above 65535
// pixels, else 4 x 4; they are visited in a prime-stride order, pumping window messages
// every 256 blocks when paced.
void BlockDissolveFill(platform::Canvas& canvas, int x, int y, int width, int height, bool paced);
void BlockDissolveCopy(platform::Canvas& source, int sourceX, int sourceY, platform::Canvas& destination, int destX,
                       int destY, int width, int height, bool paced);

// The order both dissolves visit their blocks in: visit(column, row, p) once per step.
int DissolveBlockSize(int width, int height, bool paced);
template <class Visit>
void ForEachDissolveBlock(int width, int height, bool paced, Visit&& visit);

#include "field/FieldDissolve.inl"
