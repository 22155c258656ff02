// field: the picture background of waypoint maps, menus and cut-scene frames.
#include "field/Fieldbmp.h"

#include "platform/Pictures.h"

LFieldBMP::LFieldBMP(platform::Canvas& target, const std::string& resourceName) : LField(target) {
  LoadPicture(resourceName);
}

LFieldBMP::~LFieldBMP() = default;

void LFieldBMP::LoadPicture(const std::string& resourceName) {
  if (!pictureCreated) {
    picture = std::make_unique<platform::Bitmap>();
    pictureCreated = 1;
  }
  platform::LoadPicture(resourceName, *picture);
  DropDirtyFlags();
  SetSize(picture->Width(), picture->Height());
  AllocateDirtyFlags();
}

void LFieldBMP::DrawCell(platform::Canvas& canvas, int cellX, int cellY) {
  canvas.copyMode = platform::CopyMode::Copy;
  canvas.CopyRect({0, 0, 8, 8}, *picture, {8 * cellX, 8 * cellY, 8 * cellX + 8, 8 * cellY + 8});
}
