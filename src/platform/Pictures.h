// platform: the pictures built into the executable, found by name without regard to case.
#pragma once
#include <string>
#include <vector>

#include "platform/Bitmap.h"

namespace platform {

struct PictureInfo {
  std::string name;
  int width, height;
  bool drawn;  // false while no source draws it and a labelled card stands in
};

// Loads the named picture into out; in an English game, its English version where it has one
// ("<name>.en", same size). An unknown name shows an error box naming it and leaves out empty
// (0 x 0), which every drawing operation clips away.
bool LoadPicture(const std::string& name, Bitmap& out);
std::vector<PictureInfo> ListPictures();

}  // namespace platform
