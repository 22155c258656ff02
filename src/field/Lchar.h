// field: the sprite base (module Lchar). A sprite is a rectangle of a picture sheet, drawn
// through an optional mask (AND, then OR) onto the cells of its field. Sprites are made
// with new, add themselves to their field, and end only through Release, which destroys
// them at once and takes them off the field; nothing may touch a sprite afterwards.
#pragma once
#include "platform/Bitmap.h"

class LField;

struct LPoint {
  int x = 0, y = 0;
};

// What a frame may change of a sprite: where it stands and what it shows. Its sheets, field
// and step callback are wiring, set when it is made. Only ints, so a state compares and
// hashes as its bytes.
struct LCharState {
  int x = 0, y = 0, width = 0, height = 0;
  platform::Rect source;
  int maskOffsetX = 0, maskOffsetY = 0;
  int visible = 1;
};

class LCharcter {
 public:
  using StepCallback = void (*)(LCharcter* sprite);

  LCharcter(LField* field, const platform::Bitmap* image, const platform::Bitmap* mask, const platform::Rect& source);
  LCharcter(const LCharcter&) = delete;
  LCharcter& operator=(const LCharcter&) = delete;

  // Virtual operations, in this order.
  virtual void Release();  // destroys the sprite through its virtual destructor
 protected:
  virtual ~LCharcter();  // only Release may destroy a sprite
 public:
  virtual void Draw(platform::Canvas& canvas, int cellLeft, int cellTop, int cellRight, int cellBottom);
  // Calls the step callback when one is set; subclasses put their frame logic here.
  // Nonzero means the sprite did not act this frame, or released itself.
  virtual int Step();

  platform::Rect GetRect() const { return {x, y, x + width, y + height}; }
  LPoint GetPosition() const { return {x, y}; }
  LField* GetField() const { return field; }
  // Marks the old and the new rectangle dirty; nothing is drawn before the next flush.
  void MoveTo(int x, int y);
  void Refresh();
  LCharState SaveSprite() const;
  // Takes the state over; the cells under the old and the new rectangle are repainted at
  // the next flush.
  void LoadSprite(const LCharState& state);

  int width, height;
  const platform::Bitmap* image;  // not owned
  const platform::Bitmap* mask;   // not owned; black where the sprite is, white around it
  LField* field;                  // null once the field has gone
  platform::Rect source;          // the picture's rectangle on the image sheet
  int maskOffsetX = 0, maskOffsetY = 0;
  unsigned char visible = 1;
  int x = 0, y = 0;
  StepCallback stepCallback = nullptr;
};

// Releases the sprite and forgets the caller's pointer to it.
template <class T>
void ReleaseSprite(T*& sprite) {
  if (!sprite) return;
  T* s = sprite;
  sprite = nullptr;
  s->Release();
}
