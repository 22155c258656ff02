// platform: decoding of the embedded pictures.
#include "platform/Pictures.h"

#include <stb_image.h>
#include <strings.h>

#include "platform/Dialogs.h"
#include "platform/EmbeddedPictures.h"
#include "platform/Translate.h"
#include "platform/Language.h"

namespace platform {

namespace {

const EmbeddedPicture* Find(const std::string& name) {
  for (int i = 0; i < kEmbeddedPictureCount; ++i)
    if (strcasecmp(kEmbeddedPictures[i].name, name.c_str()) == 0) return &kEmbeddedPictures[i];
  return nullptr;
}

// The version the player reads: in an English game a picture with lettering has an English
// version "<name>.en" of the same size; every other picture is shared.
const EmbeddedPicture* FindForLanguage(const std::string& name) {
  if (EnglishGame())
    if (const EmbeddedPicture* english = Find(name + ".en")) return english;
  return Find(name);
}

// A picture no source draws yet: a plain card of the right size with its name on it.
void DrawCard(const EmbeddedPicture& p, Bitmap& out) {
  out.SetSize(p.width, p.height, Rgb(40, 44, 72));
  Canvas& c = out.GetCanvas();
  c.brush = Brush{Rgb(200, 200, 220)};
  c.FrameRect({0, 0, p.width, p.height});
  c.font = Font{"ＭＳ ゴシック", p.width < 64 ? 6 : 14, Rgb(230, 230, 240), true};
  c.brush.style = BrushStyle::Clear;
  int w = c.TextWidth(p.name);
  c.TextOut((p.width - w) / 2, p.height / 2 - 10, p.name);
}

}  // namespace

bool LoadPicture(const std::string& name, Bitmap& out) {
  const EmbeddedPicture* p = FindForLanguage(name);
  if (!p) {
    out.SetSize(0, 0);
    ShowMessage("Bramko2 for Windows", Format(Tr("リソース %s が見つかりません。"), name.c_str()));
    return false;
  }
  if (!p->png) {
    DrawCard(*p, out);
    return true;
  }
  int w = 0, h = 0, comp = 0;
  unsigned char* rgb = stbi_load_from_memory(p->png, static_cast<int>(p->pngSize), &w, &h, &comp, 3);
  if (!rgb) {
    DrawCard(*p, out);
    return true;
  }
  out.SetSize(w, h);
  for (int y = 0; y < h; ++y) {
    Color* row = out.Row(y);
    const unsigned char* s = rgb + static_cast<size_t>(y) * w * 3;
    for (int x = 0; x < w; ++x) row[x] = Rgb(s[x * 3], s[x * 3 + 1], s[x * 3 + 2]);
  }
  stbi_image_free(rgb);
  out.Touch();
  return true;
}

std::vector<PictureInfo> ListPictures() {
  std::vector<PictureInfo> all;
  for (int i = 0; i < kEmbeddedPictureCount; ++i) {
    const auto& p = kEmbeddedPictures[i];
    all.push_back({p.name, p.width, p.height, p.png != nullptr});
  }
  return all;
}

}  // namespace platform
