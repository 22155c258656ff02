// field: a field whose background is one whole picture (module Fieldbmp); every waypoint
// map, menu and cut-scene frame is one.
#pragma once
#include <memory>
#include <string>

#include "field/Field.h"

class LFieldBMP : public LField {
 public:
  LFieldBMP(platform::Canvas& target, const std::string& resourceName);
  ~LFieldBMP() override;
  void DrawCell(platform::Canvas& canvas, int cellX, int cellY) override;

  // Loads the named picture, resizes the field to it and starts a fresh, clean flag array;
  // the caller follows with RedrawAll or DissolveIn.
  void LoadPicture(const std::string& resourceName);
  // Scenes may draw on the picture; it shows once the cells are invalidated and flushed.
  platform::Bitmap& GetPicture() { return *picture; }
  platform::Canvas& PictureCanvas() { return picture->GetCanvas(); }

 protected:
  std::unique_ptr<platform::Bitmap> picture;
  unsigned char pictureCreated = 0;
};
